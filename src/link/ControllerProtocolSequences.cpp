#include "link/ControllerProtocol.h"

#include "link/ControllerProtocolFormat.h"
#include "link/LinkHost.h"
#include "model/System.h"

#include <utility>

using namespace ControllerProtocolFormat;

// --- sequences ---

bool CControllerProtocol::SendSleepMode() {
    // What is left out when each field is refused: it and those after it.
    const struct {
        bool (CControllerProtocol::*pfnSend)();
        const char* szUnsent;
        bool bPlural;
    } aFields[] = {
        {&CControllerProtocol::SendSleepEnabled, "sleep mode", false},
        {&CControllerProtocol::SendSleepWakeUp, "the sleep mode wake-up and inactivity intervals",
         true},
        {&CControllerProtocol::SendSleepInactivity, "the sleep mode inactivity interval", false},
    };
    bool bOk = true;
    for (const auto& field : aFields) {
        bOk = (this->*field.pfnSend)();
        if (!bOk) {
            NoteUnsent(field.szUnsent, field.bPlural);
            break;
        }
    }
    ShowLinkIdle();
    return bOk;
}

bool CControllerProtocol::ReadSleepMode() {
    bool bAllRead = ReadSleepEnabled();
    bAllRead = ReadSleepWakeUp() && bAllRead;
    bAllRead = ReadSleepInactivity() && bAllRead;
    ShowLinkIdle();
    return bAllRead;
}

bool CControllerProtocol::SendHiSpeedPairs() {
    bool bOk = true;
    for (short nPair = 0; bOk && nPair < CSystem::kHiSpeedPairs; ++nPair) {
        bOk = SendHiSpeedInput(nPair) && SendHiSpeedOutput(nPair);
        if (bOk)
            LinkDelay();
        else
            NoteUnsent(Format("high speed pairs from pair %d on", nPair + 1));
    }
    ShowLinkIdle();
    return bOk;
}

bool CControllerProtocol::ReadHiSpeedPairs() {
    bool bAllRead = true;
    for (short nPair = 0; nPair < CSystem::kHiSpeedPairs; ++nPair) {
        bAllRead = ReadHiSpeedInput(nPair) && bAllRead;
        bAllRead = ReadHiSpeedOutput(nPair) && bAllRead;
        LinkDelay();
    }
    ShowLinkIdle();
    return bAllRead;
}

bool CControllerProtocol::SendTimers(short nFirst, short nCount) {
    bool bOk = true;
    for (short nTimer = nFirst; bOk && nTimer < nFirst + nCount; ++nTimer) {
        bOk = SendTimerReload(nTimer);
        if (bOk)
            SendTimerCurrent(nTimer);
        else
            NoteUnsent(Format("timers from timer %d on", nTimer + 1));
    }
    ShowLinkIdle();
    return bOk;
}

bool CControllerProtocol::ReadTimers(short nFirst, short nCount) {
    bool bAllRead = true;
    for (short nTimer = nFirst; nTimer < nFirst + nCount; ++nTimer) {
        if (std::optional<short> nReload = ReadTimerReload(nTimer))
            m_system.SetTimerReloadFromCount(nTimer, *nReload);
        else
            bAllRead = NotRead(Format("timer %d reload", nTimer)) && bAllRead;
        if (std::optional<short> nCurrent = ReadTimerCurrent(nTimer))
            m_system.SetTimerCurrentFromCount(nTimer, *nCurrent);
        else
            bAllRead = NotRead(Format("timer %d current", nTimer)) && bAllRead;
    }
    ShowLinkIdle();
    return bAllRead;
}

bool CControllerProtocol::SendAllTimers() { return SendTimers(0, CSystem::kTimers); }

bool CControllerProtocol::SendAllTimersShowingPhase() {
    ShowProgress(kTransmittingTimersText);
    return SendAllTimers();
}

bool CControllerProtocol::ReadAllTimers() { return ReadTimers(0, CSystem::kTimers); }

bool CControllerProtocol::SendModuleTimers() {
    return SendTimers(static_cast<short>(m_system.GetCurModule() * CSystem::kChannelsPerModule),
                      CSystem::kChannelsPerModule);
}

bool CControllerProtocol::ReadModuleTimers() {
    return ReadTimers(static_cast<short>(m_system.GetCurModule() * CSystem::kChannelsPerModule),
                      CSystem::kChannelsPerModule);
}

