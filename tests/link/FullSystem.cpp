#include "link/FullSystem.h"

#include "link/ControllerProtocol.h"
#include "model/System.h"

#include <cstdio>

namespace {

std::string Text(const char* szFormat, int a, int b, int c) {
    char szText[32];
    std::snprintf(szText, sizeof szText, szFormat, a, b, c);
    return szText;
}

void FillEquation(CSystem& sys, short nIndex) {
    const short nChannel = CSystem::ChannelOf(nIndex);
    sys.SetOutput(nChannel % 2 == 0);
    sys.SetPowerUpOn(nChannel % 3 == 0);
    sys.SetMomentaryLatch(nChannel % 4 == 1);
    sys.SetEquationNot(nChannel == 5);
    sys.SetGroupNotA(nIndex % 2 == 1);
    sys.SetGroupNotB(nIndex % 3 == 1);
    for (short i = 0; i < 3; ++i) {
        sys.SetTermA(i, static_cast<short>((nIndex + 7 * i + 1) % CSystem::kChannels));
        sys.SetTermB(i, i == 2 ? -1 : static_cast<short>((nIndex * 3 + i) % CSystem::kChannels));
        sys.SetTermNotA(i, (nIndex + i) % 2 == 0);
        sys.SetTermNotB(i, (nIndex + i) % 3 == 0);
        sys.SetTermPrA(i, (nIndex + i) % 5 == 0);
        sys.SetTermPrB(i, (nIndex + i) % 7 == 0);
    }
    sys.SetCurEquationType(static_cast<short>(nIndex % 4));
}

} // namespace

void FillSystem(CSystem& sys) {
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        sys.SetCurLoop(nLoop);
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            sys.SetCurModule(nModule);
            sys.SetModuleLabel(nModule, nLoop, Text("Unit %d%c of bus", nLoop, 'A' + nModule, 0));
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
                sys.SetCurChannel(nChannel);
                sys.SetCurChannelLabel(Text("Out %d%c%d lamp", nLoop, 'A' + nModule, nChannel));
                if (CSystem::IsEquationLoop(nLoop))
                    FillEquation(sys, sys.GetCurIndex());
            }
        }
    }
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        sys.SetSysLabel(nLabel, Text("Coach 77 text %d", nLabel, 0, 0));
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        sys.SetTimerReloadFromCount(nTimer, static_cast<short>(nTimer * 7 % 254 + 1));
        sys.SetTimerCurrentFromCount(nTimer, static_cast<short>(nTimer * 3 % 200));
    }
    sys.SetSleepEnabled(true);
    sys.SetSleepWakeUp(200);
    sys.SetSleepInactivity(30);
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        sys.SetHiSpeedInput(nPair, static_cast<short>(nPair * 10 + 1));
        sys.SetHiSpeedOutput(nPair, static_cast<short>(100 + nPair));
    }
    sys.SetCurLoop(0);
    sys.SetCurModule(0);
    sys.SetCurChannel(0);
}

std::vector<std::string> TransferredFields(CSystem& sys) {
    std::vector<std::string> astrFields;
    const short nLoop0 = sys.GetCurLoop(), nModule0 = sys.GetCurModule(),
                nChannel0 = sys.GetCurChannel();
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            astrFields.push_back(sys.GetModuleLabel(nModule, nLoop));
            for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
                astrFields.push_back(sys.GetChannelLabel(nModule, nChannel, nLoop));
                sys.SetCurLoop(nLoop);
                sys.SetCurModule(nModule);
                sys.SetCurChannel(nChannel);
                if (CSystem::IsEquationLoop(nLoop))
                    astrFields.push_back(CControllerProtocol::EquationFrame(sys));
            }
        }
    }
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        astrFields.push_back(sys.GetSysLabel(nLabel));
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer)
        astrFields.push_back(Text("timer %d: %d %d", nTimer, sys.GetTimerReloadCount(nTimer),
                                  sys.GetTimerCurrentCount(nTimer)));
    astrFields.push_back(Text("sleep %d %d %d", sys.GetSleepEnabled(), sys.GetSleepWakeUp(),
                              sys.GetSleepInactivity()));
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair)
        astrFields.push_back(
            Text("pair %d: %d %d", nPair, sys.GetHiSpeedInput(nPair), sys.GetHiSpeedOutput(nPair)));
    sys.SetCurLoop(nLoop0);
    sys.SetCurModule(nModule0);
    sys.SetCurChannel(nChannel0);
    return astrFields;
}
