#include "model/SystemDiff.h"

#include "model/System.h"
#include "model/TimerCount.h"

#include <algorithm>

#include <cstdio>

namespace {

using Diffs = std::vector<CSystemDifference>;

void Add(Diffs& aDiffs, const std::string& strItem, const std::string& strLeft,
         const std::string& strRight, bool bInformation = false) {
    if (strLeft != strRight)
        aDiffs.push_back({strItem, strLeft, strRight, bInformation});
}

std::string YesNo(bool bOn) { return bOn ? "yes" : "no"; }

std::string Seconds(double fSeconds) {
    char szText[32];
    std::snprintf(szText, sizeof szText, "%.1f s", fSeconds);
    return szText;
}

std::string SourceName(short nSource) {
    return CSystem::GetLoopShortName(CSystem::LoopOf(nSource)) + " " +
           CSystem::IndexDesignation(nSource);
}

// A group as the canonical form reads it: only present terms count, and the
// group NOT only when the group has a term.
std::string GroupText(const int32_t* abNot, const int16_t* anTerm, const int32_t* abPr,
                      bool bGroupNot) {
    std::string strText;
    for (int i = 0; i < 3; ++i) {
        if (!CSystem::IsTermPresent(anTerm[i]))
            continue;
        strText += strText.empty() ? (bGroupNot ? "!(" : "(") : ")*(";
        strText += abNot[i] ? "!" : "";
        strText += abPr[i] ? "Pr_" : "";
        strText += SourceName(anTerm[i]);
    }
    return strText.empty() ? strText : strText + ")";
}

std::string ChannelName(short nModule, short nChannel, short nLoop) {
    return CSystem::GetLoopName(nLoop) + " " + CSystem::ChannelDesignation(nModule, nChannel);
}

std::string ModuleName(short nModule, short nLoop) {
    return CSystem::GetLoopName(nLoop) + " module " + CSystem::ModuleLetter(nModule);
}

std::string SysLabelName(short nLabel) {
    static const char* const kNames[CSystem::kSysLabels] = {" (Vehicle Model)",
                                                            " (Author)",
                                                            " (Revision Date)",
                                                            " (program version)",
                                                            "",
                                                            " (File Name)",
                                                            "",
                                                            "",
                                                            "",
                                                            ""};
    return "System label " + std::to_string(nLabel) + kNames[nLabel];
}

std::string TimerName(short nTimer) { return "TIMER  " + CSystem::IndexDesignation(nTimer); }

std::string PairSide(short nIndex) {
    if (!CSystem::IsValidIndex(nIndex))
        return "none";
    return CSystem::GetLoopName(CSystem::LoopOf(nIndex)) + " " + CSystem::IndexDesignation(nIndex);
}

// An empty label stands for the default one: the controller answers it so,
// and files written elsewhere may hold either.
std::string ChannelLabel(const CSystem& sys, short nModule, short nChannel, short nLoop) {
    const std::string strLabel = sys.GetChannelLabel(nModule, nChannel, nLoop);
    return strLabel.empty() ? CSystem::DefaultChannelLabel(nModule, nChannel, nLoop) : strLabel;
}

std::string ModuleLabel(const CSystem& sys, short nModule, short nLoop) {
    const std::string strLabel = sys.GetModuleLabel(nModule, nLoop);
    return strLabel.empty() ? CSystem::DefaultModuleLabel(nModule, nLoop) : strLabel;
}

// Against a controller, a flag of a channel without an equation was never
// sent (its flags travel inside the equation), so its absence there is
// information, not a difference.
void AddFlag(Diffs& aDiffs, const std::string& strItem, int32_t bLeft, int32_t bRight,
             bool bNeverSent) {
    if (bNeverSent && bLeft && !bRight)
        aDiffs.push_back({strItem, YesNo(true), CSystemDiff::kFlagNotSentText, true});
    else
        Add(aDiffs, strItem, YesNo(bLeft), YesNo(bRight));
}

void CompareChannel(Diffs& aDiffs, const CSystem& left, const CSystem& right, short nModule,
                    short nChannel, short nLoop, CSystemDiff::EScope scope) {
    std::string strName = ChannelName(nModule, nChannel, nLoop);
    bool bEquations = scope == CSystemDiff::EScope::Files || CSystem::IsEquationLoop(nLoop);
    if (bEquations) {
        const CChannelRecord& a = left.Channel(nModule, nChannel, nLoop);
        const CChannelRecord& b = right.Channel(nModule, nChannel, nLoop);
        const bool bNeverSent = scope == CSystemDiff::EScope::Controller &&
                                !left.IsEquationDefined(nModule, nChannel, nLoop);
        Add(aDiffs, strName + " equation",
            CSystemDiff::CanonicalEquation(left, nModule, nChannel, nLoop),
            CSystemDiff::CanonicalEquation(right, nModule, nChannel, nLoop));
        AddFlag(aDiffs, strName + " on at power up", a.m_bPowerUpOn, b.m_bPowerUpOn, bNeverSent);
        AddFlag(aDiffs, strName + " output channel", a.m_bOutput, b.m_bOutput, bNeverSent);
        AddFlag(aDiffs, strName + " momentary switch latch", a.m_bMomentaryLatch,
                b.m_bMomentaryLatch, bNeverSent);
    }
    Add(aDiffs, strName + " label", ChannelLabel(left, nModule, nChannel, nLoop),
        ChannelLabel(right, nModule, nChannel, nLoop));
}

void CompareModules(Diffs& aDiffs, const CSystem& left, const CSystem& right,
                    CSystemDiff::EScope scope) {
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            std::string strName = ModuleName(nModule, nLoop);
            Add(aDiffs, strName + " label", ModuleLabel(left, nModule, nLoop),
                ModuleLabel(right, nModule, nLoop));
            if (scope == CSystemDiff::EScope::Files)
                Add(aDiffs, strName + " type", std::to_string(left.GetModuleType(nModule, nLoop)),
                    std::to_string(right.GetModuleType(nModule, nLoop)));
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                CompareChannel(aDiffs, left, right, nModule, nChannel, nLoop, scope);
        }
    }
}

