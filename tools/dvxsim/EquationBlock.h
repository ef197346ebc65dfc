#pragma once

#include <cstdint>
#include <string>

// One channel's equation as the controller keeps it: the three flag bytes and
// six term sources exactly as they arrived, so that what is read back equals
// what was written, field for field. Sources outside 0..959 mean no term.
struct CEquationBlock {
    static constexpr uint16_t kNoTerm = 0xFFF;
    // Every block the controller sends ends with this tail; the PC ignores it.
    static constexpr const char* kTail = "3300";

    uint8_t m_nFlags0 = 0;
    uint8_t m_nFlags1 = 0;
    uint8_t m_nFlags2 = 0;
    uint16_t m_anTerm[6] = {kNoTerm, kNoTerm, kNoTerm, kNoTerm, kNoTerm, kNoTerm};

    bool operator==(const CEquationBlock&) const = default;

    bool IsEquationNot() const { return (m_nFlags0 & 0x01) != 0; }
    bool IsOutput() const { return (m_nFlags0 & 0x02) != 0; }
    bool IsPowerUpOn() const { return (m_nFlags0 & 0x04) != 0; }
    bool IsMomentaryLatch() const { return (m_nFlags0 & 0x08) != 0; }
    bool IsGroupNot(int nGroup) const;
    bool IsTermNot(int nGroup, int nTerm) const;
    bool IsTermPr(int nGroup, int nTerm) const;
    // The source of term nTerm (0..2) of group nGroup (0 = A, 1 = B), or -1.
    int TermSource(int nGroup, int nTerm) const;
    bool IsGroupPresent(int nGroup) const;
    // Defined as the PC counts it: the latch flag or any present term.
    bool IsDefined() const;

    // The block's 27 digits followed by the tail.
    std::string Encode() const;
};
