#pragma once

#include <cstdio>
#include <string>

// Records every line received and sent, one per log line with a UTC time
// stamp to the millisecond and the direction ("<" from the PC, ">" to it).
// Control characters are written as \r, \n or \xNN so the log stays readable.
class CFrameLog {
public:
    CFrameLog() = default;
    CFrameLog(const CFrameLog&) = delete;
    CFrameLog& operator=(const CFrameLog&) = delete;
    ~CFrameLog();

    bool Open(const std::string& strPath, std::string& strError);
    void Received(const std::string& strLine) { Write('<', strLine); }
    void Sent(const std::string& strText) { Write('>', strText); }
    void Note(const std::string& strText) { Write('#', strText); }

    static std::string Escape(const std::string& strText);

private:
    void Write(char cDirection, const std::string& strText);

    std::FILE* m_pFile = nullptr;
};
