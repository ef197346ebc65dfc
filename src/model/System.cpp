#include "model/System.h"

#include "model/LaunchDir.h"
#include "model/LinkControl.h"
#include "model/ShellServices.h"
#include "model/TimerCount.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

const char* const kLoopNames[CSystem::kLoops] = {"BLUE LOOP",       "YELLOW LOOP",
                                                 "VIRTUAL LOOP",    "TIMER LOOP",
                                                 "TIMER DONE LOOP", "TIMER RUNNING LOOP"};
const char* const kLoopShortNames[CSystem::kLoops] = {"Blue",    "Yellow",  "Virtual",
                                                      "TmrEnbl", "TmrDone", "TmrRun"};
const CRgb kLoopColours[CSystem::kLoops] = {{0, 0, 255}, {255, 255, 0}, {0, 255, 0},
                                            {255, 0, 0}, {255, 128, 0}, {255, 0, 255}};
const short kModuleCounts[CSystem::kLoops] = {16, 16, 16, 16, 16, 16};
const short kChannelCounts[CSystem::kLoops] = {160, 160, 160, 160, 160, 160};
const char* const kMonths[12] = {"Jan. ", "Feb. ", "Mar. ", "Apr. ", "May. ", "Jun. ",
                                 "Jul. ", "Aug. ", "Sep. ", "Oct. ", "Nov. ", "Dec. "};

constexpr float kFastUnit = 0.1f;
constexpr float kSlowUnit = 10.0f;

std::string ReadWorkingDirectory() {
    std::error_code error;
    auto path = std::filesystem::current_path(error);
    return error ? std::string() : path.string();
}

std::string FormatChannelLabel(short nModule, short nChannel, short nLoop) {
    return CSystem::GetLoopShortName(nLoop) + "_Chl_" +
           CSystem::ChannelDesignation(nModule, nChannel);
}

std::string FormatModuleLabel(short nModule, short nLoop) {
    return CSystem::GetLoopShortName(nLoop) + "_Modul_" + CSystem::ModuleLetter(nModule);
}

// Default labels are asked for in bulk: every reset of a system (before
// each file read) or of the virtual controller's memory assigns all of
// them. So each is formatted once.
struct CDefaultLabels {
    std::string astrModule[CSystem::kLoops][CSystem::kModulesPerLoop];
    std::string astrChannel[CSystem::kLoops][CSystem::kModulesPerLoop][CSystem::kChannelsPerModule];
};

const CDefaultLabels& DefaultLabels() {
    static const CDefaultLabels labels = [] {
        CDefaultLabels made;
        for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
            for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
                made.astrModule[nLoop][nModule] = FormatModuleLabel(nModule, nLoop);
                for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                    made.astrChannel[nLoop][nModule][nChannel] =
                        FormatChannelLabel(nModule, nChannel, nLoop);
            }
        }
        return made;
    }();
    return labels;
}

} // namespace

CSystem::CSystem(CShellServices& shell, const std::string& strLaunchDir) : m_shell(shell) {
    m_strLaunchDir = strLaunchDir.empty() ? ReadWorkingDirectory() : strLaunchDir;
    if (m_strLaunchDir.empty()) {
        m_shell.MessageBox("Could not access launch directory.", EBoxButtons::Ok, EBoxIcon::Stop);
        std::exit(EXIT_FAILURE);
    }
    m_shell.Trace("Initial launch dir = " + m_strLaunchDir + "\n");
    // Temporary files of earlier runs that died while writing would pile up.
    CDataFile::RemoveOrphans(m_strLaunchDir);
    LoadSystemFile("");
}

CSystem::CSystem(CShellServices& shell, CScratch, const std::string& strLaunchDir)
    : m_shell(shell), m_strLaunchDir(strLaunchDir) {
    ResetToDefaults();
}

// --- channel addressing ---

short CSystem::MakeIndex(short nLoop, short nModule, short nChannel) {
    return static_cast<short>(nLoop * kChannelsPerLoop + nModule * kChannelsPerModule + nChannel);
}

short CSystem::ModuleOf(short nIndex) {
    return static_cast<short>((nIndex % kChannelsPerLoop) / kChannelsPerModule);
}

