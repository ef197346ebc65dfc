#include "link/FrameTransferHost.h"

#include "editors/SelGroup.h"
#include "editors/selchl.h"
#include "editors/selmod.h"
#include "link/zlvcomm.h"
#include "model/ShellServices.h"
#include "moduletypes/ModuleTypeTexts.h"
#include "shell/MainFrm.h"

namespace {

class CNoModuleTypes : public CModuleTypeTexts {
public:
    std::string GetNameById(short) const override { return " "; }
    std::string GetDescriptionById(short) const override { return " "; }
    std::string GetNoteById(short) const override { return " "; }
};

} // namespace

CFrameTransferHost::CFrameTransferHost(CMainFrame& frame, CSystem& system, CZlvComm& comm,
                                       CShellServices& shell)
    : m_frame(frame), m_system(system), m_comm(comm), m_shell(shell) {}

bool CFrameTransferHost::IsPortOpen() const { return m_frame.IsPortOpen(); }

bool CFrameTransferHost::PauseLink() {
    if (IsPortOpen())
        m_comm.SendPause();
    return true;
}

bool CFrameTransferHost::ContinueLink() {
    if (IsPortOpen())
        m_comm.SendContinue();
    return true;
}

void CFrameTransferHost::ReportTransmitError() { m_shell.MessageBox(kTransmitErrorText); }

void CFrameTransferHost::StartWaitIndicator(const std::string& strText) {
    m_comm.ShowProgress(strText);
}

void CFrameTransferHost::CloseWaitIndicator() {}

void CFrameTransferHost::ShowBusyCursor(bool bBusy) {
    if (bBusy)
        m_frame.setCursor(Qt::WaitCursor);
    else
        m_frame.unsetCursor();
}

CTransferHost::ESaveResult CFrameTransferHost::SaveSystemAs() {
    switch (m_frame.SaveSystemAs()) {
    case CMainFrame::ESaveResult::Saved:
        return ESaveResult::Saved;
    case CMainFrame::ESaveResult::Cancelled:
        return ESaveResult::Cancelled;
    case CMainFrame::ESaveResult::Failed:
        break;
    }
    return ESaveResult::Failed;
}

bool CFrameTransferHost::PickObjectGroup() {
    CSelGroup dialog(m_system, &m_frame);
    return dialog.exec() == QDialog::Accepted;
}

bool CFrameTransferHost::PickModule() {
    static const CNoModuleTypes noTypes;
    CSelMod dialog(m_system, m_pTypes ? *m_pTypes : noTypes, &m_frame);
    return dialog.exec() == QDialog::Accepted;
}

bool CFrameTransferHost::PickChannel() {
    CSelChl dialog(m_system, &m_frame);
    return dialog.exec() == QDialog::Accepted;
}
