#include "EquationBlock.h"

#include "ControllerMemory.h"

#include <cstdio>

bool CEquationBlock::IsGroupNot(int nGroup) const {
    return ((nGroup == 0 ? m_nFlags0 : m_nFlags1) & 0x10) != 0;
}

bool CEquationBlock::IsTermNot(int nGroup, int nTerm) const {
    return ((nGroup == 0 ? m_nFlags0 : m_nFlags1) & (0x20 << nTerm)) != 0;
}

bool CEquationBlock::IsTermPr(int nGroup, int nTerm) const {
    return (m_nFlags2 & (1 << (nGroup * 3 + nTerm))) != 0;
}

int CEquationBlock::TermSource(int nGroup, int nTerm) const {
    const int nSource = m_anTerm[nGroup * 3 + nTerm];
    return nSource < CControllerMemory::kChannels ? nSource : -1;
}

bool CEquationBlock::IsGroupPresent(int nGroup) const {
    for (int nTerm = 0; nTerm < 3; ++nTerm) {
        if (TermSource(nGroup, nTerm) >= 0) {
            return true;
        }
    }
    return false;
}

// Asked of every equation at every scan, and most are empty: one look at
// each term.
bool CEquationBlock::IsDefined() const {
    if (IsMomentaryLatch()) {
        return true;
    }
    for (const uint16_t nSource : m_anTerm) {
        if (nSource < CControllerMemory::kChannels) {
            return true;
        }
    }
    return false;
}

std::string CEquationBlock::Encode() const {
    char szText[40];
    std::snprintf(szText, sizeof szText, "%02X%02X%02X%03X%03X%03X%03X%03X%03X%s", m_nFlags0,
                  m_nFlags1, m_nFlags2, m_anTerm[0], m_anTerm[1], m_anTerm[2], m_anTerm[3],
                  m_anTerm[4], m_anTerm[5], kTail);
    return szText;
}
