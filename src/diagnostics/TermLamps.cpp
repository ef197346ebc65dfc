#include "diagnostics/TermLamps.h"

#include "diagnostics/LiveLogic.h"
#include "diagnostics/LogicLamp.h"
#include "model/ChannelRecord.h"
#include "model/System.h"

#include <QLabel>

namespace {

short TermSource(const CChannelRecord& record, int nTerm) {
    return nTerm < 3 ? record.m_anTermA[nTerm] : record.m_anTermB[nTerm - 3];
}

} // namespace

CTermLamps::CTermLamps(CLiveLogic* pLive, CLamps lamps)
    : m_pLive(pLive), m_lamps(lamps), m_holds(pLive ? &pLive->Reports() : nullptr) {}

CLogicFacts CTermLamps::Facts() const { return m_pLive ? m_pLive->Facts() : CLogicFacts{}; }

void CTermLamps::Refresh(const CChannelRecord& equation, short nIndex) {
    HoldLoops(equation, nIndex);
    const CLogicFacts facts = Facts();
    for (int i = 0; i < kTerms; ++i) {
        if (m_lamps.apTerm[i])
            ShowLogicLamp(*m_lamps.apTerm[i], facts.State(TermSource(equation, i)));
    }
    const CLogicEquation logic = CLogicEquation::Of(equation);
    for (short nGroup : {0, 1}) {
        if (m_lamps.apGroup[nGroup])
            ShowLogicLamp(*m_lamps.apGroup[nGroup], logic.GroupValue(nGroup, facts));
    }
    if (m_lamps.pResult)
        ShowLogicLamp(*m_lamps.pResult, logic.Result(facts));
    if (m_lamps.pChannel)
        ShowLogicLamp(*m_lamps.pChannel, facts.State(nIndex));
}

// The channel's own loop stays held for the whole edit, so loops given up
// by a changed term never leave the reports without a user in between.
void CTermLamps::HoldLoops(const CChannelRecord& equation, short nIndex) {
    if (!m_pLive || !CSystem::IsValidIndex(nIndex))
        return;
    CLoopHolds::CLoops abWanted{};
    abWanted[CSystem::LoopOf(nIndex)] = true;
    for (int i = 0; i < kTerms; ++i) {
        const short nSource = TermSource(equation, i);
        if (CSystem::IsValidIndex(nSource))
            abWanted[CSystem::LoopOf(nSource)] = true;
    }
    m_holds.HoldOnly(abWanted);
}
