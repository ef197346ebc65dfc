#include "Controller.h"

#include <cstdio>

std::string CController::Handle(const CFrame& frame) {
    if (frame.m_kind == EFrameKind::Invalid) {
        return kRefused;
    }
    if (m_memory.Store(frame)) {
        m_bChanged = true;
        return kOk;
    }
    const std::string strRunState = HandleRunState(frame);
    return strRunState.empty() ? HandleRead(frame) : strRunState;
}

bool CController::TakeChanged() {
    const bool bChanged = m_bChanged;
    m_bChanged = false;
    return bChanged;
}

// Frames that change what the controller does rather than what it keeps;
// an empty answer for every other frame.
std::string CController::HandleRunState(const CFrame& frame) {
    switch (frame.m_kind) {
    case EFrameKind::Pause:
    case EFrameKind::Continue:
        m_bPaused = frame.m_kind == EFrameKind::Pause;
        return kOk;
    case EFrameKind::SetProcessor:
        m_memory.m_bProcessorOn = frame.m_nValue != 0;
        return kOk;
    case EFrameKind::LoopMonitor:
        m_memory.m_abLoopMonitor[frame.m_nTarget] = frame.m_nValue != 0;
        return kOk;
    case EFrameKind::ChannelState:
        m_memory.m_abChannelState[frame.m_nTarget] = frame.m_nValue != 0;
        return kOk;
    case EFrameKind::ClearMemory:
        m_memory.ResetToDefaults();
        m_processor.PowerUp(m_memory);
        m_bChanged = true;
        return kOk;
    default:
        return {};
    }
}

std::string CController::HandleRead(const CFrame& frame) const {
    const int nTarget = frame.m_nTarget;
    switch (frame.m_kind) {
    case EFrameKind::QueryModuleLink:
        return Bit(m_memory.m_bModuleLink);
    case EFrameKind::ReadProcessorTime:
        return Hex2(m_processor.LastScanMs());
    case EFrameKind::ReadEquation:
        return Line(m_memory.m_aEquation[nTarget].Encode());
    case EFrameKind::ReadSleepEnabled:
        return Bit(m_memory.m_bSleepEnabled);
    case EFrameKind::ReadSleepWakeUp:
        return Hex2(m_memory.m_nSleepWakeUp);
    case EFrameKind::ReadSleepInactivity:
        return Hex2(m_memory.m_nSleepInactivity);
    case EFrameKind::ReadHiSpeedInput:
        return Hex2(m_memory.m_anHiSpeedInput[nTarget]);
    case EFrameKind::ReadHiSpeedOutput:
        return Hex2(m_memory.m_anHiSpeedOutput[nTarget]);
    case EFrameKind::ReadTimerReload:
        return Hex2(m_memory.m_anTimerReload[nTarget]);
    case EFrameKind::ReadTimerCurrent:
        return Hex2(m_memory.m_anTimerCurrent[nTarget]);
    case EFrameKind::ReadChannelLabel:
        return Line(m_memory.m_astrChannelLabel[nTarget]);
    case EFrameKind::ReadModuleLabel:
        return Line(m_memory.m_astrModuleLabel[nTarget]);
    case EFrameKind::ReadSysLabel:
        return Line(m_memory.m_astrSysLabel[nTarget]);
    default:
        return kRefused;
    }
}

std::string CController::Bit(bool bOn) { return bOn ? "1\r\n" : "0\r\n"; }

std::string CController::Hex2(int nValue) {
    char szText[8];
    std::snprintf(szText, sizeof szText, "%02X\r\n", nValue & 0xFF);
    return szText;
}
