#include "ControllerMemory.h"

#include "model/System.h"

void CControllerMemory::ResetToDefaults() {
    for (int nIndex = 0; nIndex < kChannels; ++nIndex) {
        m_aEquation[nIndex] = CEquationBlock();
        m_abChannelState[nIndex] = false;
        const auto nShort = static_cast<short>(nIndex);
        m_astrChannelLabel[nIndex] = CSystem::DefaultChannelLabel(
            CSystem::ModuleOf(nShort), CSystem::ChannelOf(nShort), CSystem::LoopOf(nShort));
    }
    for (int nSlot = 0; nSlot < kModuleSlots; ++nSlot) {
        m_astrModuleLabel[nSlot] = CSystem::DefaultModuleLabel(
            static_cast<short>(nSlot % kModules), static_cast<short>(nSlot / kModules));
    }
    for (int nLabel = 0; nLabel < kSysLabels; ++nLabel) {
        m_astrSysLabel[nLabel] = CSystem::DefaultSysLabel(static_cast<short>(nLabel));
    }
    for (int nTimer = 0; nTimer < kTimers; ++nTimer) {
        m_anTimerReload[nTimer] = DefaultReloadCount(nTimer);
        m_anTimerCurrent[nTimer] = 0;
    }
    m_bSleepEnabled = false;
    m_nSleepWakeUp = 10;
    m_nSleepInactivity = 2;
    for (int nPair = 0; nPair < kPairs; ++nPair) {
        m_anHiSpeedInput[nPair] = kNoPairChannel;
        m_anHiSpeedOutput[nPair] = kNoPairChannel;
    }
}

bool CControllerMemory::Store(const CFrame& frame) {
    const int nTarget = frame.m_nTarget;
    const auto nValue = static_cast<uint8_t>(frame.m_nValue);
    switch (frame.m_kind) {
    case EFrameKind::SetModuleLink:
        m_bModuleLink = nValue != 0;
        return true;
    case EFrameKind::WriteEquation:
        m_aEquation[nTarget] = frame.m_block;
        return true;
    case EFrameKind::SetSleepEnabled:
        m_bSleepEnabled = nValue != 0;
        return true;
    case EFrameKind::SetSleepWakeUp:
        m_nSleepWakeUp = nValue;
        return true;
    case EFrameKind::SetSleepInactivity:
        m_nSleepInactivity = nValue;
        return true;
    case EFrameKind::SetHiSpeedInput:
        m_anHiSpeedInput[nTarget] = nValue;
        return true;
    case EFrameKind::SetHiSpeedOutput:
        m_anHiSpeedOutput[nTarget] = nValue;
        return true;
    case EFrameKind::SetTimerReload:
        m_anTimerReload[nTarget] = nValue;
        return true;
    case EFrameKind::SetTimerCurrent:
        m_anTimerCurrent[nTarget] = nValue;
        return true;
    case EFrameKind::SetChannelLabel:
        m_astrChannelLabel[nTarget] = frame.m_strText;
        return true;
    case EFrameKind::SetModuleLabel:
        m_astrModuleLabel[nTarget] = frame.m_strText;
        return true;
    case EFrameKind::SetSysLabel:
        m_astrSysLabel[nTarget] = frame.m_strText;
        return true;
    default:
        return false;
    }
}
