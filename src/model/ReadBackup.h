#pragma once

#include "model/System.h"

#include <string>

// The PC's values as they were before a command read the controller's over
// them. The commands that show the controller's values in a dialog keep one,
// so that Cancel leaves the PC holding what it held before the command
// rather than what the read brought in.
class CReadBackup {
public:
    explicit CReadBackup(CSystem& sys);

    void RestoreHiSpeedPairs();
    void RestoreSleepMode();
    // The ten timers of one timer module.
    void RestoreModuleTimers(short nModule);
    void RestoreChannelLabels(short nModule, short nLoop);
    // The sixteen module labels of one loop.
    void RestoreModuleLabels(short nLoop);
    // The system labels and the file path the file name label sets.
    void RestoreSysLabels();

private:
    CSystem& m_sys;
    short m_anHiSpeedInput[CSystem::kHiSpeedPairs] = {};
    short m_anHiSpeedOutput[CSystem::kHiSpeedPairs] = {};
    bool m_bSleepEnabled = false;
    short m_nSleepInactivity = 0;
    short m_nSleepWakeUp = 0;
    float m_afTimerReload[CSystem::kTimers] = {};
    float m_afTimerCurrent[CSystem::kTimers] = {};
    std::string m_astrChannelLabel[CSystem::kLoops][CSystem::kModulesPerLoop]
                                  [CSystem::kChannelsPerModule];
    std::string m_astrModuleLabel[CSystem::kLoops][CSystem::kModulesPerLoop];
    std::string m_astrSysLabel[CSystem::kSysLabels];
    std::string m_strFilePath;
};
