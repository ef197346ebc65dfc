#include "editors/LabelCommands.h"

#include "editors/LABELDG.h"
#include "editors/ModLabel.h"
#include "editors/SysLabel.h"
#include "link/zlvcomm.h"
#include "model/ShellServices.h"
#include "model/system.h"
#include "shell/MainFrm.h"

void CLabelCommands::OnChannelLabels() {
    m_frame.UpdateTitle();
    m_frame.PauseLink();
    if (IsPortOpen())
        Comm().ReadModuleChannelLabels();
    CLabelDlg dialog(m_sys, m_shell, &m_frame);
    if (dialog.exec() == QDialog::Accepted && IsPortOpen()) {
        m_sys.SuspendLink();
        Report(Comm().SendModuleChannelLabels());
        m_sys.ResumeLink();
    }
    m_frame.ContinueLink();
    m_frame.CloseWaitIndicator();
}

void CLabelCommands::OnModuleLabels() {
    m_frame.UpdateTitle();
    m_sys.SuspendLink();
    if (IsPortOpen()) {
        m_frame.PauseLink();
        Report(Comm().ReadAllModuleLabels());
        m_frame.ContinueLink();
    }
    CModLabel dialog(m_sys, m_shell, &m_frame);
    if (dialog.exec() == QDialog::Accepted && IsPortOpen()) {
        m_frame.PauseLink();
        Report(Comm().SendAllModuleLabels());
        m_frame.ContinueLink();
    }
    m_frame.CloseWaitIndicator();
    m_sys.ResumeLink();
}

void CLabelCommands::OnSystemLabels() {
    m_frame.UpdateTitle();
    m_sys.SuspendLink();
    if (IsPortOpen()) {
        m_frame.PauseLink();
        Report(Comm().ReadSysLabels());
        m_frame.ContinueLink();
    }
    CSysLabel dialog(m_sys, &m_frame);
    if (dialog.exec() == QDialog::Accepted && IsPortOpen()) {
        m_frame.PauseLink();
        Report(Comm().SendSysLabels());
        m_frame.ContinueLink();
    }
    m_frame.CloseWaitIndicator();
    m_sys.ResumeLink();
}
