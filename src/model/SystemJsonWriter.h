#pragma once

#include <string>

class CSystem;

// Writes every stored field of a system as the text form (JSON, keys in a
// fixed order, two spaces of indentation). Channels, modules and timers
// whose every field is its reset value are left out, and so are such fields
// of the ones written, so a fresh system is a short text and one change is
// one line of a diff.
class CSystemJsonWriter {
public:
    static std::string Write(const CSystem& system);
};