short CSystem::GetLastModule(short nLoop) {
    return static_cast<short>(kModuleCounts[IsValidLoop(nLoop) ? nLoop : 0] - 1);
}

char CSystem::GetLastModuleLetter(short nLoop) { return ModuleLetter(GetLastModule(nLoop)); }

short CSystem::GetLastChannelIndex(short nLoop) {
    return static_cast<short>(kChannelCounts[IsValidLoop(nLoop) ? nLoop : 0] - 1);
}

std::string CSystem::GetLoopName(short nLoop) {
    return IsValidLoop(nLoop) ? kLoopNames[nLoop] : "";
}

std::string CSystem::GetLoopShortName(short nLoop) {
    return IsValidLoop(nLoop) ? kLoopShortNames[nLoop] : "";
}

CRgb CSystem::GetLoopColour(short nLoop) {
    return IsValidLoop(nLoop) ? kLoopColours[nLoop] : CRgb{255, 0, 0};
}

std::string CSystem::ChannelDesignation(short nModule, short nChannel) {
    return std::string(1, ModuleLetter(nModule)) + std::to_string(nChannel + 1);
}

std::string CSystem::IndexDesignation(short nIndex) {
    if (!IsValidIndex(nIndex))
        return "_";
    return ChannelDesignation(ModuleOf(nIndex), ChannelOf(nIndex));
}

std::string CSystem::IndexModuleLetter(short nIndex) {
    if (!IsValidIndex(nIndex))
        return "";
    return std::string(1, ModuleLetter(ModuleOf(nIndex)));
}

std::string CSystem::DefaultChannelLabel(short nModule, short nChannel, short nLoop) {
    if (!IsValidLoop(nLoop) || !IsValidModule(nModule) || !IsValidChannel(nChannel))
        return FormatChannelLabel(nModule, nChannel, nLoop);
    return DefaultLabels().astrChannel[nLoop][nModule][nChannel];
}

std::string CSystem::DefaultModuleLabel(short nModule, short nLoop) {
    if (!IsValidLoop(nLoop) || !IsValidModule(nModule))
        return FormatModuleLabel(nModule, nLoop);
    return DefaultLabels().astrModule[nLoop][nModule];
}

std::string CSystem::DefaultSysLabel(short nLabel) { return "SysLabel_" + std::to_string(nLabel); }

std::string CSystem::DateText(const std::tm& date) {
    char szDay[32];
    std::snprintf(szDay, sizeof szDay, " %02d, %04d", date.tm_mday, date.tm_year + 1900);
    return std::string(kMonths[date.tm_mon % 12]) + szDay;
}

std::string CSystem::TodayText() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateText(local);
}

// --- lifetime ---

void CSystem::ResetToDefaults() {
    m_bSleepEnabled = 0;
    m_nSleepInactivity = 2;
    m_nSleepWakeUp = 10;
    for (short i = 0; i < kHiSpeedPairs; ++i) {
        m_anHiSpeedInput[i] = -1;
        m_anHiSpeedOutput[i] = -1;
    }
    m_strFilePath.clear();
    for (short t = 0; t < kTimers; ++t) {
        m_afTimerReload[t] = 10.0f;
        m_afTimerCurrent[t] = 0.0f;
    }
    m_nCurModule = 0;
    for (short nLoop = 0; nLoop < kLoops; ++nLoop) {
        for (short nModule = 0; nModule < kModulesPerLoop; ++nModule) {
            m_astrModuleLabel[nLoop][nModule] = DefaultModuleLabel(nModule, nLoop);
            m_anModuleType[nLoop][nModule] = 0;
            for (short nChannel = 0; nChannel < kChannelsPerModule; ++nChannel) {
                short nIndex = MakeIndex(nLoop, nModule, nChannel);
                m_astrChannelLabel[nLoop][nModule][nChannel] =
                    DefaultChannelLabel(nModule, nChannel, nLoop);
                m_anChannelState[nIndex] = 0;
                m_anChannelReserved[nIndex] = 0;
                CChannelRecord& record = m_aChannel[nLoop][nModule][nChannel];
                record.ClearEquationFields();
                record.m_nEquationType = 0;
            }
        }
    }
    for (short i = 0; i < kSysLabels; ++i)
        m_astrSysLabel[i] = DefaultSysLabel(i);
    m_astrSysLabel[SysLabelRevisionDate] = TodayText();
    m_astrSysLabel[SysLabelVersion] = kVersionText;
    m_nObjectGroup = GroupSystem;
}

