#include "editors/TimerSetupCommand.h"

#include "editors/TimerDlg.h"
#include "link/ControllerProtocol.h"
#include "model/ReadBackup.h"
#include "model/System.h"
#include "shell/MainFrame.h"

// Cancel leaves the timers the PC held before the command, except those of
// the modules SAVE, RETRIEVE or TRANSMIT stored or sent meanwhile.
void CTimerSetupCommand::OnTimerSetup() {
    const short nModule = m_sys.GetCurModule();
    m_frame.UpdateTitle();
    m_frame.PauseLink();
    m_sys.SetCurLoop(CTimerDlg::kTimerLoop);
    CReadBackup backup(m_sys);
    if (IsPortOpen()) {
        m_frame.StartWaitIndicator(kRetrievingText);
        Comm().ReadAllTimers();
        m_frame.CloseWaitIndicator();
    }
    CTimerDlg dialog(
        m_sys, m_shell, [this] { RetrieveModuleTimers(); }, [this] { TransmitModuleTimers(); },
        &m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        for (short nTimerModule = 0; nTimerModule < CSystem::kModulesPerLoop; ++nTimerModule)
            if (!dialog.HasStored(nTimerModule))
                backup.RestoreModuleTimers(nTimerModule);
    } else if (IsPortOpen()) {
        m_frame.StartWaitIndicator(kTransmittingText);
        m_sys.SuspendLink();
        Report(Comm().SendAllTimers());
        m_sys.ResumeLink();
        m_frame.CloseWaitIndicator();
    }
    m_sys.SetCurModule(nModule);
    m_frame.ContinueLink();
}

void CTimerSetupCommand::RetrieveModuleTimers() {
    if (!IsPortOpen())
        return;
    m_frame.PauseLink();
    Comm().ReadModuleTimers();
    m_frame.ContinueLink();
}

void CTimerSetupCommand::TransmitModuleTimers() {
    m_sys.SuspendLink();
    if (IsPortOpen()) {
        m_frame.PauseLink();
        Comm().SendModuleTimers();
        m_frame.ContinueLink();
    }
    m_sys.ResumeLink();
}
