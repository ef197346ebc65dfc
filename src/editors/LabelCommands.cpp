#include "editors/LabelCommands.h"

#include "editors/ChannelLabelDlg.h"
#include "editors/ModuleLabelDlg.h"
#include "editors/SystemLabelDlg.h"
#include "link/ControllerProtocol.h"
#include "model/ReadBackup.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "shell/MainFrame.h"

void CLabelCommands::OnChannelLabels() {
    m_frame.UpdateTitle();
    m_frame.PauseLink();
    CReadBackup backup(m_sys);
    const short nReadLoop = m_sys.GetCurLoop();
    const short nReadModule = m_sys.GetCurModule();
    if (IsPortOpen())
        Comm().ReadModuleChannelLabels();
    CChannelLabelDlg dialog(m_sys, m_shell, &m_frame);
    if (dialog.exec() != QDialog::Accepted) {
        if (!dialog.HasSaved(nReadModule, nReadLoop))
            backup.RestoreChannelLabels(nReadModule, nReadLoop);
    } else if (IsPortOpen()) {
        m_sys.SuspendLink();
        Report(Comm().SendModuleChannelLabels());
        m_sys.ResumeLink();
    }
    m_frame.ContinueLink();
    m_frame.CloseWaitIndicator();
}

void CLabelCommands::OnModuleLabels() {
    EditWithController(
        &CControllerProtocol::ReadAllModuleLabels, &CControllerProtocol::SendAllModuleLabels,
        [this](CReadBackup& backup) {
            CModuleLabelDlg dialog(m_sys, m_shell, &m_frame);
            if (dialog.exec() == QDialog::Accepted)
                return true;
            for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop)
                if (!dialog.HasSaved(nLoop))
                    backup.RestoreModuleLabels(nLoop);
            return false;
        },
        kRetrievingModuleLabelsText);
}

void CLabelCommands::OnSystemLabels() {
    EditWithController(&CControllerProtocol::ReadSysLabels, &CControllerProtocol::SendSysLabels,
                       [this](CReadBackup& backup) {
                           if (CSystemLabelDlg(m_sys, &m_frame).exec() == QDialog::Accepted)
                               return true;
                           backup.RestoreSysLabels();
                           return false;
                       });
}

void CLabelCommands::EditWithController(bool (CControllerProtocol::*pfnRead)(),
                                        bool (CControllerProtocol::*pfnSend)(),
                                        const std::function<bool(CReadBackup&)>& fnDialog,
                                        const char* szReadingText) {
    m_frame.UpdateTitle();
    m_sys.SuspendLink();
    CReadBackup backup(m_sys);
    if (szReadingText && IsPortOpen()) {
        m_frame.StartWaitIndicator(szReadingText);
        ExchangeIfOpen(pfnRead);
        m_frame.CloseWaitIndicator();
    } else {
        ExchangeIfOpen(pfnRead);
    }
    if (fnDialog(backup))
        ExchangeIfOpen(pfnSend);
    m_frame.CloseWaitIndicator();
    m_sys.ResumeLink();
}

void CLabelCommands::ExchangeIfOpen(bool (CControllerProtocol::*pfnExchange)()) {
    if (!IsPortOpen())
        return;
    m_frame.PauseLink();
    Report((Comm().*pfnExchange)());
    m_frame.ContinueLink();
}
