#include "diagnostics/LoopReports.h"

void CLoopReports::Acquire(short nLoop) {
    if (!IsLoop(nLoop))
        return;
    if (m_nTotal == 0 && m_actions.fnSave)
        m_actions.fnSave();
    Add(nLoop);
}

void CLoopReports::Release(short nLoop) {
    if (!IsLoop(nLoop) || m_anUsers[nLoop] == 0)
        return;
    Remove(nLoop);
    if (m_nTotal == 0 && m_actions.fnRestore)
        m_actions.fnRestore();
}

void CLoopReports::Move(short nFrom, short nTo) {
    if (nFrom == nTo || !IsLoop(nTo) || !IsLoop(nFrom) || m_anUsers[nFrom] == 0)
        return;
    Remove(nFrom);
    Add(nTo);
}

void CLoopReports::Add(short nLoop) {
    ++m_nTotal;
    if (m_anUsers[nLoop]++ > 0)
        return;
    m_anLinesAtStart[nLoop] = LinesReceived(nLoop);
    if (m_actions.fnMonitor)
        m_actions.fnMonitor(nLoop, true);
}

void CLoopReports::Remove(short nLoop) {
    --m_nTotal;
    if (--m_anUsers[nLoop] == 0 && m_actions.fnMonitor)
        m_actions.fnMonitor(nLoop, false);
}

long CLoopReports::LinesReceived(short nLoop) const {
    return m_actions.fnLinesReceived ? m_actions.fnLinesReceived(nLoop) : 0;
}

bool CLoopReports::HasReported(short nLoop) const {
    return IsLoop(nLoop) && m_anUsers[nLoop] > 0 && LinesReceived(nLoop) > m_anLinesAtStart[nLoop];
}

void CLoopHolds::Hold(short nLoop) {
    if (!m_pReports || nLoop < 0 || nLoop >= CLoopReports::kLoops || m_abHeld[nLoop])
        return;
    m_abHeld[nLoop] = true;
    m_pReports->Acquire(nLoop);
}

void CLoopHolds::HoldOnly(const CLoops& abWanted) {
    for (short nLoop = 0; nLoop < CLoopReports::kLoops; ++nLoop) {
        if (abWanted[nLoop])
            Hold(nLoop);
    }
    for (short nLoop = 0; nLoop < CLoopReports::kLoops; ++nLoop) {
        if (!abWanted[nLoop] && m_abHeld[nLoop]) {
            m_abHeld[nLoop] = false;
            m_pReports->Release(nLoop);
        }
    }
}

void CLoopHolds::ReleaseAll() { HoldOnly(CLoops{}); }
