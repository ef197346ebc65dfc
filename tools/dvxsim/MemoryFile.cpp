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

void AppendFrame(std::string& strOut, const std::string& strFrame) { strOut += strFrame + "\n"; }

// What a fresh memory holds, made once: the memory file is written after
// every change and lists only what differs from it.
const CControllerMemory& FreshMemory() {
    static const auto pFresh = std::make_unique<const CControllerMemory>();
    return *pFresh;
}

void AppendLabel(std::string& strOut, const char* szFormat, int nTarget,
                 const std::string& strLabel, const std::string& strFresh) {
    if (strLabel != strFresh) {
        AppendFrame(strOut, Format(szFormat, nTarget) + strLabel);
    }
}

} // namespace

std::string CMemoryFile::Frames(const CControllerMemory& memory) {
    const CControllerMemory& fresh = FreshMemory();
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
        if (nReload != fresh.m_anTimerReload[nTimer]) {
            AppendFrame(strOut, Format(":TR%02X%02X", nTimer, nReload));
        }
        if (nCurrent != 0) {
            AppendFrame(strOut, Format(":T%02X%02X", nTimer, nCurrent));
        }
    }
    for (int nIndex = 0; nIndex < CControllerMemory::kChannels; ++nIndex) {
        const CEquationBlock& block = memory.m_aEquation[nIndex];
        if (!(block == fresh.m_aEquation[nIndex])) {
            AppendFrame(strOut, Format(":B%03X", nIndex) + block.Encode());
        }
        AppendLabel(strOut, ":L%03X", nIndex, memory.m_astrChannelLabel[nIndex],
                    fresh.m_astrChannelLabel[nIndex]);
    }
    for (int nSlot = 0; nSlot < CControllerMemory::kModuleSlots; ++nSlot) {
        AppendLabel(strOut, ":O%02X", nSlot, memory.m_astrModuleLabel[nSlot],
                    fresh.m_astrModuleLabel[nSlot]);
    }
    for (int nLabel = 0; nLabel < CControllerMemory::kSysLabels; ++nLabel) {
        AppendLabel(strOut, ":U%02X", nLabel, memory.m_astrSysLabel[nLabel],
                    fresh.m_astrSysLabel[nLabel]);
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
