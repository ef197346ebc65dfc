#include "editors/SleepModeCommand.h"

#include "editors/SysDlg.h"
#include "link/zlvcomm.h"
#include "model/ShellServices.h"
#include "model/system.h"
#include "shell/MainFrm.h"

void CSleepModeCommand::OnSleepMode() {
    m_frame.UpdateTitle();
    m_frame.PauseLink();
    if (IsPortOpen())
        Report(Comm().ReadSleepMode());
    CSysDlg dialog(m_sys, m_shell, &m_frame);
    if (dialog.exec() == QDialog::Accepted && IsPortOpen()) {
        m_sys.SuspendLink();
        Report(Comm().SendSleepMode());
        m_sys.ResumeLink();
    }
    m_frame.ContinueLink();
}