void CSystem::SetModified() {
    m_bModified = 1;
    m_astrSysLabel[SysLabelRevisionDate] = TodayText();
    m_astrSysLabel[SysLabelVersion] = kVersionText;
}

// --- launch directory and file path ---

bool CSystem::ReturnToLaunchDir() { return LaunchDir::Return(m_strLaunchDir, m_shell); }

std::string CSystem::LaunchPath(const std::string& strName) const {
    return LaunchDir::Resolve(m_strLaunchDir, strName);
}

// The stored path may come from another platform, so either separator ends
// the directory part.
std::string CSystem::GetFileDir() const {
    auto nLast = m_strFilePath.find_last_of("\\/");
    if (nLast == std::string::npos || nLast == 0)
        return "";
    return m_strFilePath.substr(0, nLast + 1);
}

// --- current selection ---

short CSystem::GetCurLoopLimited() {
    if (m_nCurLoop > 3)
        m_nCurLoop = 0;
    return m_nCurLoop;
}

short CSystem::GetCurModule() {
    if (m_nCurModule < 0 || m_nCurModule > GetLastModule(m_nCurLoop))
        m_nCurModule = 0;
    return m_nCurModule;
}

void CSystem::NextCurChannel() {
    if (++m_nCurChannel < kChannelsPerModule)
        return;
    m_nCurChannel = 0;
    if (++m_nCurModule >= kModulesPerLoop)
        m_nCurModule = 0;
}

// --- module types ---

short CSystem::GetModuleType(short nModule, short nLoop) const {
    if (!IsValidLoop(nLoop) || !IsValidModule(nModule))
        return 0;
    return m_anModuleType[nLoop][nModule];
}

void CSystem::SetModuleType(short nModule, short nLoop, short nType) {
    m_anModuleType[nLoop][nModule] = nType;
}

short CSystem::GetCurModuleType() { return GetModuleType(GetCurModule(), m_nCurLoop); }

void CSystem::SetCurModuleType(short nType) { SetModuleType(GetCurModule(), m_nCurLoop, nType); }

bool CSystem::IsModuleInUse(short nModule, short nLoop) const {
    for (short nChannel = 0; nChannel < kChannelsPerModule; ++nChannel) {
        if (IsEquationDefined(nModule, nChannel, nLoop) ||
            IsChannelLabelCustom(nModule, nChannel, nLoop))
            return true;
    }
    return GetModuleType(nModule, nLoop) > 0;
}

// --- channel state ---

int CSystem::GetChannelState(short nChannel) {
    return m_anChannelState[MakeIndex(m_nCurLoop, GetCurModule(), nChannel)];
}

void CSystem::SetChannelState(short nChannel, int nState) {
    m_anChannelState[MakeIndex(m_nCurLoop, GetCurModule(), nChannel)] = nState;
}

void CSystem::ToggleChannelState(short nChannel) {
    SetChannelState(nChannel, GetChannelState(nChannel) == 0 ? 1 : 0);
}

void CSystem::SetChannelStateByIndex(short nIndex, int nState) {
    if (IsValidIndex(nIndex))
        m_anChannelState[nIndex] = nState;
}

int CSystem::GetChannelStateAt(short nModule, short nChannel, short nLoop) const {
    return m_anChannelState[MakeIndex(nLoop, nModule, nChannel)];
}

void CSystem::SetChannelStateAt(short nModule, short nChannel, short nLoop, int nState) {
    m_anChannelState[MakeIndex(nLoop, nModule, nChannel)] = nState;
}

int CSystem::GetModuleStateBits(short nModule, short nLoop) const {
    int nBits = 0;
    for (short nChannel = 0; nChannel < kChannelsPerModule; ++nChannel) {
        if (GetChannelStateAt(nModule, nChannel, nLoop) != 0)
            nBits |= 1 << nChannel;
    }
    return nBits;
}

