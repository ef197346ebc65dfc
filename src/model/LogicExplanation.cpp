#include "model/LogicExplanation.h"

#include "model/ChannelRecord.h"
#include "model/System.h"

#include <algorithm>
#include <cstdio>
#include <deque>

namespace {

constexpr const char* kForcedText = ": its state was forced";

ELogicState Invert(ELogicState state, bool bNot) {
    if (!bNot || state == ELogicState::Unknown)
        return state;
    return state == ELogicState::On ? ELogicState::Off : ELogicState::On;
}

std::string Joined(const std::vector<std::string>& astrParts, const char* szGlue) {
    std::string strText;
    for (const std::string& strPart : astrParts) {
        if (!strText.empty())
            strText += szGlue;
        strText += strPart;
    }
    return strText;
}

} // namespace

// --- one equation ---

CLogicEquation CLogicEquation::Of(const CLogicGraph& graph, short nIndex) {
    CLogicEquation equation;
    equation.aTerms = graph.Terms(nIndex);
    equation.abGroupNot[0] = graph.IsGroupNot(nIndex, 0);
    equation.abGroupNot[1] = graph.IsGroupNot(nIndex, 1);
    equation.bEquationNot = graph.IsEquationNot(nIndex);
    equation.bLatched = graph.IsLatched(nIndex);
    return equation;
}

CLogicEquation CLogicEquation::Of(const CChannelRecord& record) {
    CLogicEquation equation;
    equation.aTerms = CLogicGraph::ReadTerms(record);
    equation.abGroupNot[0] = record.m_bGroupNotA != 0;
    equation.abGroupNot[1] = record.m_bGroupNotB != 0;
    equation.bEquationNot = record.m_bEquationNot != 0;
    equation.bLatched = record.m_bMomentaryLatch != 0;
    return equation;
}

bool CLogicEquation::HasGroup(short nGroup) const {
    return std::any_of(aTerms.begin(), aTerms.end(),
                       [nGroup](const CLogicTerm& term) { return term.nGroup == nGroup; });
}

ELogicState CLogicEquation::TermValue(const CLogicTerm& term, const CLogicFacts& facts) {
    return Invert(facts.State(term.nSource), term.bNot);
}

ELogicState CLogicEquation::GroupAnd(short nGroup, const CLogicFacts& facts) const {
    ELogicState value = HasGroup(nGroup) ? ELogicState::On : ELogicState::Unknown;
    for (const CLogicTerm& term : aTerms) {
        if (term.nGroup != nGroup)
            continue;
        const ELogicState termValue = TermValue(term, facts);
        if (termValue == ELogicState::Off)
            return ELogicState::Off;
        if (termValue == ELogicState::Unknown)
            value = ELogicState::Unknown;
    }
    return value;
}

ELogicState CLogicEquation::GroupValue(short nGroup, const CLogicFacts& facts) const {
    return Invert(GroupAnd(nGroup, facts), abGroupNot[nGroup]);
}

ELogicState CLogicEquation::Result(const CLogicFacts& facts) const {
    ELogicState value = ELogicState::Off;
    for (short nGroup : {0, 1}) {
        if (!HasGroup(nGroup))
            continue;
        const ELogicState groupValue = GroupValue(nGroup, facts);
        if (groupValue == ELogicState::On) {
            value = ELogicState::On;
            break;
        }
        if (groupValue == ELogicState::Unknown)
            value = ELogicState::Unknown;
    }
    return Invert(value, bEquationNot);
}

std::vector<int> CLogicEquation::DecidingTermsOfGroup(short nGroup,
                                                      const CLogicFacts& facts) const {
    // An AND that is off is off through each of its off terms; one that is
    // on needs every term.
    const bool bOff = GroupAnd(nGroup, facts) == ELogicState::Off;
    std::vector<int> anTerms;
    for (int i = 0; i < static_cast<int>(aTerms.size()); ++i) {
        if (aTerms[i].nGroup != nGroup)
            continue;
        if (!bOff || TermValue(aTerms[i], facts) == ELogicState::Off)
            anTerms.push_back(i);
    }
    return anTerms;
}

std::vector<int> CLogicEquation::DecidingTerms(const CLogicFacts& facts) const {
    std::vector<int> anTerms;
    const ELogicState result = Result(facts);
    if (result == ELogicState::Unknown)
        return anTerms;
    // The OR of the groups is on through each group that is on; off, it
    // needs every group.
    const bool bOrOn = Invert(result, bEquationNot) == ELogicState::On;
    for (short nGroup : {0, 1}) {
        if (!HasGroup(nGroup))
            continue;
        if (bOrOn && GroupValue(nGroup, facts) != ELogicState::On)
            continue;
        const std::vector<int> anGroup = DecidingTermsOfGroup(nGroup, facts);
        anTerms.insert(anTerms.end(), anGroup.begin(), anGroup.end());
    }
    return anTerms;
}

// --- words ---

std::string CLogicExplanation::Name(const CSystem& system, short nIndex) {
    if (!CSystem::IsValidIndex(nIndex))
        return "_";
    const short nLoop = CSystem::LoopOf(nIndex);
    const short nModule = CSystem::ModuleOf(nIndex);
    const short nChannel = CSystem::ChannelOf(nIndex);
    std::string strName =
        CSystem::GetLoopShortName(nLoop) + " " + CSystem::ChannelDesignation(nModule, nChannel);
    if (system.IsChannelLabelCustom(nModule, nChannel, nLoop))
        strName += " (" + system.GetChannelLabel(nModule, nChannel, nLoop) + ")";
    return strName;
}

