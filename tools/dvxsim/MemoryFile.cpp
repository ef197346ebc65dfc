#include "MemoryFile.h"

#include "FrameParser.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace {

std::string Format(const char* szFormat, int nFirst, int nSecond = 0) {
    char szText[32];
    std::snprintf(szText, sizeof szText, szFormat, nFirst, nSecond);
    return szText;
}

void AppendFrame(std::string& strOut, const std::string& strFrame, bool bWanted = true) {
    if (bWanted) {
        strOut += strFrame + "\n";
    }
}

} // namespace

std::string CMemoryFile::Frames(const CControllerMemory& memory) {
    const auto fresh = std::make_unique<CControllerMemory>();
    std::string strOut = std::string(kHeader) + "\n";
    AppendFrame(strOut, memory.m_bModuleLink ? ":I1" : ":I0");
    AppendFrame(strOut, memory.m_bSleepEnabled ? ":X1" : ":X0");
    AppendFrame(strOut, Format(":XW%02X", memory.m_nSleepWakeUp));
    AppendFrame(strOut, Format(":XI%02X", memory.m_nSleepInactivity));
    for (int nPair = 0; nPair < CControllerMemory::kPairs; ++nPair) {
        AppendFrame(strOut, Format(":HI%02X%02X", nPair, memory.m_anHiSpeedInput[nPair]));
        AppendFrame(strOut, Format(":HO%02X%02X", nPair, memory.m_anHiSpeedOutput[nPair]));
    }
    for (int nTimer = 0; nTimer < CControllerMemory::kTimers; ++nTimer) {
        const int nReload = memory.m_anTimerReload[nTimer];
        const int nCurrent = memory.m_anTimerCurrent[nTimer];
        AppendFrame(strOut, Format(":TR%02X%02X", nTimer, nReload),
                    nReload != fresh->m_anTimerReload[nTimer]);
        AppendFrame(strOut, Format(":T%02X%02X", nTimer, nCurrent), nCurrent != 0);
    }
    for (int nIndex = 0; nIndex < CControllerMemory::kChannels; ++nIndex) {
        const CEquationBlock& block = memory.m_aEquation[nIndex];
        AppendFrame(strOut, Format(":B%03X", nIndex) + block.Encode(),
                    !(block == fresh->m_aEquation[nIndex]));
        const std::string& strLabel = memory.m_astrChannelLabel[nIndex];
        AppendFrame(strOut, Format(":L%03X", nIndex) + strLabel,
                    strLabel != fresh->m_astrChannelLabel[nIndex]);
    }
    for (int nSlot = 0; nSlot < CControllerMemory::kModuleSlots; ++nSlot) {
        const std::string& strLabel = memory.m_astrModuleLabel[nSlot];
        AppendFrame(strOut, Format(":O%02X", nSlot) + strLabel,
                    strLabel != fresh->m_astrModuleLabel[nSlot]);
    }
    for (int nLabel = 0; nLabel < CControllerMemory::kSysLabels; ++nLabel) {
        const std::string& strLabel = memory.m_astrSysLabel[nLabel];
        AppendFrame(strOut, Format(":U%02X", nLabel) + strLabel,
                    strLabel != fresh->m_astrSysLabel[nLabel]);
    }
    return strOut;
}

bool CMemoryFile::Load(const std::string& strPath, CControllerMemory& memory,
                       std::string& strError) {
    std::error_code error;
    if (!std::filesystem::exists(strPath, error) && !error) {
        return true;
    }
    std::ifstream file(strPath, std::ios::binary);
    if (!file) {
        strError = "cannot read " + strPath + ": " + std::strerror(errno);
        return false;
    }
    std::string strLine;
    int nLine = 0;
    const auto loaded = std::make_unique<CControllerMemory>();
    while (std::getline(file, strLine)) {
        ++nLine;
        if (!strLine.empty() && strLine.back() == '\r') {
            strLine.pop_back();
        }
        if (strLine.empty() || strLine[0] == '#') {
            continue;
        }
        const CFrame frame = CFrameParser::Parse(strLine);
        if (!loaded->Store(frame)) {
            strError = strPath + " line " + std::to_string(nLine) + " is damaged: " + strLine;
            return false;
        }
    }
    memory = *loaded;
    return true;
}

bool CMemoryFile::Save(const std::string& strPath, const CControllerMemory& memory,
                       std::string& strError) {
    const std::string strTemporary = strPath + ".tmp";
    {
        std::ofstream file(strTemporary, std::ios::binary | std::ios::trunc);
        file << Frames(memory);
        file.flush();
        if (!file) {
            strError = "cannot write " + strTemporary + ": " + std::strerror(errno);
            std::remove(strTemporary.c_str());
            return false;
        }
    }
    if (std::rename(strTemporary.c_str(), strPath.c_str()) != 0) {
        strError = "cannot replace " + strPath + ": " + std::strerror(errno);
        std::remove(strTemporary.c_str());
        return false;
    }
    return true;
}