void CSystem::ToggleChannelStateAt(short nModule, short nChannel, short nLoop) {
    int nState = GetChannelStateAt(nModule, nChannel, nLoop) == 0 ? 1 : 0;
    SetChannelStateAt(nModule, nChannel, nLoop, nState);
    m_shell.SendChannelState(nLoop, nModule, nChannel, nState);
}

bool CSystem::GetOutputInCurModule(short nChannel) {
    return Record(GetCurModule(), nChannel, m_nCurLoop).m_bOutput != 0;
}

void CSystem::SetOutputInCurModule(short nChannel, bool bOn) {
    Record(GetCurModule(), nChannel, m_nCurLoop).m_bOutput = bOn;
}

// --- record access ---

CChannelRecord& CSystem::Record(short nModule, short nChannel, short nLoop) {
    assert(IsValidLoop(nLoop) && IsValidModule(nModule) && IsValidChannel(nChannel));
    return m_aChannel[nLoop][nModule][nChannel];
}

const CChannelRecord& CSystem::Record(short nModule, short nChannel, short nLoop) const {
    assert(IsValidLoop(nLoop) && IsValidModule(nModule) && IsValidChannel(nChannel));
    return m_aChannel[nLoop][nModule][nChannel];
}

CChannelRecord& CSystem::Channel(short nModule, short nChannel, short nLoop) {
    return Record(nModule, nChannel, nLoop);
}

const CChannelRecord& CSystem::Channel(short nModule, short nChannel, short nLoop) const {
    return Record(nModule, nChannel, nLoop);
}

CChannelRecord& CSystem::CurRecord() { return Record(GetCurModule(), m_nCurChannel, m_nCurLoop); }

const CChannelRecord& CSystem::BackupChannel(short nModule, short nChannel, short nLoop) const {
    return m_aChannelBackup[nLoop][nModule][nChannel];
}

// --- timers ---

short CSystem::GetTimerReloadCount(short nTimer) const {
    return CTimerCount::Reload(m_afTimerReload[nTimer], IsFastTimer(nTimer)).Nearest();
}

void CSystem::SetTimerReloadFromCount(short nTimer, short nCount) {
    m_afTimerReload[nTimer] = nCount * (IsFastTimer(nTimer) ? kFastUnit : kSlowUnit);
}

short CSystem::GetTimerCurrentCount(short nTimer) const {
    return CTimerCount::Current(m_afTimerCurrent[nTimer], IsFastTimer(nTimer)).Nearest();
}

float CSystem::GetTimerReloadAsRun(short nTimer) const {
    return GetTimerReloadCount(nTimer) * (IsFastTimer(nTimer) ? kFastUnit : kSlowUnit);
}

float CSystem::GetTimerCurrentAsRun(short nTimer) const {
    return GetTimerCurrentCount(nTimer) * (IsFastTimer(nTimer) ? kFastUnit : kSlowUnit);
}

void CSystem::SetTimerCurrentFromCount(short nTimer, short nCount) {
    m_afTimerCurrent[nTimer] = nCount * (IsFastTimer(nTimer) ? kFastUnit : kSlowUnit);
}

// A stored current module of 16..19 survives loading, so it is checked here
// before it indexes the timers.
int CSystem::CurModuleTimer(short nChannel) const {
    if (!IsValidModule(m_nCurModule) || !IsValidChannel(nChannel))
        return -1;
    return m_nCurModule * kChannelsPerModule + nChannel;
}

float CSystem::GetCurModuleTimerReload(short nChannel) const {
    int nTimer = CurModuleTimer(nChannel);
    return nTimer < 0 ? 0.0f : m_afTimerReload[nTimer];
}

void CSystem::SetCurModuleTimerReload(short nChannel, float fSeconds) {
    int nTimer = CurModuleTimer(nChannel);
    if (nTimer >= 0)
        m_afTimerReload[nTimer] = fSeconds;
}

