#pragma once

#include <chrono>

// Lets characters pass no faster than a serial line of the given speed
// carries them (eleven bits a character: start, eight data, two stop). A
// speed of 0 lets everything pass at once.
class CLinePacer {
public:
    using Clock = std::chrono::steady_clock;

    explicit CLinePacer(int nBaud = 0);

    bool IsPaced() const { return m_charTime.count() > 0; }
    // Whether one character may pass at now.
    bool MayPass(Clock::time_point now) const { return !IsPaced() || now >= m_next; }
    // Records that one character passed at now.
    void Passed(Clock::time_point now);
    // When the next character may pass.
    Clock::time_point Next() const { return m_next; }

private:
    Clock::duration m_charTime{0};
    Clock::time_point m_next{};
};
