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
    if (IsSimulating())
        ClosePort();
    else
        StartSimulation();
    ShowPortState();
}

// The simulator is reached as a vehicle is: the normal opening on its link,
// then, when wanted, the system transfer into its empty memory.
void CMainFrame::StartSimulation() {
    if (IsPortOpen())
        ClosePort();
    if (!m_pSimulation->Start()) {
        m_shell.MessageBox(FromQString(m_pSimulation->ErrorText()), EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return;
    }
    m_pCommCtrl->SetDeviceName(m_pSimulation->LinkPath());
    UpdateTitle();
    OpenPort();
    if (!IsPortOpen()) {
        StopSimulation();
        return;
    }
    if (m_pTransfer && m_shell.MessageBox(kLoadSimulationText, EBoxButtons::YesNo,
                                          EBoxIcon::Question) == EBoxAnswer::Yes) {
        m_pTransfer->LoadSystem();
        ShowPortState();
    }
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
    if (m_pComm)
        m_pComm->SetPortOpen(false);
    m_pCommCtrl->SetPortOpen(false);
    StopSimulation();
    QApplication::beep();
    m_shell.MessageBox(std::string(kSimulationLostText) + "\n" + CSerialControl::kDisconnectedText,
                       EBoxButtons::Ok, EBoxIcon::Stop);
}
