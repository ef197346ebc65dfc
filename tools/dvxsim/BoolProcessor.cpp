#include "BoolProcessor.h"

#include <algorithm>

using Memory = CControllerMemory;

void CBoolProcessor::PowerUp(CControllerMemory& memory) {
    for (int nIndex = 0; nIndex < Memory::kChannels; ++nIndex) {
        memory.m_abChannelState[nIndex] = memory.m_aEquation[nIndex].IsPowerUpOn();
        m_abLastResult[nIndex] = false;
    }
    std::fill(std::begin(m_abTimerEnabled), std::end(m_abTimerEnabled), false);
    std::fill(std::begin(m_anTimerElapsedMs), std::end(m_anTimerElapsedMs), 0);
}

void CBoolProcessor::Scan(CControllerMemory& memory, int nElapsedMs) {
    const auto start = std::chrono::steady_clock::now();
    ScanEquations(memory);
    DrivePairs(memory);
    RunTimers(memory, nElapsedMs);
    m_lastScan = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - start);
}

int CBoolProcessor::LastScanMs() const {
    const auto nMs = (m_lastScan.count() + 999) / 1000;
    return static_cast<int>(std::min<long long>(nMs, 255));
}

bool CBoolProcessor::Evaluate(const CEquationBlock& block, const bool* abState) {
    bool bResult = false;
    for (int nGroup = 0; nGroup < 2; ++nGroup) {
        if (!block.IsGroupPresent(nGroup)) {
            continue;
        }
        bool bGroup = true;
        for (int nTerm = 0; nTerm < 3; ++nTerm) {
            const int nSource = block.TermSource(nGroup, nTerm);
            if (nSource >= 0) {
                bGroup = bGroup && (abState[nSource] != block.IsTermNot(nGroup, nTerm));
            }
        }
        bResult = bResult || (bGroup != block.IsGroupNot(nGroup));
    }
    return bResult != block.IsEquationNot();
}

void CBoolProcessor::ScanEquations(CControllerMemory& memory) {
    const int nEnd = Memory::kEquationLoops * Memory::kChannelsPerLoop;
    for (int nIndex = 0; nIndex < nEnd; ++nIndex) {
        const CEquationBlock& block = memory.m_aEquation[nIndex];
        if (!block.IsDefined()) {
            continue;
        }
        const bool bResult = Evaluate(block, memory.m_abChannelState);
        bool& bState = memory.m_abChannelState[nIndex];
        if (!block.IsMomentaryLatch()) {
            bState = bResult;
        } else if (bResult && !m_abLastResult[nIndex]) {
            bState = !bState;
        }
        m_abLastResult[nIndex] = bResult;
    }
}

void CBoolProcessor::DrivePairs(CControllerMemory& memory) {
    for (int nPair = 0; nPair < Memory::kPairs; ++nPair) {
        const int nInput = memory.m_anHiSpeedInput[nPair];
        const int nOutput = memory.m_anHiSpeedOutput[nPair];
        if (nInput != Memory::kNoPairChannel && nOutput != Memory::kNoPairChannel) {
            memory.m_abChannelState[nOutput] = memory.m_abChannelState[nInput];
        }
    }
}

void CBoolProcessor::RunTimers(CControllerMemory& memory, int nElapsedMs) {
    for (int nTimer = 0; nTimer < Memory::kTimers; ++nTimer) {
        RunTimer(memory, nTimer, nElapsedMs);
    }
}

// A timer counts down from its reload while its enable channel is on; it is
// running while the count is above zero and done when it reaches zero. When
// the enable drops, the timer is reloaded and both indications go off.
void CBoolProcessor::RunTimer(CControllerMemory& memory, int nTimer, int nElapsedMs) {
    bool* abState = memory.m_abChannelState;
    const bool bEnabled = abState[Memory::TimerChannel(Memory::kTimerEnableLoop, nTimer)];
    uint8_t& nCurrent = memory.m_anTimerCurrent[nTimer];
    bool& bDone = abState[Memory::TimerChannel(Memory::kTimerDoneLoop, nTimer)];
    bool& bRunning = abState[Memory::TimerChannel(Memory::kTimerRunningLoop, nTimer)];
    const bool bWasEnabled = m_abTimerEnabled[nTimer];
    m_abTimerEnabled[nTimer] = bEnabled;
    if (!bEnabled) {
        if (bWasEnabled) {
            nCurrent = memory.m_anTimerReload[nTimer];
        }
        bDone = false;
        bRunning = false;
        return;
    }
    int& nElapsed = m_anTimerElapsedMs[nTimer];
    if (!bWasEnabled) {
        nCurrent = memory.m_anTimerReload[nTimer];
        nElapsed = 0;
    }
    const int nUnitMs = Memory::IsFastTimer(nTimer) ? kFastUnitMs : kSlowUnitMs;
    nElapsed = nCurrent > 0 ? nElapsed + nElapsedMs : 0;
    while (nCurrent > 0 && nElapsed >= nUnitMs) {
        --nCurrent;
        nElapsed -= nUnitMs;
    }
    bRunning = nCurrent > 0;
    bDone = nCurrent == 0;
}
