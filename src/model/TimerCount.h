#pragma once

// A timer's seconds as the controller counts them: whole units of 0.1 s on a
// FAST timer and 10 s on a SLOW one, held in one byte from 0 to 254 (25.4 s
// and 2540 s). A stored value may lie outside that, or be no number at all
// (a file written elsewhere); it is then not countable, and what travels in
// its stead is the nearest count the controller holds.
class CTimerCount {
public:
    static constexpr int kMaxCount = 254;

    // A reload is counted with 0.01 s added, so 0.7 s typed gives 7 counts.
    static CTimerCount Reload(float fSeconds, bool bFast);
    // A current value is divided in single precision and not rounded up:
    // in double precision 110 of the counts 0..254 would read back one lower
    // than they were set.
    static CTimerCount Current(float fSeconds, bool bFast);

    static float Unit(bool bFast) { return bFast ? 0.1f : 10.0f; }

    bool IsCountable() const;
    bool IsAboveRange() const { return m_fCounts > kMaxCount; }
    bool IsBelowRange() const { return m_fCounts < 0; }
    bool IsNumber() const;
    // The count itself when countable; otherwise 0 to 254, the nearer end
    // of the range (0 for no number).
    short Nearest() const;

    // A whole count in the same byte, as the sleep intervals travel: itself
    // when 0 to 254, else the nearer end of that range.
    static short NearestCount(int nCount);
    static bool IsCountable(int nCount) { return nCount >= 0 && nCount <= kMaxCount; }

private:
    explicit CTimerCount(double fCounts) : m_fCounts(fCounts) {}

    double m_fCounts;
};
