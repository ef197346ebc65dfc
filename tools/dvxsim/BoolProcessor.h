#pragma once

#include "ControllerMemory.h"

#include <chrono>

// The controller's Boolean processor. One scan evaluates every defined
// equation of loops 0..3 in channel index order (an equation sees the
// results computed before it in the same scan), then drives the high speed
// pairs and the timers. Terms marked "Pr" are evaluated like any other term.
class CBoolProcessor {
public:
    static constexpr int kScanMs = 10;
    static constexpr int kFastUnitMs = 100;
    static constexpr int kSlowUnitMs = 10000;

    // Power-up: every channel off except those marked on at power up; latch
    // and timer history forgotten.
    void PowerUp(CControllerMemory& memory);
    // nElapsedMs is the time since the previous scan; timers count with it.
    void Scan(CControllerMemory& memory, int nElapsedMs);
    // How long the last scan took, in whole milliseconds rounded up, at most
    // 255 (the answer has two digits); 0 before the first scan.
    int LastScanMs() const;

    // Q = [NOT] ( [NOT] (A1 AND A2 AND A3) OR [NOT] (B1 AND B2 AND B3) ) with
    // absent terms and empty groups left out; no group at all reads as off
    // before the whole-equation NOT.
    static bool Evaluate(const CEquationBlock& block, const bool* abState);

private:
    void ScanEquations(CControllerMemory& memory);
    static void DrivePairs(CControllerMemory& memory);
    void RunTimers(CControllerMemory& memory, int nElapsedMs);
    void RunTimer(CControllerMemory& memory, int nTimer, int nElapsedMs);

    bool m_abLastResult[CControllerMemory::kChannels] = {};
    bool m_abTimerEnabled[CControllerMemory::kTimers] = {};
    int m_anTimerElapsedMs[CControllerMemory::kTimers] = {};
    std::chrono::microseconds m_lastScan{0};
};
