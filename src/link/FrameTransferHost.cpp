#include "link/FrameTransferHost.h"

#include "editors/ChannelNumberDlg.h"
#include "editors/ModulePicker.h"
#include "editors/ObjectGroupDlg.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/MainFrame.h"

CFrameTransferHost::CFrameTransferHost(CMainFrame& frame, CSystem& system,
                                       const CModuleTypes& types)
    : m_frame(frame), m_system(system), m_types(types) {}

bool CFrameTransferHost::IsPortOpen() const { return m_frame.IsPortOpen(); }

bool CFrameTransferHost::PauseLink() { return m_frame.PauseLink(); }

bool CFrameTransferHost::ContinueLink() { return m_frame.ContinueLink(); }

void CFrameTransferHost::ReportTransmitError() { m_frame.ReportTransmitError(); }

void CFrameTransferHost::StartWaitIndicator(const std::string& strText) {
    m_frame.StartWaitIndicator(strText);
}

void CFrameTransferHost::CloseWaitIndicator() { m_frame.CloseWaitIndicator(); }

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
    CObjectGroupDlg dialog(m_system, &m_frame);
    return dialog.exec() == QDialog::Accepted;
}

bool CFrameTransferHost::PickModule() {
    CModulePicker dialog(m_system, m_types, &m_frame);
    return dialog.exec() == QDialog::Accepted;
}

bool CFrameTransferHost::PickChannel() {
    CChannelNumberDlg dialog(m_system, &m_frame);
    return dialog.exec() == QDialog::Accepted;
}
