#include "shell/MainFrame.h"

#include "diagnostics/LiveLogic.h"

#include "controls/Animation.h"
#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"
#include "link/PortSettingsDlg.h"
#include "link/SerialLinkHost.h"
#include "link/SimulatedCpu.h"
#include "link/WaitIndicator.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "shell/Settings.h"
#include "shell/Text.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

const char* const kLineSettings = "9600,N,8,2";
const int kWaitRepeats = 5000;

} // namespace

void CMainFrame::UseSerialControl() {
    if (!m_pComm)
        return;
    delete m_pLinkHost;
    m_pLinkHost = new CSerialLinkHost(*m_pCommCtrl, *m_pComm, this);
    m_pLinkHost->m_fnStatusText = [this](const std::string& strText) { SetStatusText(strText); };
    m_pLinkHost->m_fnProgress = [this](const std::string& strText) { StartWaitIndicator(strText); };
    m_pLinkHost->m_fnNotAnswering = [this](bool bNotAnswering) { ShowNotAnswering(bNotAnswering); };
    m_pLinkHost->m_fnFrameProgress = [this](int nDone, int nTotal,
                                            std::chrono::milliseconds timeLeft) {
        ShowFrameProgress(nDone, nTotal, timeLeft);
    };
    m_pLinkHost->m_fnOutbound = [this](const std::string& strLine) { AddOutboundLine(strLine); };
    m_pLinkHost->m_fnInbound = [this](const std::string& strLine) { AddInboundLine(strLine); };
    m_pLinkHost->m_fnCommEvent = [this](short nEvent) { OnCommEvent(nEvent); };
}

bool CMainFrame::IsPortOpen() const { return m_pLink && m_pLink->IsPortOpen(); }

QString CMainFrame::PortName(short nPort) const {
    return QString("COM%1 (%2)").arg(nPort).arg(CSerialControl::DeviceName(nPort));
}

// --- opening and closing ---

void CMainFrame::OnOpenClosePort() {
    UpdateTitle();
    if (IsPortOpen())
        ClosePort();
    else
        OpenPort();
    ShowPortState();
}

// The link flag goes first, so every wait in progress ends before the device
// goes away under it.
void CMainFrame::ClosePort() {
    if (m_pComm) {
        m_pComm->SetPortOpen(false);
        m_pComm->LinkDelay();
    }
    m_pCommCtrl->SetPortOpen(false);
    if (m_pComm)
        m_pComm->LinkDelay();
    if (IsSimulating())
        StopSimulation();
    ShowPortState();
}