bool CControllerProtocol::SendModuleChannels(bool (CControllerProtocol::*pfnSend)(),
                                             bool (CSystem::*pfnWanted)(short, short, short)
                                                 const) {
    short nSavedChannel = m_system.GetCurChannel();
    short nModule = m_system.GetCurModule();
    short nLoop = m_system.GetCurLoop();
    bool bOk = true;
    for (short nChannel = 0; bOk && nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        if (pfnWanted && !(m_system.*pfnWanted)(nModule, nChannel, nLoop))
            continue;
        m_system.SetCurChannel(nChannel);
        bOk = (this->*pfnSend)();
        if (!bOk)
            m_strStoppedAt = CSystem::ChannelDesignation(nModule, nChannel);
    }
    m_system.SetCurChannel(nSavedChannel);
    ShowLinkIdle();
    return bOk;
}

bool CControllerProtocol::SendModuleChannelLabels() {
    bool bOk = SendModuleChannels(&CControllerProtocol::SendChannelLabel, nullptr);
    if (!bOk)
        NoteUnsent(CSystem::GetLoopName(m_system.GetCurLoop()) + " channel labels from " +
                   m_strStoppedAt + " on");
    return bOk;
}

bool CControllerProtocol::SendModuleCustomChannelLabels() {
    return SendModuleChannels(&CControllerProtocol::SendChannelLabel,
                              &CSystem::IsChannelLabelCustom);
}

bool CControllerProtocol::ReadModuleChannelLabels() {
    short nSavedChannel = m_system.GetCurChannel();
    bool bAllRead = true;
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        m_system.SetCurChannel(nChannel);
        bAllRead = ReadChannelLabel() && bAllRead;
        LinkDelay();
    }
    m_system.SetCurChannel(nSavedChannel);
    ShowLinkIdle();
    return bAllRead;
}

// A failure ends the rest of its loop; the next loop is still sent.
bool CControllerProtocol::SendModuleLabels(bool bCustomOnly) {
    ShowProgress("Transmitting module labels to DVX CPU...");
    bool bAllOk = true;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            if (bCustomOnly && !m_system.IsModuleLabelCustom(nModule, nLoop))
                continue;
            if (!SendModuleLabel(nModule, nLoop)) {
                NoteUnsent(CSystem::GetLoopName(nLoop) + " module labels from module " +
                           CSystem::ModuleLetter(nModule) + " on");
                bAllOk = false;
                break;
            }
        }
    }
    ShowLinkIdle();
    return bAllOk;
}

bool CControllerProtocol::SendAllModuleLabels() { return SendModuleLabels(false); }

bool CControllerProtocol::SendCustomModuleLabels() { return SendModuleLabels(true); }

bool CControllerProtocol::ReadAllModuleLabels() {
    bool bAllRead = true;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            bAllRead = ReadModuleLabel(nModule, nLoop) && bAllRead;
            LinkDelay();
        }
    }
    ShowLinkIdle();
    return bAllRead;
}

bool CControllerProtocol::SendSysLabels() {
    ShowProgress("Transmitting system labels to DVX CPU ...");
    bool bOk = true;
    for (short nLabel = 0; bOk && nLabel < CSystem::kSysLabels; ++nLabel) {
        bOk = SendSysLabel(nLabel);
        if (!bOk)
            NoteUnsent(Format("system labels from label %d on", nLabel + 1));
    }
    ShowLinkIdle();
    return bOk;
}

bool CControllerProtocol::ReadSysLabels() {
    Flush();
    bool bAllRead = true;
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel) {
        SendFrame(Format(":V%02X\r", Low16(nLabel)));
        ShowLinkStatus(Format(CLinkHost::kReceivingSysLabelText, nLabel));
        bAllRead = ReadSysLabelAnswer(nLabel) && bAllRead;
        LinkDelay();
    }
    ShowLinkIdle();
    return bAllRead;
}

