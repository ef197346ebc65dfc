#pragma once

#include <chrono>

// Lets characters pass no faster than a serial line of the given speed
// carries them (eleven bits a character: start, eight data, two stop). A
// character passes once its whole time on the line is over, the first of a
// burst included, so a question and its answer take as long as on the real
// line. A speed of 0 lets everything pass at once.
class CLinePacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit CLinePacer(int nBaud = 0);

    bool IsPaced() const { return m_charTime.count() > 0; }
    // Characters wait to cross from now on; on an idle line the first of
    // them starts crossing at now, or when the last one passed if that is
    // later.
    void Waiting(Clock::time_point now);
    // Whether the character crossing the line has arrived at now.
    bool MayPass(Clock::time_point now) const { return !IsPaced() || (m_bBusy && now >= m_next); }
    // Records that the character crossing passed; the next one, if any,
    // starts crossing at once, so a late wake-up keeps the schedule.
    void Passed();
    // Nothing is left to cross: the line is idle until characters wait again.
    void Drained() { m_bBusy = false; }
    // When the character crossing arrives.
    Clock::time_point Next() const { return m_next; }

private:
    Clock::duration m_charTime{0};
    Clock::time_point m_next{};
    Clock::time_point m_free{};
    bool m_bBusy = false;
};
