#include "link/TransferCommands.h"

#include "link/ControllerProtocol.h"
#include "link/TransferHost.h"
#include "model/Archive.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "model/SystemCheck.h"

#include <algorithm>
#include <cstdio>

// --- transfer to the controller ---

void CTransferCommands::OnTransfer() {
    m_shell.UpdateTitle();
    if (!m_host.IsPortOpen()) {
        m_shell.MessageBox(kPortNotOpenText, EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    RunBracketed([this] {
        if (!m_host.PickObjectGroup())
            return;
        switch (m_system.GetObjectGroup()) {
        case CSystem::GroupChannel:
            TransferChannel();
            break;
        case CSystem::GroupModule:
            TransferModule();
            break;
        case CSystem::GroupSystem:
            TransferSystem();
            break;
        }
    });
}

// A controller started for trying the system out gets all of it: there is
// no scope to choose, and the check's findings are what the technician
// wants to see at work.
void CTransferCommands::LoadSystem() {
    if (!m_host.IsPortOpen())
        return;
    RunBracketed([this] { SendWholeSystem(); });
}

void CTransferCommands::RunBracketed(const std::function<void()>& fnTransfer) {
    CControllerProtocol::CCommandScope scope(m_comm);
    m_host.ShowBusyCursor(true);
    m_host.PauseLink();
    m_system.SuspendLink();
    fnTransfer();
    m_host.ContinueLink();
    m_system.ResumeLink();
    m_host.ShowBusyCursor(false);
    m_host.CloseWaitIndicator();
}

bool CTransferCommands::ConfirmErrors(bool bCurrentModuleOnly) {
    const CModuleTypes* pTypes = m_host.ModuleTypesToCheck();
    if (!pTypes)
        return true;
    const std::vector<CSystemFinding> aFindings = CSystemCheck(m_system, *pTypes).Run();
    const short nLoop = m_system.GetCurLoop();
    const short nModule = m_system.GetCurModule();
    const auto nErrors = std::count_if(aFindings.begin(), aFindings.end(), [&](const auto& f) {
        return f.severity == CSystemFinding::ESeverity::Error &&
               (!bCurrentModuleOnly || f.Concerns(nLoop, nModule));
    });
    if (nErrors == 0)
        return true;
    char szText[96];
    std::snprintf(szText, sizeof szText, kCheckErrorsText, static_cast<int>(nErrors));
    return m_shell.MessageBox(szText, EBoxButtons::YesNo, EBoxIcon::Exclamation) == EBoxAnswer::Yes;
}

void CTransferCommands::TransferChannel() {
    if (!m_host.PickModule() || !m_host.PickChannel() || !ConfirmErrors(false))
        return;
    SendSteps({&CControllerProtocol::SendEquation, &CControllerProtocol::SendChannelLabel});
}

void CTransferCommands::TransferModule() {
    if (!m_host.PickModule() || !ConfirmErrors(true))
        return;
    m_host.StartWaitIndicator(kTransmittingModuleText);
    int nErrors = 0;
    m_comm.RunWithProgress([&] { nErrors = SendModule(); });
    ReportUpload(nErrors);
}

int CTransferCommands::SendModule() {
    return SendSteps({&CControllerProtocol::SendModuleEquations,
                      &CControllerProtocol::SendSleepMode,
                      &CControllerProtocol::SendModuleChannelLabels,
                      &CControllerProtocol::SendAllTimers, &CControllerProtocol::SendHiSpeedPairs});
}

void CTransferCommands::TransferSystem() {
    if (ConfirmErrors(false))
        SendWholeSystem();
}

void CTransferCommands::SendWholeSystem() {
    int nErrors = 0;
    m_comm.RunWithProgress([&] { nErrors = SendSystem(); });
    ReportUpload(nErrors);
}

int CTransferCommands::SendSystem() {
    return SendSteps({&CControllerProtocol::ClearCpuMemory, &CControllerProtocol::SendAllEquations,
                      &CControllerProtocol::SendSleepMode, &CControllerProtocol::SendAllLabels,
                      &CControllerProtocol::SendAllTimersShowingPhase,
                      &CControllerProtocol::SendHiSpeedPairs});
}

// A step that completed counts as sent even when the port closes right
// after it; only a step cut off by the closing ends the transfer.
int CTransferCommands::SendSteps(std::initializer_list<Step> apSteps) {
    m_astrUnsent.clear();
    m_comm.TakeUnsent();
    m_comm.TakeNearest();
    int nErrors = 0;
    for (Step pStep : apSteps) {
        if ((m_comm.*pStep)())
            continue;
        if (IsLinkLost()) {
            m_host.CloseWaitIndicator();
            m_shell.MessageBox(kUploadInterruptedText, EBoxButtons::Ok, EBoxIcon::Stop);
            return -1;
        }
        m_host.ReportTransmitError();
        m_astrUnsent.push_back(UnsentText(pStep));
        ++nErrors;
    }
    m_astrNearest = m_comm.TakeNearest();
    return nErrors;
}

// A refused frame stops its step where its sequence stops, and what the
// controller is then missing can be far more than the one frame: the
// technician is told all of it.
std::string CTransferCommands::UnsentText(Step pStep) {
    std::vector<CControllerProtocol::CUnsent> aUnsent = m_comm.TakeUnsent();
    if (aUnsent.empty())
        return pStep == &CControllerProtocol::ClearCpuMemory ? kMemoryNotClearedText : "";
    std::string strText;
    for (std::size_t i = 0; i < aUnsent.size(); ++i) {
        if (i > 0)
            strText += i + 1 == aUnsent.size() ? " and " : ", ";
        strText += aUnsent[i].strWhat;
    }
    const bool bPlural = aUnsent.size() > 1 || aUnsent.front().bPlural;
    return strText + (bPlural ? " were not sent" : " was not sent");
}

// The result stands alone: the wait indicator, with its Stop, is gone
// before it is shown.
void CTransferCommands::ReportUpload(int nErrors) {
    if (nErrors < 0)
        return;
    m_host.CloseWaitIndicator();
    std::string strText = nErrors == 0 ? kUploadSuccessfulText : kUploadErrorsText;
    for (const std::string& strUnsent : m_astrUnsent) {
        if (!strUnsent.empty())
            strText += "\n" + strUnsent;
    }
    for (const std::string& strNearest : m_astrNearest)
        strText += "\n" + strNearest;
    const bool bAsStored = nErrors == 0 && m_astrNearest.empty();
    m_shell.MessageBox(strText, EBoxButtons::Ok,
                       bAsStored ? EBoxIcon::Information : EBoxIcon::Exclamation);
}

// --- retrieve from the controller ---

void CTransferCommands::OnRetrieve() {
    if (!m_host.IsPortOpen()) {
        m_shell.MessageBox(kPortNotOpenText, EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    CControllerProtocol::CCommandScope scope(m_comm);
    m_host.PauseLink();
    m_host.ShowBusyCursor(true);
    m_system.SuspendLink();
    if (m_host.PickObjectGroup()) {
        switch (m_system.GetObjectGroup()) {
        case CSystem::GroupChannel:
            RetrieveChannel();
            break;
        case CSystem::GroupModule:
            RetrieveModule();
            break;
        case CSystem::GroupSystem:
            RetrieveSystem();
            break;
        }
    }
    m_system.ResumeLink();
    m_host.ShowBusyCursor(false);
    m_host.ContinueLink();
    m_shell.UpdateTitle();
}

// A channel retrieve ends without a message when it completes; only an
// interrupted or faulty one says so.
void CTransferCommands::RetrieveChannel() {
    if (!m_host.PickModule() || !m_host.PickChannel())
        return;
    bool bAllRead = m_comm.ReadEquation();
    bAllRead = m_comm.ReadChannelLabel() && bAllRead;
    if (IsLinkLost() || !bAllRead)
        ReportDownload(bAllRead);
}

// Every read runs even after one failed, so as much as the controller
// answered well is stored.
void CTransferCommands::RetrieveModule() {
    if (!m_host.PickModule())
        return;
    m_host.StartWaitIndicator(kRetrievingModuleText);
    bool bAllRead = false;
    m_comm.RunWithProgress([&] { bAllRead = ReadModule(); });
    ReportDownload(bAllRead);
}

bool CTransferCommands::ReadModule() {
    bool bAllRead = m_comm.ReadModuleEquations();
    bAllRead = m_comm.ReadModuleChannelLabels() && bAllRead;
    bAllRead = m_comm.ReadSleepMode() && bAllRead;
    bAllRead = m_comm.ReadAllTimers() && bAllRead;
    bAllRead = m_comm.ReadHiSpeedPairs() && bAllRead;
    return bAllRead;
}

// The reads after a closed port leave the reset defaults in place, which
// are not the controller's values; the system as it was is the better
// record to keep.
void CTransferCommands::RetrieveSystem() {
    if (!OfferSave())
        return;
    CArchive snapshot;
    m_system.Serialize(snapshot);
    m_host.StartWaitIndicator(kRetrievingSystemText);
    m_system.ResetToDefaults();
    bool bAllRead = false;
    m_comm.RunWithProgress([&] { bAllRead = ReadSystem(m_comm); });
    if (IsLinkLost()) {
        m_host.CloseWaitIndicator();
        CArchive restore(snapshot.Buffer());
        m_system.Serialize(restore);
        m_shell.MessageBox(kSystemPutBackText, EBoxButtons::Ok, EBoxIcon::Stop);
    } else {
        ReportDownload(bAllRead);
    }
}

bool CTransferCommands::ReadSystem(CControllerProtocol& comm) {
    bool bAllRead = comm.ReadAllEquations();
    bAllRead = comm.ReadAllLabels() && bAllRead;
    bAllRead = comm.ReadSleepMode() && bAllRead;
    bAllRead = comm.ReadAllTimers() && bAllRead;
    bAllRead = comm.ReadHiSpeedPairs() && bAllRead;
    return bAllRead;
}

// A cancelled save dialog lets the retrieve go on, as the technician can
// see nothing was written; a save that failed stops it, so the unsaved
// system is not replaced.
bool CTransferCommands::OfferSave() {
    if (!m_system.IsModified())
        return true;
    if (m_shell.MessageBox(kSaveQuestionText, EBoxButtons::YesNo, EBoxIcon::Question) !=
        EBoxAnswer::Yes)
        return true;
    return m_host.SaveSystemAs() != CTransferHost::ESaveResult::Failed;
}

bool CTransferCommands::IsLinkLost() const { return !m_comm.GetPortOpen() || !m_host.IsPortOpen(); }

void CTransferCommands::ReportDownload(bool bAllRead) {
    m_host.CloseWaitIndicator();
    if (IsLinkLost())
        m_shell.MessageBox(kDownloadInterruptedText, EBoxButtons::Ok, EBoxIcon::Stop);
    else if (bAllRead)
        m_shell.MessageBox(kDownloadSuccessfulText, EBoxButtons::Ok, EBoxIcon::Information);
    else
        m_shell.MessageBox(kDownloadErrorsText, EBoxButtons::Ok, EBoxIcon::Exclamation);
}

// --- link and processor commands ---

void CTransferCommands::OnStartLink() {
    m_shell.UpdateTitle();
    if (!m_host.IsPortOpen())
        return;
    m_comm.StartModuleLink();
    m_system.SetLinkActive(true);
}

void CTransferCommands::OnStopLink() {
    m_shell.UpdateTitle();
    if (!m_host.IsPortOpen())
        return;
    m_comm.StopModuleLink();
    m_system.SetLinkActive(false);
}

void CTransferCommands::OnCpuProcessingTime() {
    if (m_host.IsPortOpen())
        m_comm.ReadProcessorTime();
    m_system.ShowBoolProcTime();
}