float CSystem::GetCurModuleTimerCurrent(short nChannel) const {
    int nTimer = CurModuleTimer(nChannel);
    return nTimer < 0 ? 0.0f : m_afTimerCurrent[nTimer];
}

void CSystem::SetCurModuleTimerCurrent(short nChannel, float fSeconds) {
    int nTimer = CurModuleTimer(nChannel);
    if (nTimer >= 0)
        m_afTimerCurrent[nTimer] = fSeconds;
}

std::string CSystem::GetTimerReloadText(short nTimer) const {
    char szText[64];
    std::snprintf(szText, sizeof szText, "%6.1f", m_afTimerReload[nTimer]);
    return szText;
}

// --- high speed pairs ---

void CSystem::SetHiSpeedInput(short nPair, short nIndex) {
    assert(nPair >= 0 && nPair < kHiSpeedPairs);
    m_anHiSpeedInput[nPair] = nIndex;
}

void CSystem::SetHiSpeedOutput(short nPair, short nIndex) {
    assert(nPair >= 0 && nPair < kHiSpeedPairs);
    m_anHiSpeedOutput[nPair] = nIndex;
}

bool CSystem::IsHiSpeedChannel(short nModule, short nChannel, short nLoop) const {
    short nIndex = MakeIndex(nLoop, nModule, nChannel);
    for (short i = 0; i < kHiSpeedPairs; ++i) {
        if (m_anHiSpeedInput[i] == nIndex || m_anHiSpeedOutput[i] == nIndex)
            return true;
    }
    return false;
}

bool CSystem::IsCurChannelHiSpeed() const {
    return IsHiSpeedChannel(m_nCurModule, m_nCurChannel, m_nCurLoop);
}

std::string CSystem::HiSpeedChannelLabel(short nIndex) const {
    if (!IsValidIndex(nIndex))
        return "";
    return GetChannelLabel(ModuleOf(nIndex), ChannelOf(nIndex), LoopOf(nIndex));
}

std::string CSystem::HiSpeedModuleLabel(short nModule) const {
    if (!IsValidModule(nModule))
        return "";
    return GetModuleLabel(nModule, 0).substr(0, kLabelLength);
}

std::string CSystem::HiSpeedInputCaption(short nPair) {
    return "Input " + std::to_string(nPair + 1);
}

std::string CSystem::HiSpeedOutputCaption(short nPair) {
    return "Output " + std::to_string(nPair + 1);
}

// --- link ---

void CSystem::SuspendLink() {
    m_bLinkWasActive = m_bLinkActive;
    if (m_pLink && m_pLink->IsPortOpen())
        m_pLink->StopModuleLink();
}

void CSystem::ResumeLink() {
    m_bLinkActive = m_bLinkWasActive;
    if (!m_pLink || !m_pLink->IsPortOpen())
        return;
    if (m_bLinkActive)
        m_pLink->StartModuleLink();
    else
        m_pLink->StopModuleLink();
}

void CSystem::ShowBoolProcTime() {
    char szText[64];
    std::snprintf(szText, sizeof szText, "Boolean processor time %f", m_nBoolProcTime * 0.001);
    m_shell.MessageBox(szText, EBoxButtons::Ok, EBoxIcon::Information);
}

// --- object group, picked loop, loop monitor ---

void CSystem::SetPickedLoop(int nLoop) {
    assert(IsValidLoop(nLoop));
    m_nPickedLoop = nLoop;
}

void CSystem::SetLoopMonitor(short nLoop, bool bOn) {
    assert(IsValidLoop(nLoop));
    m_abLoopMonitor[nLoop] = bOn;
}

bool CSystem::GetLoopMonitor(short nLoop) const {
    assert(IsValidLoop(nLoop));
    return m_abLoopMonitor[nLoop] != 0;
}

void CSystem::SaveLoopMonitor() {
    for (short nLoop = 0; nLoop < kLoops; ++nLoop)
        m_abLoopMonitorSaved[nLoop] = m_abLoopMonitor[nLoop];
}

bool CSystem::GetLoopMonitorSaved(short nLoop) const {
    assert(IsValidLoop(nLoop));
    return m_abLoopMonitorSaved[nLoop] != 0;
}
