#include "shell/MainFrame.h"

#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"
#include "link/SimulatedCpu.h"
#include "link/TransferCommands.h"
#include "model/ShellServices.h"
#include "shell/Text.h"

#include <QApplication>

// --- the simulated DVX CPU ---

bool CMainFrame::IsSimulating() const { return m_pSimulation && m_pSimulation->IsRunning(); }

void CMainFrame::OnSimulateCpu() {
    UpdateTitle();
    if (m_pSimulation->IsStarting()) {
        ShowPortState();
        return;
    }
    if (IsSimulating()) {
        ClosePort();
        ReopenRealPort();
    } else {
        StartSimulation();
    }
    ShowPortState();
}

// The simulator is reached as a vehicle is: the normal opening on its link,
// then, when wanted, the system transfer into its empty memory. A real port
// that was open gives way to it, and comes back when the simulation is
// stopped or could not start.
void CMainFrame::StartSimulation() {
    m_bRealPortBeforeSimulation = IsPortOpen();
    if (IsPortOpen())
        ClosePort();
    StartWaitIndicator(kStartingSimulationText);
    const bool bStarted = m_pSimulation->Start();
    CloseWaitIndicator();
    if (!bStarted) {
        if (!m_pSimulation->ErrorText().isEmpty())
            m_shell.MessageBox(FromQString(m_pSimulation->ErrorText()), EBoxButtons::Ok,
                               EBoxIcon::Exclamation);
        ReopenRealPort();
        return;
    }
    m_pCommCtrl->SetDeviceName(m_pSimulation->LinkPath());
    UpdateTitle();
    OpenPort();
    if (!IsPortOpen()) {
        StopSimulation();
        ReopenRealPort();
        return;
    }
    if (m_pTransfer && m_shell.MessageBox(kLoadSimulationText, EBoxButtons::YesNo,
                                          EBoxIcon::Question) == EBoxAnswer::Yes) {
        m_pTransfer->LoadSystem();
        ShowPortState();
    }
}

void CMainFrame::ReopenRealPort() {
    if (!m_bRealPortBeforeSimulation)
        return;
    m_bRealPortBeforeSimulation = false;
    OpenPort();
}

void CMainFrame::StopSimulation() {
    m_pSimulation->Stop();
    m_pCommCtrl->SetDeviceName(QString());
    UpdateTitle();
    ShowPortState();
}

// The port closes before the box opens: behind a modal box the serial
// control would otherwise find the line gone and report it a second time.
void CMainFrame::OnSimulationEnded() {
    m_bRealPortBeforeSimulation = false;
    if (m_pComm)
        m_pComm->SetPortOpen(false);
    m_pCommCtrl->SetPortOpen(false);
    StopSimulation();
    QApplication::beep();
    m_shell.MessageBox(std::string(kSimulationLostText) + "\n" + CSerialControl::kDisconnectedText,
                       EBoxButtons::Ok, EBoxIcon::Stop);
}
