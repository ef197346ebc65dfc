#pragma once

#include "ControllerMemory.h"

#include <string>

// The controller's non-volatile memory on disk: a text file holding, one per
// line, the frames that rebuild from a fresh memory what differs from it.
// Written whole to a temporary file and renamed over the old one.
class CMemoryFile {
public:
    static constexpr const char* kHeader = "# dvxsim controller memory";

    // A missing file leaves the memory fresh; a damaged one is reported and
    // leaves it fresh too.
    static bool Load(const std::string& strPath, CControllerMemory& memory, std::string& strError);
    static bool Save(const std::string& strPath, const CControllerMemory& memory,
                     std::string& strError);
    static std::string Frames(const CControllerMemory& memory);
};
