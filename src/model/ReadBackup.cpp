#include "model/ReadBackup.h"

#include "model/ShellServices.h"

CReadBackup::CReadBackup(CSystem& sys) : m_sys(sys) {
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        m_anHiSpeedInput[nPair] = sys.GetHiSpeedInput(nPair);
        m_anHiSpeedOutput[nPair] = sys.GetHiSpeedOutput(nPair);
    }
    m_bSleepEnabled = sys.GetSleepEnabled();
    m_nSleepInactivity = sys.GetSleepInactivity();
    m_nSleepWakeUp = sys.GetSleepWakeUp();
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        m_afTimerReload[nTimer] = sys.GetTimerReload(nTimer);
        m_afTimerCurrent[nTimer] = sys.GetTimerCurrent(nTimer);
    }
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            m_astrModuleLabel[nLoop][nModule] = sys.GetModuleLabel(nModule, nLoop);
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
                m_astrChannelLabel[nLoop][nModule][nChannel] =
                    sys.StoredChannelLabel(nModule, nChannel, nLoop);
        }
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        m_astrSysLabel[nLabel] = sys.GetSysLabel(nLabel);
    m_strFilePath = sys.GetFilePath();
}

void CReadBackup::RestoreHiSpeedPairs() {
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        m_sys.SetHiSpeedInput(nPair, m_anHiSpeedInput[nPair]);
        m_sys.SetHiSpeedOutput(nPair, m_anHiSpeedOutput[nPair]);
    }
}

void CReadBackup::RestoreSleepMode() {
    m_sys.SetSleepEnabled(m_bSleepEnabled);
    m_sys.SetSleepInactivity(m_nSleepInactivity);
    m_sys.SetSleepWakeUp(m_nSleepWakeUp);
}

void CReadBackup::RestoreModuleTimers(short nModule) {
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        const short nTimer = static_cast<short>(nModule * CSystem::kChannelsPerModule + nChannel);
        m_sys.SetTimerReload(nTimer, m_afTimerReload[nTimer]);
        m_sys.SetTimerCurrent(nTimer, m_afTimerCurrent[nTimer]);
    }
}

void CReadBackup::RestoreChannelLabels(short nModule, short nLoop) {
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
        m_sys.StoreChannelLabel(nModule, nChannel, nLoop,
                                m_astrChannelLabel[nLoop][nModule][nChannel]);
}

void CReadBackup::RestoreModuleLabels(short nLoop) {
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        m_sys.StoreModuleLabel(nModule, nLoop, m_astrModuleLabel[nLoop][nModule]);
}

void CReadBackup::RestoreSysLabels() {
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        m_sys.StoreSysLabel(nLabel, m_astrSysLabel[nLabel]);
    m_sys.SetFilePath(m_strFilePath);
    m_sys.Shell().UpdateTitle();
}
