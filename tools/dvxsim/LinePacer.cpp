#include "LinePacer.h"

#include <algorithm>

CLinePacer::CLinePacer(int nBaud) {
    if (nBaud > 0) {
        m_charTime = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(11)) / nBaud;
    }
}

// A late wake-up may catch up by one character, never by a burst.
void CLinePacer::Passed(Clock::time_point now) {
    if (IsPaced()) {
        m_next = std::max(m_next, now - m_charTime) + m_charTime;
    }
}
