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
    EditWithController(&CZlvComm::ReadAllModuleLabels, &CZlvComm::SendAllModuleLabels, [this] {
        return CModLabel(m_sys, m_shell, &m_frame).exec() == QDialog::Accepted;
    });
}

void CLabelCommands::OnSystemLabels() {
    EditWithController(&CZlvComm::ReadSysLabels, &CZlvComm::SendSysLabels,
                       [this] { return CSysLabel(m_sys, &m_frame).exec() == QDialog::Accepted; });
}

void CLabelCommands::EditWithController(bool (CZlvComm::*pfnRead)(), bool (CZlvComm::*pfnSend)(),
                                        const std::function<bool()>& fnDialog) {
    m_frame.UpdateTitle();
    m_sys.SuspendLink();
    ExchangeIfOpen(pfnRead);
    if (fnDialog())
        ExchangeIfOpen(pfnSend);
    m_frame.CloseWaitIndicator();
    m_sys.ResumeLink();
}

void CLabelCommands::ExchangeIfOpen(bool (CZlvComm::*pfnExchange)()) {
    if (!IsPortOpen())
        return;
    m_frame.PauseLink();
    Report((Comm().*pfnExchange)());
    m_frame.ContinueLink();
}
