#include "model/SystemCheck.h"

#include "model/CountRangeText.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

constexpr short kVirtualLoop = 2;
constexpr short kTimerLoop = 3;
constexpr short kYellowLoop = 1;
constexpr short kTimerEnableA1 = kTimerLoop * CSystem::kChannelsPerLoop;

constexpr const char* kPowerUpNotSentText =
    " has CHANNEL ON AT POWER UP set but no equation: a channel without an equation keeps no "
    "flags in the DVX CPU, so it is not sent.";

const char* GroupName(short nGroup) { return nGroup == 0 ? "Group A" : "Group B"; }

short TypeOf(const CChannelRecord& record) {
    return record.m_nEquationType >= 0 && record.m_nEquationType <= 3 ? record.m_nEquationType : 0;
}

} // namespace

CSystemCheck::CSystemCheck(const CSystem& system, const CModuleTypes& types)
    : m_system(system), m_types(types), m_graph(system) {}

std::vector<CSystemFinding> CSystemCheck::Run() {
    m_aFindings.clear();
    for (short nIndex = 0; nIndex < CSystem::kEquationLoops * CSystem::kChannelsPerLoop; ++nIndex) {
        CheckEquation(nIndex);
        CheckFlagsWithoutEquation(nIndex);
    }
    CheckCircles();
    CheckTimers();
    CheckHiSpeedPairs();
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        CheckLabels(nLoop);
    std::stable_sort(m_aFindings.begin(), m_aFindings.end(),
                     [](const CSystemFinding& a, const CSystemFinding& b) {
                         const short nA = a.aChannels.front().nIndex;
                         const short nB = b.aChannels.front().nIndex;
                         return nA != nB ? nA < nB : a.severity < b.severity;
                     });
    return m_aFindings;
}

int CSystemCheck::Count(const std::vector<CSystemFinding>& aFindings, ESeverity severity) {
    return static_cast<int>(
        std::count_if(aFindings.begin(), aFindings.end(),
                      [severity](const CSystemFinding& f) { return f.severity == severity; }));
}

std::string CSystemCheck::CountsText(const std::vector<CSystemFinding>& aFindings) {
    auto counted = [&](ESeverity severity, const char* szOne, const char* szMany) {
        const int nCount = Count(aFindings, severity);
        return std::to_string(nCount) + " " + (nCount == 1 ? szOne : szMany);
    };
    return counted(ESeverity::Error, "error", "errors") + ", " +
           counted(ESeverity::Warning, "warning", "warnings") + ", " +
           counted(ESeverity::Note, "note", "notes");
}

void CSystemCheck::CheckEquation(short nIndex) {
    if (!m_graph.HasEquation(nIndex))
        return;
    CheckSources(nIndex);
    CheckGroups(nIndex);
    CheckOutputFlags(nIndex);
    CheckModuleType(nIndex);
}

// A source without an equation is never switched by the controller: a
// Virtual or Timer Enable channel stays as it powered up, and a timer whose
// enable channel has none never starts.
void CSystemCheck::CheckSources(short nIndex) {
    std::set<short> anSeen;
    for (const CLogicTerm& term : m_graph.Terms(nIndex)) {
        const short nSource = term.nSource;
        if (!anSeen.insert(nSource).second)
            continue;
        const short nLoop = CSystem::LoopOf(nSource);
        const short nEnable = CLogicGraph::TimerEnableOf(nSource);
        if ((nLoop == kVirtualLoop || nLoop == kTimerLoop) && !m_graph.HasEquation(nSource)) {
            Add(ESeverity::Warning, "never-driven", {nIndex, nSource},
                Name(nSource) + " has no equation, so its term in " + Name(nIndex) +
                    " never changes.");
        } else if (nEnable >= 0 && !m_graph.HasEquation(nEnable)) {
            Add(ESeverity::Warning, "timer-never-runs", {nIndex, nEnable},
                "Timer " + CSystem::IndexDesignation(nSource) + " never runs: its enable channel " +
                    Name(nEnable) + " has no equation, so the " + Name(nSource) + " term in " +
                    Name(nIndex) + " never changes.");
            m_aFindings.back().strTimer = CSystem::IndexDesignation(nSource);
        }
    }
}

