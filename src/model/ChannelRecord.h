#pragma once

#include <cstdint>

// One channel's equation in canonical form, its flags and its run-time marks:
//   Q = [NOT] ( [NOT] (A1 AND A2 AND A3) OR [NOT] (B1 AND B2 AND B3) )
// Flags are 32-bit integers read as true when nonzero; term sources are
// channel indices with -1 for an absent term.
struct CChannelRecord {
    int32_t m_bEquationNot = 0;
    int32_t m_abTermNotA[3] = {0, 0, 0};
    int32_t m_abTermNotB[3] = {0, 0, 0};
    int32_t m_bGroupNotA = 0;
    int32_t m_bGroupNotB = 0;
    int32_t m_bPowerUpOn = 0;
    int32_t m_bOutput = 0;
    int32_t m_bMomentaryLatch = 0;
    int16_t m_anTermA[3] = {-1, -1, -1};
    int16_t m_anTermB[3] = {-1, -1, -1};
    int32_t m_bCopyMark = 0;
    int32_t m_anReservedA[4] = {0, 0, 0, 0};
    int32_t m_abTermPrA[3] = {0, 0, 0};
    int32_t m_abTermPrB[3] = {0, 0, 0};
    int32_t m_nReservedB = 0;
    int32_t m_nReservedC = 0;
    int16_t m_nReservedD = 0;
    int16_t m_nEquationType = 0;
    int32_t m_nReservedE = 0;
    int32_t m_bWhereUsed = 0;

    // The equation fields: everything copy, paste, clear, backup and restore
    // carry. The equation type and the reserved and run-time fields stay.
    void ClearEquationFields();
    void CopyEquationFieldsFrom(const CChannelRecord& source);
};
