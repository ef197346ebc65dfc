#include "editors/BooleanCommands.h"
#include "reports/SystemCheckDlg.h"
#include "shell/CommandIds.h"
#include "shell/MainFrame.h"

#include <QAction>

void CMainFrame::OnCheckSystem() {
    if (m_pSystemCheck) {
        m_pSystemCheck->Refresh();
        m_pSystemCheck->showNormal();
        m_pSystemCheck->raise();
        m_pSystemCheck->activateWindow();
        return;
    }
    // The editor opens on the finding's channel as the loop status
    // controller opens it: the editor command's picker would refuse exactly
    // the channels a finding is about.
    CSystemCheckDlg::COpeners openers{[this] { Booleans().EditCurrentEquation(); },
                                      [this] { Action(ID_HIGH_SPEED_CHANNELS)->trigger(); }};
    m_pSystemCheck = new CSystemCheckDlg(m_system, m_moduleTypes, m_shell, openers, this);
    m_pSystemCheck->setObjectName("SystemCheck");
    m_pSystemCheck->show();
}

CSystemCheckDlg* CMainFrame::SystemCheck() const { return m_pSystemCheck.data(); }
