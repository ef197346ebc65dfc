#include "LinePacer.h"

CLinePacer::CLinePacer(int nBaud) {
    if (nBaud > 0) {
        m_charTime = std::chrono::duration_cast<Clock::duration>(std::chrono::seconds(11)) / nBaud;
    }
}

// A late wake-up keeps the schedule; after a pause the line starts afresh,
// so idle time never turns into a burst.
void CLinePacer::Passed(Clock::time_point now) {
    if (IsPaced()) {
        m_next = now - m_next > m_charTime ? now + m_charTime : m_next + m_charTime;
    }
}