// How the editor presents the group decides what the technician sees: an
// AND group of x and NOT x is always false, an OR group of them always true.
void CSystemCheck::CheckGroups(short nIndex) {
    const CChannelRecord& record = m_system.Channel(
        CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex), CSystem::LoopOf(nIndex));
    const bool bAndGroups = !CSystem::IsTermNotInverted(TypeOf(record));
    const std::vector<CLogicTerm>& aTerms = m_graph.Terms(nIndex);
    std::set<std::pair<short, short>> aSeen;
    for (const CLogicTerm& term : aTerms) {
        if (!aSeen.insert({term.nGroup, term.nSource}).second)
            continue;
        int anCount[2] = {0, 0};
        for (const CLogicTerm& other : aTerms) {
            if (other.nGroup == term.nGroup && other.nSource == term.nSource)
                ++anCount[other.bNot ? 1 : 0];
        }
        const std::string strWhere = std::string(GroupName(term.nGroup)) + " of " + Name(nIndex) +
                                     " holds " + Name(term.nSource);
        if (anCount[0] > 0 && anCount[1] > 0)
            Add(ESeverity::Warning, "group-constant", {nIndex},
                strWhere + " with and without NOT, so the group is always " +
                    (bAndGroups ? "false." : "true."));
        else if (anCount[0] + anCount[1] > 1)
            Add(ESeverity::Note, "repeated-term", {nIndex},
                strWhere + " twice with the same NOT; one of the terms does nothing.");
    }
}

void CSystemCheck::CheckOutputFlags(short nIndex) {
    const short nLoop = CSystem::LoopOf(nIndex);
    const CChannelRecord& record =
        m_system.Channel(CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex), nLoop);
    if (nLoop > kYellowLoop || record.m_bOutput || record.m_bMomentaryLatch)
        return;
    Add(ESeverity::Warning, "drives-nothing", {nIndex},
        Name(nIndex) + " has an equation but neither OUTPUT CHANNEL nor MOMENTARY SWITCH LATCH, "
                       "so it switches nothing.");
}

// Only a defined equation is sent, and its flags travel inside it: a channel
// without one keeps none of them in the controller. A latch makes an
// equation defined, and OUTPUT alone is the output-without-equation
// finding's business, so this is about ON AT POWER UP.
void CSystemCheck::CheckFlagsWithoutEquation(short nIndex) {
    const short nLoop = CSystem::LoopOf(nIndex);
    const short nModule = CSystem::ModuleOf(nIndex);
    const short nChannel = CSystem::ChannelOf(nIndex);
    if (m_system.IsEquationDefined(nModule, nChannel, nLoop) ||
        !m_system.Channel(nModule, nChannel, nLoop).m_bPowerUpOn)
        return;
    Add(ESeverity::Warning, "flags-not-sent", {nIndex}, Name(nIndex) + kPowerUpNotSentText);
}

// A count the controller cannot hold would be sent as another one.
void CSystemCheck::CheckTimers() {
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        for (const std::string& strText : {CountRangeText::TimerReload(m_system, nTimer),
                                           CountRangeText::TimerCurrent(m_system, nTimer)}) {
            if (strText.empty())
                continue;
            Add(ESeverity::Error, "timer-not-countable",
                {static_cast<short>(kTimerEnableA1 + nTimer)}, strText);
            m_aFindings.back().strTimer = CSystem::IndexDesignation(nTimer);
        }
    }
}

