#include "editors/HiSpeedCommand.h"

#include "editors/HiSpeedDlg.h"
#include "link/ControllerProtocol.h"
#include "model/ReadBackup.h"
#include "model/System.h"
#include "shell/MainFrame.h"

// Cancel leaves the pairs the PC held before the command, not the ones the
// opening read brought in.
void CHiSpeedCommand::OnHighSpeedChannels() {
    m_frame.UpdateTitle();
    CReadBackup backup(m_sys);
    m_sys.SuspendLink();
    if (IsPortOpen()) {
        m_frame.PauseLink();
        Report(Comm().ReadHiSpeedPairs());
        m_frame.ContinueLink();
    }
    m_sys.ResumeLink();
    CHiSpeedDlg dialog(
        m_sys, m_types, m_shell,
        [this](short nModule, short nChannel) {
            SendChannelEquation(nModule, nChannel, CHiSpeedRules::kBlueLoop);
        },
        &m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        backup.RestoreHiSpeedPairs();
        return;
    }
    if (IsPortOpen()) {
        m_frame.PauseLink();
        m_sys.SuspendLink();
        Report(Comm().SendHiSpeedPairs());
        m_frame.ContinueLink();
        m_sys.ResumeLink();
    }
}

bool CHiSpeedCommand::SendChannelEquation(short nModule, short nChannel, short nLoop) {
    if (!IsPortOpen())
        return true;
    m_frame.PauseLink();
    const bool bOk = Comm().SendEquationAt(nModule, nChannel, nLoop);
    Report(bOk);
    m_frame.ContinueLink();
    return bOk;
}