const char* CLogicExplanation::StateWord(ELogicState state) {
    switch (state) {
    case ELogicState::On:
        return "on";
    case ELogicState::Off:
        return "off";
    default:
        return "unknown";
    }
}

std::string CLogicExplanation::Line(short nIndex) const {
    std::vector<std::string> astrSentences;
    std::vector<bool> abSeen(CSystem::kChannels, false);
    std::deque<short> anQueue{nIndex};
    if (CSystem::IsValidIndex(nIndex))
        abSeen[nIndex] = true;
    while (!anQueue.empty() && static_cast<int>(astrSentences.size()) < kMaxSentences) {
        const short nChannel = anQueue.front();
        anQueue.pop_front();
        astrSentences.push_back(Sentence(nChannel));
        for (short nNext : FollowedBy(nChannel)) {
            if (abSeen[nNext])
                continue;
            abSeen[nNext] = true;
            anQueue.push_back(nNext);
        }
    }
    std::string strLine = Joined(astrSentences, "; ");
    if (!anQueue.empty())
        strLine += "; ...";
    return strLine;
}

std::string CLogicExplanation::Sentence(short nIndex) const {
    if (!CSystem::IsValidIndex(nIndex))
        return {};
    if (CLogicGraph::TimerEnableOf(nIndex) >= 0)
        return TimerSentence(nIndex);
    if (!m_graph.HasEquation(nIndex))
        return Name(m_system, nIndex) + " is " + StateWord(m_facts.State(nIndex)) +
               (m_facts.IsForced(nIndex) ? kForcedText : ": no equation drives it");
    return Sentence(nIndex, CLogicEquation::Of(m_graph, nIndex));
}

std::string CLogicExplanation::Sentence(short nIndex, const CLogicEquation& equation) const {
    const std::string strName = Name(m_system, nIndex);
    const ELogicState state = m_facts.State(nIndex);
    const std::string strIs = strName + " is " + StateWord(state);
    const ELogicState result = equation.Result(m_facts);
    if (equation.bLatched)
        return strIs + ": it is a momentary switch latch, its state is the latch's memory";
    // A forced state lasts only until the processor's next scan of the
    // channel's equation: it shows where the state is not the equation's.
    if (m_facts.IsForced(nIndex) && state != ELogicState::Unknown &&
        (m_facts.bProcessorOff || state != result))
        return strIs + kForcedText;
    if (m_facts.bProcessorOff)
        return strIs + ": the Boolean processor is switched off";
    std::string strSentence;
    if (result == ELogicState::Unknown)
        strSentence = strIs + ": the states of its terms have not all been reported";
    else if (state != ELogicState::Unknown && state != result)
        strSentence = strName + " is reported " + StateWord(state) + ", but its equation gives " +
                      StateWord(result);
    else
        strSentence = Because(nIndex, equation, result);
    if (m_facts.Differs(nIndex))
        strSentence += " (the controller holds another equation for it)";
    return strSentence;
}

std::string CLogicExplanation::Because(short nIndex, const CLogicEquation& equation,
                                       ELogicState result) const {
    const std::string strName = Name(m_system, nIndex);
    const std::string strHead = m_facts.State(nIndex) == ELogicState::Unknown
                                    ? strName + " is not reported yet, its equation gives "
                                    : strName + " is ";
    std::vector<std::string> astrReasons;
    std::vector<short> anSources;
    for (int nTerm : equation.DecidingTerms(m_facts)) {
        const short nSource = equation.aTerms[nTerm].nSource;
        if (std::find(anSources.begin(), anSources.end(), nSource) != anSources.end())
            continue;
        anSources.push_back(nSource);
        astrReasons.push_back(Name(m_system, nSource) + " is " + StateWord(m_facts.State(nSource)));
    }
    if (astrReasons.empty())
        return strHead + StateWord(result) + ": its equation has no terms";
    return strHead + StateWord(result) + " because " + Joined(astrReasons, " and ");
}

std::string CLogicExplanation::TimerSentence(short nIndex) const {
    const short nEnable = CLogicGraph::TimerEnableOf(nIndex);
    const short nTimer =
        static_cast<short>(CSystem::ModuleOf(nEnable) * 10 + CSystem::ChannelOf(nEnable));
    char szTimer[96];
    std::snprintf(szTimer, sizeof szTimer, ": it reports timer %d (%g s) of ", nTimer,
                  static_cast<double>(m_system.GetTimerReloadAsRun(nTimer)));
    return Name(m_system, nIndex) + " is " + StateWord(m_facts.State(nIndex)) + szTimer +
           Name(m_system, nEnable) + ", which is " + StateWord(m_facts.State(nEnable));
}

std::vector<short> CLogicExplanation::FollowedBy(short nIndex) const {
    std::vector<short> anNext;
    if (!CSystem::IsValidIndex(nIndex))
        return anNext;
    const short nEnable = CLogicGraph::TimerEnableOf(nIndex);
    if (nEnable >= 0) {
        if (m_graph.HasEquation(nEnable))
            anNext.push_back(nEnable);
        return anNext;
    }
    if (!m_graph.HasEquation(nIndex) || m_graph.IsLatched(nIndex) || m_facts.IsForced(nIndex) ||
        m_facts.bProcessorOff)
        return anNext;
    const CLogicEquation equation = CLogicEquation::Of(m_graph, nIndex);
    for (int nTerm : equation.DecidingTerms(m_facts)) {
        const short nSource = equation.aTerms[nTerm].nSource;
        if (m_graph.HasEquation(nSource) || CLogicGraph::TimerEnableOf(nSource) >= 0)
            anNext.push_back(nSource);
    }
    return anNext;
}
