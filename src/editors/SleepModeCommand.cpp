#include "editors/SleepModeCommand.h"

#include "editors/SysDlg.h"
#include "link/zlvcomm.h"
#include "model/ReadBackup.h"
#include "model/ShellServices.h"
#include "model/system.h"
#include "shell/MainFrm.h"

// Cancel leaves the values the PC held before the command, not the ones the
// opening read brought in.
void CSleepModeCommand::OnSleepMode() {
    m_frame.UpdateTitle();
    m_frame.PauseLink();
    CReadBackup backup(m_sys);
    if (IsPortOpen())
        Report(Comm().ReadSleepMode());
    CSysDlg dialog(m_sys, m_shell, &m_frame);
    if (dialog.exec() != QDialog::Accepted)
        backup.RestoreSleepMode();
    else if (IsPortOpen()) {
        m_sys.SuspendLink();
        Report(Comm().SendSleepMode());
        m_sys.ResumeLink();
    }
    m_frame.ContinueLink();
}
