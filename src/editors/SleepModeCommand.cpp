#include "editors/SleepModeCommand.h"

#include "editors/SleepModeDlg.h"
#include "link/ControllerProtocol.h"
#include "model/ReadBackup.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "shell/MainFrame.h"

// Cancel leaves the values the PC held before the command, not the ones the
// opening read brought in.
void CSleepModeCommand::OnSleepMode() {
    m_frame.UpdateTitle();
    m_frame.PauseLink();
    CReadBackup backup(m_sys);
    if (IsPortOpen())
        Report(Comm().ReadSleepMode());
    CSleepModeDlg dialog(m_sys, m_shell, &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        backup.RestoreSleepMode();
    else if (IsPortOpen()) {
        m_sys.SuspendLink();
        Report(Comm().SendSleepMode());
        m_sys.ResumeLink();
    }
    m_frame.ContinueLink();
}
