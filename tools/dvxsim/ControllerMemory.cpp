#include "ControllerMemory.h"

#include "model/System.h"

namespace {

// The default labels, formatted once: a memory is reset far more often than
// the labels could change.
struct CDefaultLabels {
    std::string astrChannel[CControllerMemory::kChannels];
    std::string astrModule[CControllerMemory::kModuleSlots];
    std::string astrSys[CControllerMemory::kSysLabels];

    CDefaultLabels() {
        for (short nIndex = 0; nIndex < CControllerMemory::kChannels; ++nIndex) {
            astrChannel[nIndex] = CSystem::DefaultChannelLabel(
                CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex), CSystem::LoopOf(nIndex));
        }
        for (short nSlot = 0; nSlot < CControllerMemory::kModuleSlots; ++nSlot) {
            astrModule[nSlot] = CSystem::DefaultModuleLabel(
                static_cast<short>(nSlot % CControllerMemory::kModules),
                static_cast<short>(nSlot / CControllerMemory::kModules));
        }
        for (short nLabel = 0; nLabel < CControllerMemory::kSysLabels; ++nLabel) {
            astrSys[nLabel] = CSystem::DefaultSysLabel(nLabel);
        }
    }
};

const CDefaultLabels& DefaultLabels() {
    static const CDefaultLabels labels;
    return labels;
}

} // namespace

void CControllerMemory::ResetToDefaults() {
    const CDefaultLabels& labels = DefaultLabels();
    for (int nIndex = 0; nIndex < kChannels; ++nIndex) {
        m_aEquation[nIndex] = CEquationBlock();
        m_abChannelState[nIndex] = false;
        m_astrChannelLabel[nIndex] = labels.astrChannel[nIndex];
    }
    for (int nSlot = 0; nSlot < kModuleSlots; ++nSlot) {
        m_astrModuleLabel[nSlot] = labels.astrModule[nSlot];
    }
    for (int nLabel = 0; nLabel < kSysLabels; ++nLabel) {
        m_astrSysLabel[nLabel] = labels.astrSys[nLabel];
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
