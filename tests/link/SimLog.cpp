#include "link/SimLog.h"

#include <fstream>

namespace {

// Undoes the log's escapes: \r, \n, \\ and \xNN.
std::string Unescape(const std::string& strText) {
    std::string strOut;
    for (std::size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] != '\\' || i + 1 == strText.size()) {
            strOut += strText[i];
            continue;
        }
        const char c = strText[++i];
        if (c == 'x' && i + 2 < strText.size()) {
            strOut += static_cast<char>(std::stoi(strText.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            strOut += c == 'r' ? '\r' : c == 'n' ? '\n' : c;
        }
    }
    return strOut;
}

} // namespace

// A log line is "YYYY-MM-DD HH:MM:SS.mmm D text" with D "<" for a frame from
// the PC, ">" for a text to it and "#" for a note.
std::vector<CSimLogEntry> ReadSimLog(const std::string& strPath, int nFirstLine, int& nLines) {
    constexpr std::size_t kDirection = 24;
    std::vector<CSimLogEntry> aEntries;
    std::ifstream log(strPath);
    std::string strLine;
    for (nLines = 0; std::getline(log, strLine); ++nLines) {
        if (nLines < nFirstLine || strLine.size() < kDirection + 2)
            continue;
        const char cDirection = strLine[kDirection];
        if (cDirection == '<' || cDirection == '>')
            aEntries.push_back({cDirection == '<', Unescape(strLine.substr(kDirection + 2))});
    }
    return aEntries;
}
