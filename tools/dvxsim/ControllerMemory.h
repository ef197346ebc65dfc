#pragma once

#include "EquationBlock.h"
#include "Frame.h"

#include <cstdint>
#include <string>

// Everything the controller remembers: what the PC writes with its frames
// (equations, labels, timers, sleep mode, high speed pairs, the module link)
// and the run state (processor on or off, loop reports, channel states).
class CControllerMemory {
public:
    static constexpr int kLoops = 6;
    static constexpr int kModules = 16;
    static constexpr int kChannelsPerLoop = 160;
    static constexpr int kChannels = 960;
    static constexpr int kEquationLoops = 4;
    static constexpr int kModuleSlots = 96;
    static constexpr int kSysLabels = 10;
    static constexpr int kTimers = 160;
    static constexpr int kPairs = 4;
    static constexpr uint8_t kNoPairChannel = 0xFF;
    static constexpr int kTimerEnableLoop = 3;
    static constexpr int kTimerDoneLoop = 4;
    static constexpr int kTimerRunningLoop = 5;

    CControllerMemory() { ResetToDefaults(); }

    // What a fresh system holds: default labels, every timer reloading
    // 10 seconds, no equations, no pairs, sleep mode off, all channels off.
    void ResetToDefaults();

    // Stores what a writing frame carries; false for frames that write nothing.
    bool Store(const CFrame& frame);

    static bool IsFastTimer(int nTimer) { return nTimer % 10 < 6; }
    static uint8_t DefaultReloadCount(int nTimer) { return IsFastTimer(nTimer) ? 100 : 1; }
    static int TimerChannel(int nLoop, int nTimer) { return nLoop * kChannelsPerLoop + nTimer; }

    CEquationBlock m_aEquation[kChannels];
    std::string m_astrChannelLabel[kChannels];
    std::string m_astrModuleLabel[kModuleSlots];
    std::string m_astrSysLabel[kSysLabels];
    uint8_t m_anTimerReload[kTimers] = {};
    uint8_t m_anTimerCurrent[kTimers] = {};
    bool m_bSleepEnabled = false;
    uint8_t m_nSleepWakeUp = 10;
    uint8_t m_nSleepInactivity = 2;
    uint8_t m_anHiSpeedInput[kPairs] = {};
    uint8_t m_anHiSpeedOutput[kPairs] = {};
    bool m_bModuleLink = false;

    bool m_bProcessorOn = true;
    bool m_abLoopMonitor[kLoops] = {};
    bool m_abChannelState[kChannels] = {};
};
