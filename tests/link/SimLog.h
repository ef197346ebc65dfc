#pragma once

#include <string>
#include <vector>

// The traffic dvxsim's frame log recorded: each frame it received from the
// PC (without the carriage return that ended it) and each text it sent.
struct CSimLogEntry {
    bool bFromPc;
    std::string strText;
};

// The entries from line nFirstLine of the log on (0 for all); nLines is set
// to the number of lines the log held.
std::vector<CSimLogEntry> ReadSimLog(const std::string& strPath, int nFirstLine, int& nLines);