// Makes each module of the first nLoops loops current in turn, then puts the
// selected loop and module back. A module that fails ends the rest of its
// loop (unless bGoOn), which is noted as szSent from where it stopped; the
// next loop still runs.
bool CControllerProtocol::ForEachModule(short nLoops, bool (CControllerProtocol::*pfnModule)(),
                                        bool bGoOn, const char* szSent) {
    short nSavedLoop = m_system.GetCurLoop();
    short nSavedModule = m_system.GetCurModule();
    bool bAllOk = true;
    for (short nLoop = 0; nLoop < nLoops; ++nLoop) {
        m_system.SetCurLoop(nLoop);
        for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule) {
            m_system.SetCurModule(nModule);
            if (!(this->*pfnModule)()) {
                bAllOk = false;
                if (bGoOn)
                    continue;
                if (szSent)
                    NoteUnsent(CSystem::GetLoopName(nLoop) + " " + szSent + " from " +
                               m_strStoppedAt + " on");
                break;
            }
        }
    }
    m_system.SetCurLoop(nSavedLoop);
    m_system.SetCurModule(nSavedModule);
    return bAllOk;
}

// A failure ends the labels still to come: the module labels after the
// channel labels, the system labels after both.
bool CControllerProtocol::SendAllLabels() {
    ShowProgress("Transmitting channel labels to DVX CPU ...");
    bool bOk = ForEachModule(CSystem::kLoops, &CControllerProtocol::SendModuleCustomChannelLabels,
                             false, "channel labels");
    if (!bOk)
        NoteUnsent("module labels");
    bOk = bOk && SendCustomModuleLabels();
    if (!bOk)
        NoteUnsent("system labels");
    bOk = bOk && SendSysLabels();
    ShowLinkIdle();
    return bOk;
}

bool CControllerProtocol::ReadAllLabels() {
    bool bAllRead =
        ForEachModule(CSystem::kLoops, &CControllerProtocol::ReadModuleChannelLabels, true);
    bAllRead = ReadAllModuleLabels() && bAllRead;
    bAllRead = ReadSysLabels() && bAllRead;
    ShowLinkIdle();
    return bAllRead;
}

bool CControllerProtocol::SendModuleEquations() {
    bool bOk = SendModuleChannels(&CControllerProtocol::SendEquation, nullptr);
    if (!bOk)
        NoteUnsent(CSystem::GetLoopName(m_system.GetCurLoop()) + " equations from " +
                   m_strStoppedAt + " on");
    return bOk;
}

bool CControllerProtocol::SendModuleDefinedEquations() {
    return SendModuleChannels(&CControllerProtocol::SendEquation, &CSystem::IsEquationDefined);
}

bool CControllerProtocol::SendAllEquations() {
    ShowProgress("Transmitting Booleans to DVX CPU ...");
    bool bAllOk =
        ForEachModule(CSystem::kEquationLoops, &CControllerProtocol::SendModuleDefinedEquations,
                      false, "equations");
    ShowLinkIdle();
    return bAllOk;
}

bool CControllerProtocol::ReadModuleEquations() {
    short nSavedChannel = m_system.GetCurChannel();
    bool bAllRead = true;
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        m_system.SetCurChannel(nChannel);
        bAllRead = ReadEquation() && bAllRead;
        LinkDelay();
    }
    m_system.SetCurChannel(nSavedChannel);
    ShowLinkIdle();
    return bAllRead;
}

bool CControllerProtocol::ReadAllEquations() {
    bool bAllRead =
        ForEachModule(CSystem::kEquationLoops, &CControllerProtocol::ReadModuleEquations, true);
    ShowLinkIdle();
    return bAllRead;
}

bool CControllerProtocol::SendEquationAt(short nModule, short nChannel, short nLoop) {
    short nSavedLoop = m_system.GetCurLoop();
    short nSavedModule = m_system.GetCurModule();
    short nSavedChannel = m_system.GetCurChannel();
    m_system.SetCurLoop(nLoop);
    m_system.SetCurModule(nModule);
    m_system.SetCurChannel(nChannel);
    bool bOk = SendEquation();
    m_system.SetCurLoop(nSavedLoop);
    m_system.SetCurModule(nSavedModule);
    m_system.SetCurChannel(nSavedChannel);
    return bOk;
}

// --- what a sequence left out ---

void CControllerProtocol::NoteUnsent(const std::string& strWhat, bool bPlural) {
    if (!m_bCounting)
        m_aUnsent.push_back({strWhat, bPlural});
}

std::vector<CControllerProtocol::CUnsent> CControllerProtocol::TakeUnsent() {
    return std::exchange(m_aUnsent, {});
}

void CControllerProtocol::NoteNearest(const std::string& strText) {
    if (!m_bCounting && !strText.empty())
        m_astrNearest.push_back(strText);
}

std::vector<std::string> CControllerProtocol::TakeNearest() {
    return std::exchange(m_astrNearest, {});
}
