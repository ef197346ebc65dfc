#include "LinePacer.h"

#include <algorithm>

CLinePacer::CLinePacer(int nBaud) {
    if (nBaud > 0) {
        m_charTime = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(11)) / nBaud;
    }
}

void CLinePacer::Waiting(Clock::time_point now) {
    if (!IsPaced() || m_bBusy) {
        return;
    }
    m_next = std::max(m_free, now) + m_charTime;
    m_bBusy = true;
}

void CLinePacer::Passed() {
    if (!IsPaced()) {
        return;
    }
    m_free = m_next;
    m_next += m_charTime;
}
