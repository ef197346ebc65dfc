#include "diagnostics/TermLamps.h"

#include "diagnostics/LiveLogic.h"
#include "diagnostics/LogicLamp.h"
#include "model/ChannelNames.h"
#include "model/ChannelRecord.h"
#include "model/System.h"

#include "shell/Text.h"

#include <QLabel>

namespace {

// What a screen reader says a lamp belongs to, before the state word it
// reads from the lamp itself: "Term A2 Blue B1", "Group B", "Channel Blue A3".
const char* const kTermName = "Term ";
const char* const kGroupName = "Group ";
const char* const kResultName = "Equation gives";
const char* const kChannelName = "Channel ";
const char* const kNoChannelName = "none";

QString ChannelName(short nIndex) {
    if (!CSystem::IsValidIndex(nIndex))
        return kNoChannelName;
    return ToQString(ChannelNames::Channel(nIndex));
}

QString TermName(int nTerm, short nSource) {
    const QChar group(nTerm < 3 ? 'A' : 'B');
    return QString(kTermName) + group + QString::number(nTerm % 3 + 1) + " " + ChannelName(nSource);
}

void Name(QLabel* pLamp, const QString& strName) {
    if (pLamp && pLamp->accessibleName() != strName)
        pLamp->setAccessibleName(strName);
}

short TermSource(const CChannelRecord& record, int nTerm) {
    return nTerm < 3 ? record.m_anTermA[nTerm] : record.m_anTermB[nTerm - 3];
}

} // namespace

CTermLamps::CTermLamps(CLiveLogic* pLive, CLamps lamps)
    : m_pLive(pLive), m_lamps(lamps), m_holds(pLive ? &pLive->Reports() : nullptr) {}

CLogicFacts CTermLamps::Facts() const { return m_pLive ? m_pLive->Facts() : CLogicFacts{}; }

void CTermLamps::Refresh(const CChannelRecord& equation, short nIndex) {
    HoldLoops(equation, nIndex);
    NameLamps(equation, nIndex);
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

void CTermLamps::NameLamps(const CChannelRecord& equation, short nIndex) {
    for (int i = 0; i < kTerms; ++i)
        Name(m_lamps.apTerm[i], TermName(i, TermSource(equation, i)));
    Name(m_lamps.apGroup[0], kGroupName + QString("A"));
    Name(m_lamps.apGroup[1], kGroupName + QString("B"));
    Name(m_lamps.pResult, kResultName);
    Name(m_lamps.pChannel, kChannelName + ChannelName(nIndex));
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
