#pragma once

#include "EquationBlock.h"

#include <string>

// What one received line asks of the controller, decoded.
enum class EFrameKind {
    Invalid,
    QueryModuleLink,
    SetModuleLink,
    ReadProcessorTime,
    Pause,
    Continue,
    SetProcessor,
    LoopMonitor,
    ChannelState,
    ClearMemory,
    ReadEquation,
    WriteEquation,
    ReadSleepEnabled,
    ReadSleepWakeUp,
    ReadSleepInactivity,
    SetSleepEnabled,
    SetSleepWakeUp,
    SetSleepInactivity,
    ReadHiSpeedInput,
    ReadHiSpeedOutput,
    SetHiSpeedInput,
    SetHiSpeedOutput,
    ReadTimerReload,
    ReadTimerCurrent,
    SetTimerReload,
    SetTimerCurrent,
    ReadChannelLabel,
    ReadModuleLabel,
    ReadSysLabel,
    SetChannelLabel,
    SetModuleLabel,
    SetSysLabel,
};

// A decoded frame. m_nTarget is the channel index, module slot, loop, pair,
// timer or system label number the frame addresses; m_nValue the number it
// carries (a flag, state, count, interval or pair channel); m_strText a label.
// An invalid frame carries the reason in m_strText.
struct CFrame {
    EFrameKind m_kind = EFrameKind::Invalid;
    int m_nTarget = 0;
    int m_nValue = 0;
    std::string m_strText;
    CEquationBlock m_block;
};
