#include "FrameLog.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <ctime>

CFrameLog::~CFrameLog() {
    if (m_pFile != nullptr) {
        std::fclose(m_pFile);
    }
}

bool CFrameLog::Open(const std::string& strPath, std::string& strError) {
    m_pFile = std::fopen(strPath.c_str(), "a");
    if (m_pFile == nullptr) {
        strError = "cannot open the log " + strPath + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

std::string CFrameLog::Escape(const std::string& strText) {
    std::string strOut;
    for (unsigned char c : strText) {
        if (c == '\r') {
            strOut += "\\r";
        } else if (c == '\n') {
            strOut += "\\n";
        } else if (c == '\\') {
            strOut += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            char szHex[8];
            std::snprintf(szHex, sizeof szHex, "\\x%02X", c);
            strOut += szHex;
        } else {
            strOut += static_cast<char>(c);
        }
    }
    return strOut;
}

void CFrameLog::Write(char cDirection, const std::string& strText) {
    if (m_pFile == nullptr) {
        return;
    }
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto nMillis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char szStamp[32];
    std::strftime(szStamp, sizeof szStamp, "%Y-%m-%d %H:%M:%S", &utc);
    std::fprintf(m_pFile, "%s.%03lld %c %s\n", szStamp, static_cast<long long>(nMillis), cDirection,
                 Escape(strText).c_str());
    std::fflush(m_pFile);
}
