#include "StatusReporter.h"

std::string CStatusReporter::Due(const CControllerMemory& memory, Clock::time_point now) {
    std::string strLines;
    for (int nLoop = 0; nLoop < CControllerMemory::kLoops; ++nLoop) {
        if (!memory.m_abLoopMonitor[nLoop]) {
            m_abReported[nLoop] = false;
            continue;
        }
        std::string strLine = StatusLine(memory, nLoop);
        const bool bStale = now - m_aLastTime[nLoop] >= kRefresh;
        if (m_abReported[nLoop] && strLine == m_astrLast[nLoop] && !bStale) {
            continue;
        }
        m_abReported[nLoop] = true;
        m_aLastTime[nLoop] = now;
        strLines += strLine;
        m_astrLast[nLoop] = std::move(strLine);
    }
    return strLines;
}

std::string CStatusReporter::StatusLine(const CControllerMemory& memory, int nLoop) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string strLine = ">L";
    strLine += kDigits[nLoop];
    const bool* abState = memory.m_abChannelState + nLoop * CControllerMemory::kChannelsPerLoop;
    for (int nByte = 0; nByte < CControllerMemory::kChannelsPerLoop / 8; ++nByte) {
        int nValue = 0;
        for (int nBit = 0; nBit < 8; ++nBit) {
            nValue = (nValue << 1) | (abState[nByte * 8 + nBit] ? 1 : 0);
        }
        strLine += kDigits[nValue >> 4];
        strLine += kDigits[nValue & 0xF];
    }
    strLine += '\r';
    return strLine;
}