// Equations the editors would refuse today: a file written elsewhere, or
// before the module's type changed, can still hold them.
void CSystemCheck::CheckModuleType(short nIndex) {
    const short nLoop = CSystem::LoopOf(nIndex);
    const short nModule = CSystem::ModuleOf(nIndex);
    const short nChannel = CSystem::ChannelOf(nIndex);
    const short nType = m_system.GetModuleType(nModule, nLoop);
    const ModuleType* pType = m_types.FindById(nType);
    if (!pType)
        return;
    const std::string strType = "module type \"" + pType->m_strName + "\"";
    if (!m_types.ChannelMayCarryBoolean(nType, nChannel + 1)) {
        Add(ESeverity::Warning, "not-an-output", {nIndex},
            Name(nIndex) + " carries an equation, but " + strType +
                " marks the channel neither as an output nor as a momentary switch latch.");
        return;
    }
    if (!m_system.Channel(nModule, nChannel, nLoop).m_bMomentaryLatch)
        return;
    if (pType->m_abOutput[nChannel] && !pType->m_abSwitch[nChannel])
        Add(ESeverity::Note, "latch-not-allowed", {nIndex},
            Name(nIndex) + " has MOMENTARY SWITCH LATCH set, but " + strType +
                " marks the channel as an output, not as a momentary switch latch.");
}

void CSystemCheck::CheckCircles() {
    for (const CLogicCircle& circle : m_graph.Circles()) {
        if (!circle.bInverting)
            continue;
        const std::string strText =
            circle.anChannels.size() == 1
                ? Name(circle.anChannels.front()) +
                      " switches itself through an odd number of NOTs, so it flips on every scan."
                : "These channels switch each other in a circle through an odd number of NOTs, "
                  "so they flip on every scan.";
        Add(ESeverity::Error, "oscillating-loop", circle.anChannels, strText);
    }
}

void CSystemCheck::CheckHiSpeedPairs() {
    std::set<short> anSeen;
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        for (short nIndex : {m_system.GetHiSpeedInput(nPair), m_system.GetHiSpeedOutput(nPair)}) {
            if (!CSystem::IsValidIndex(nIndex) || !anSeen.insert(nIndex).second ||
                !m_system.IsEquationDefined(CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex),
                                            CSystem::LoopOf(nIndex)))
                continue;
            Add(ESeverity::Error, "high-speed-equation", {nIndex},
                Name(nIndex) + " belongs to high speed pair " + std::to_string(nPair + 1) +
                    " but carries an equation; the pair drives the channel.");
            m_aFindings.back().nPair = nPair + 1;
        }
    }
}

void CSystemCheck::CheckLabels(short nLoop) {
    std::map<std::string, std::vector<short>> aaByLabel;
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
        for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
            if (!m_system.IsChannelLabelCustom(nModule, nChannel, nLoop))
                continue;
            const std::string strLabel = m_system.GetChannelLabel(nModule, nChannel, nLoop);
            if (!strLabel.empty())
                aaByLabel[strLabel].push_back(CSystem::MakeIndex(nLoop, nModule, nChannel));
        }
    }
    for (const auto& [strLabel, anChannels] : aaByLabel) {
        if (anChannels.size() > 1)
            Add(ESeverity::Note, "duplicate-label", anChannels,
                "These channels of the " + CSystem::GetLoopName(nLoop) + " all carry the label \"" +
                    strLabel + "\".");
    }
}

void CSystemCheck::Add(ESeverity severity, const char* szId, std::vector<short> anChannels,
                       const std::string& strText) {
    CSystemFinding finding;
    finding.severity = severity;
    finding.strId = szId;
    for (short nIndex : anChannels)
        finding.aChannels.push_back(Channel(nIndex));
    finding.strText = strText;
    m_aFindings.push_back(finding);
}

CFindingChannel CSystemCheck::Channel(short nIndex) const {
    const short nLoop = CSystem::LoopOf(nIndex);
    const short nModule = CSystem::ModuleOf(nIndex);
    const short nChannel = CSystem::ChannelOf(nIndex);
    CFindingChannel channel{nIndex, CSystem::GetLoopShortName(nLoop),
                            CSystem::ChannelDesignation(nModule, nChannel), ""};
    if (m_system.IsChannelLabelCustom(nModule, nChannel, nLoop))
        channel.strLabel = m_system.GetChannelLabel(nModule, nChannel, nLoop);
    return channel;
}

std::string CSystemCheck::Name(short nIndex) const {
    return CSystem::GetLoopShortName(CSystem::LoopOf(nIndex)) + " " +
           CSystem::IndexDesignation(nIndex);
}