// A device that cannot be opened is named to the technician and nothing is
// sent: no query waits for an answer on a port that never opened.
void CMainFrame::OpenPort() {
    if (!m_pComm)
        return;
    short nPort = m_param.GetCommPort();
    m_pComm->SetPortOpen(true);
    m_pCommCtrl->SetCommPort(nPort);
    m_pCommCtrl->SetSettings(kLineSettings);
    m_pCommCtrl->SetInputLen(0);
    if (!m_pCommCtrl->SetPortOpen(true)) {
        m_pComm->SetPortOpen(false);
        const QString strWhat = IsSimulating()
                                    ? "the simulated DVX CPU at " + m_pSimulation->LinkPath()
                                    : "the comm port " + PortName(nPort);
        m_shell.MessageBox(
            FromQString("Could not open " + strWhat + ":\n" + m_pCommCtrl->ErrorString()),
            EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    m_pCommCtrl->SetInputMode(0);
    m_nOpenPort = nPort;
    m_pLiveLogic->ForgetController();
    ShowPortState();
    // Opened while an interrupted command still unwinds, the queries belong
    // to this opening, not to that command.
    CControllerProtocol::CCommandScope scope(*m_pComm);
    m_pComm->QueryModuleLink();
    m_pComm->LinkDelay();
    m_pComm->QueryModuleLink();
    ShowPortState();
}

// --- choosing the port ---

void CMainFrame::OnSelectCommPort() {
    CPortSettingsDlg dialog(m_shell, m_profile, this);
    dialog.m_nPort = m_param.GetCommPort();
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_param.SetCommPort(dialog.m_nPort);
    if (!IsPortOpen()) {
        ShowPortState();
        return;
    }
    // The open device stays in use; the new number is used from the next
    // opening.
    m_pCommCtrl->SetCommPort(dialog.m_nPort);
    ShowResultText(FromQString(PortName(dialog.m_nPort)) +
                   " will be used when the port is next opened");
}

// --- serial events ---

void CMainFrame::OnCommEvent(short nEvent) {
    if (nEvent == CSerialControl::EventDeviceLost) {
        OnDeviceLost();
        return;
    }
    const char* szText = CSerialControl::EventText(nEvent);
    if (!szText)
        return;
    if (!CSerialControl::IsErrorEvent(nEvent)) {
        ShowCommEventText(nEvent, szText);
        return;
    }
    ReportSerialError(szText);
}

// Arriving characters are reported where the link's own texts stand, but a
// command's result stays until the technician has had a chance to read it.
void CMainFrame::ShowCommEventText(short nEvent, const char* szText) {
    if (nEvent == CSerialControl::EventReceive && m_bResultShown)
        return;
    SetStatusText(szText);
}

// A noisy line raises errors on every poll; while the technician reads one
// report, the others only reach the status pane, so boxes never pile up.
void CMainFrame::ReportSerialError(const char* szText) {
    if (m_bSerialErrorShown) {
        SetStatusText(szText);
        return;
    }
    m_bSerialErrorShown = true;
    QApplication::beep();
    const EBoxAnswer answer =
        m_shell.MessageBox(std::string(szText) + "\nOK to ignore, Cancel to quit",
                           EBoxButtons::OkCancel, EBoxIcon::Exclamation);
    m_bSerialErrorShown = false;
    if (answer == EBoxAnswer::Cancel && IsPortOpen())
        ClosePort();
}

// The serial control has closed the device already and reports it once.
void CMainFrame::OnDeviceLost() {
    if (IsSimulating()) {
        OnSimulationEnded();
        return;
    }
    if (m_pComm)
        m_pComm->SetPortOpen(false);
    ShowPortState();
    QApplication::beep();
    m_shell.MessageBox(FromQString("The comm port " + PortName(m_pCommCtrl->GetCommPort()) +
                                   " is no longer available and has been closed.\n" +
                                   m_pCommCtrl->ErrorString()),
                       EBoxButtons::Ok, EBoxIcon::Stop);
}

// --- frames and status indications ---

// A link text still waiting to be shown would stand there after the port
// closed, beside the port pane's "closed".
void CMainFrame::ForgetLinkText() {
    m_statusThrottle.Flush();
    const QString strShown = m_pMessagePane->text();
    const bool bLinkText =
        strShown == CLinkHost::kLinkIdleText || strShown == CLinkHost::kSendMarkText ||
        strShown == CSerialControl::EventText(CSerialControl::EventReceive) ||
        strShown.startsWith(QString(CLinkHost::kReceivingSysLabelText).chopped(2));
    if (bLinkText)
        m_pMessagePane->setText(kIdleText);
}

void CMainFrame::TransmitText(const std::string& strText) {
    if (m_pComm)
        m_pComm->SendFrame(strText);
}

void CMainFrame::ShowSendMark() { SetStatusText(CLinkHost::kSendMarkText); }

void CMainFrame::ShowLinkIdle() {
    if (m_pComm && m_pComm->GetPortOpen())
        SetStatusText(CLinkHost::kLinkIdleText);
}

void CMainFrame::ShowLinkStatus(const std::string& strText) {
    if (m_pComm && m_pComm->GetPortOpen())
        SetStatusText(strText);
}

bool CMainFrame::PauseLink() {
    if (m_pComm && IsPortOpen())
        m_pComm->SendPause();
    return true;
}

bool CMainFrame::ContinueLink() {
    if (m_pComm && IsPortOpen())
        m_pComm->SendContinue();
    return true;
}

// --- shared services of the controller commands ---

void CMainFrame::ReportTransmitError() {
    m_shell.MessageBox(kTransmitErrorText, EBoxButtons::Ok, EBoxIcon::Exclamation);
}

bool CMainFrame::ShowWaitIndicator() {
    if (m_pWait)
        return true;
    m_pWait = new CWaitIndicator(m_system.GetLaunchDir(), m_shell, this);
    m_pWait->OnInitDialog();
    connect(&m_pWait->StopButton(), &QPushButton::clicked, this, &CMainFrame::OnStopWaiting);
    m_pWait->show();
    m_pWait->StopButton().setFocus();
    return true;
}

void CMainFrame::PlayWaitAnimation(int nRepeat) {
    if (!m_pWait)
        return;
    m_pWait->Animation().Stop();
    m_pWait->Animation().Play(0, CAnimation::kLastFrame, nRepeat);
}

void CMainFrame::SetWaitText(const std::string& strText) {
    if (m_pWait)
        m_pWait->TextLine().setText(ToQString(strText));
}

void CMainFrame::StartWaitIndicator(const std::string& strText) {
    ShowWaitIndicator();
    PlayWaitAnimation(kWaitRepeats);
    SetWaitText(strText);
}

void CMainFrame::CloseWaitIndicator() {
    delete m_pWait.data();
    m_bWaitOpenedForSilence = false;
}

// Stop closes the port as the close command does, which ends every wait; a
// simulation still starting is stopped.
void CMainFrame::OnStopWaiting() {
    if (m_pSimulation && m_pSimulation->IsStarting()) {
        m_pSimulation->CancelStart();
        return;
    }
    if (IsPortOpen())
        OnOpenClosePort();
}

void CMainFrame::ShowNotAnswering(bool bNotAnswering) {
    if (bNotAnswering) {
        m_bWaitOpenedForSilence = !m_pWait;
        ShowWaitIndicator();
        m_pWait->SetNotAnswering(kNotAnsweringText);
        return;
    }
    if (!m_pWait)
        return;
    if (m_bWaitOpenedForSilence) {
        CloseWaitIndicator();
        return;
    }
    m_pWait->SetNotAnswering(QString());
}

void CMainFrame::ShowFrameProgress(int nDone, int nTotal, std::chrono::milliseconds timeLeft) {
    auto fnShow = [this, nDone, nTotal, timeLeft] {
        if (m_pWait)
            m_pWait->SetProgress(nDone, nTotal, timeLeft);
    };
    m_bInSequence = nDone < nTotal;
    if (m_bInSequence && nDone > 0) {
        m_progressThrottle.Show(fnShow);
        return;
    }
    m_progressThrottle.ShowNow(fnShow);
    m_statusThrottle.Flush();
}

CWaitIndicator* CMainFrame::WaitIndicator() const { return m_pWait.data(); }