void CompareSysLabels(Diffs& aDiffs, const CSystem& left, const CSystem& right) {
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        Add(aDiffs, SysLabelName(nLabel), left.GetSysLabel(nLabel), right.GetSysLabel(nLabel),
            nLabel == CSystem::SysLabelRevisionDate);
}

// The value shown is the count in seconds, as the controller will hold it;
// a value it cannot count is shown as stored, so it never passes for the
// count it would be sent as.
std::string TimerText(const CTimerCount& count, float fSeconds, short nTimer) {
    if (!count.IsCountable())
        return Seconds(fSeconds);
    return Seconds(count.Nearest() * (CSystem::IsFastTimer(nTimer) ? 0.1 : 10.0));
}

std::string ReloadText(const CSystem& system, short nTimer) {
    const float fSeconds = system.GetTimerReload(nTimer);
    return TimerText(CTimerCount::Reload(fSeconds, CSystem::IsFastTimer(nTimer)), fSeconds, nTimer);
}

std::string CurrentText(const CSystem& system, short nTimer) {
    const float fSeconds = system.GetTimerCurrent(nTimer);
    return TimerText(CTimerCount::Current(fSeconds, CSystem::IsFastTimer(nTimer)), fSeconds,
                     nTimer);
}

void CompareTimers(Diffs& aDiffs, const CSystem& left, const CSystem& right) {
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer)
        Add(aDiffs, TimerName(nTimer) + " reload", ReloadText(left, nTimer),
            ReloadText(right, nTimer));
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer)
        Add(aDiffs, TimerName(nTimer) + " current", CurrentText(left, nTimer),
            CurrentText(right, nTimer), true);
}

void CompareSleepMode(Diffs& aDiffs, const CSystem& left, const CSystem& right) {
    Add(aDiffs, "Sleep mode", CSystem::GetEnabledText(left.GetSleepEnabled()),
        CSystem::GetEnabledText(right.GetSleepEnabled()));
    Add(aDiffs, "Sleep inactivity interval", std::to_string(left.GetSleepInactivity() * 10) + " s",
        std::to_string(right.GetSleepInactivity() * 10) + " s");
    Add(aDiffs, "Sleep wake-up interval", std::to_string(left.GetSleepWakeUp()) + " s",
        std::to_string(right.GetSleepWakeUp()) + " s");
}

void CompareHiSpeedPairs(Diffs& aDiffs, const CSystem& left, const CSystem& right) {
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        std::string strName = "High speed pair " + std::to_string(nPair + 1);
        Add(aDiffs, strName + " input", PairSide(left.GetHiSpeedInput(nPair)),
            PairSide(right.GetHiSpeedInput(nPair)));
        Add(aDiffs, strName + " output", PairSide(left.GetHiSpeedOutput(nPair)),
            PairSide(right.GetHiSpeedOutput(nPair)));
    }
}

} // namespace

std::vector<CSystemDifference> CSystemDiff::Compare(const CSystem& left, const CSystem& right,
                                                    EScope scope) {
    Diffs aDiffs;
    CompareModules(aDiffs, left, right, scope);
    CompareSysLabels(aDiffs, left, right);
    CompareTimers(aDiffs, left, right);
    CompareSleepMode(aDiffs, left, right);
    CompareHiSpeedPairs(aDiffs, left, right);
    return aDiffs;
}

int CSystemDiff::CountDifferences(const std::vector<CSystemDifference>& aDiffs) {
    int nCount = 0;
    for (const CSystemDifference& diff : aDiffs)
        nCount += diff.bInformation ? 0 : 1;
    return nCount;
}

std::string CSystemDiff::CanonicalEquation(const CSystem& system, short nModule, short nChannel,
                                           short nLoop) {
    const CChannelRecord& r = system.Channel(nModule, nChannel, nLoop);
    std::string strA = GroupText(r.m_abTermNotA, r.m_anTermA, r.m_abTermPrA, r.m_bGroupNotA);
    std::string strB = GroupText(r.m_abTermNotB, r.m_anTermB, r.m_abTermPrB, r.m_bGroupNotB);
    if (strA.empty() && strB.empty() && !r.m_bEquationNot)
        return "no equation";
    std::string strBody = strA + (!strA.empty() && !strB.empty() ? "+" : "") + strB;
    return r.m_bEquationNot ? "Q=![" + strBody + "]" : "Q=" + strBody;
}

std::vector<short> CSystemDiff::EquationChannels(const std::vector<CSystemDifference>& aDiffs) {
    std::vector<short> anChannels;
    for (short nIndex = 0; nIndex < CSystem::kEquationLoops * CSystem::kChannelsPerLoop; ++nIndex) {
        const std::string strName = ChannelName(
            CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex), CSystem::LoopOf(nIndex));
        const bool bDiffers =
            std::any_of(aDiffs.begin(), aDiffs.end(), [&](const CSystemDifference& diff) {
                return !diff.bInformation && (diff.strItem == strName + " equation" ||
                                              diff.strItem == strName + " momentary switch latch");
            });
        if (bDiffers)
            anChannels.push_back(nIndex);
    }
    return anChannels;
}
