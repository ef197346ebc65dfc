#include "shell/MainFrame.h"

#include "diagnostics/LiveLogic.h"
#include "diagnostics/LogicView.h"
#include "diagnostics/LoopStatusController.h"
#include "diagnostics/LoopStatusViewer.h"
#include "editors/BooleanCommands.h"
#include "editors/SelectLoop.h"
#include "link/ControllerProtocol.h"
#include "model/System.h"

#include <QScreen>
#include <QStyle>

// --- live logic ---

void CMainFrame::CreateLiveLogic() {
    CLoopReports::CActions actions;
    actions.fnSave = [this] { m_system.SaveLoopMonitor(); };
    actions.fnMonitor = [this](short nLoop, bool bOn) { MonitorLoopForController(nLoop, bOn); };
    actions.fnRestore = [this] { RestoreLoopMonitoring(); };
    actions.fnLinesReceived = [this](short nLoop) {
        return m_pComm ? m_pComm->StatusLinesReceived(nLoop) : 0L;
    };
    m_pLiveLogic = std::make_unique<CLiveLogic>(m_system, std::move(actions),
                                                [this] { return m_pComm && IsPortOpen(); });
    m_pBooleans->SetLiveLogic(m_pLiveLogic.get());
}

void CMainFrame::ShowLogicExplorer(short nIndex, QWidget* pParent,
                                   const std::string& strReadOnlyReason) {
    std::function<void(QWidget*)> editor;
    if (strReadOnlyReason.empty())
        editor = [this](QWidget*) { Booleans().EditCurrentEquation(); };

    ShowLogicView(m_system, m_pLiveLogic.get(), nIndex, pParent ? pParent : this, std::move(editor),
                  strReadOnlyReason);
}

// --- loop status controller ---

void CMainFrame::OnLoopStatusController() {
    CLoopStatusController dialog(m_system, *this, this);
    dialog.exec();
}

void CMainFrame::MonitorLoopForController(short nLoop, bool bOn) {
    if (!m_pComm || !IsPortOpen() || m_system.GetLoopMonitorSaved(nLoop))
        return;
    ContinueLink();
    if (!m_pComm->SendLoopMonitor(nLoop, bOn))
        ReportTransmitError();
}

void CMainFrame::RestoreLoopMonitoring() {
    if (!m_pComm || !IsPortOpen())
        return;
    for (short nLoop = 0; nLoop < CSystem::kLoops; ++nLoop) {
        if (!m_pComm->SendLoopMonitor(nLoop, m_system.GetLoopMonitorSaved(nLoop))) {
            ReportTransmitError();
            return;
        }
    }
}

bool CMainFrame::SendChannelStateToCpu(short nModule, short nChannel, int nState, short nLoop) {
    if (!m_pComm || !IsPortOpen())
        return true;
    PauseLink();
    if (!m_pComm->SendChannelState(nLoop, nModule, nChannel, nState)) {
        ReportTransmitError();
        return false;
    }
    ContinueLink();
    return true;
}

void CMainFrame::SendForcedChannelState(short nLoop, short nModule, short nChannel, int nState) {
    m_pLiveLogic->SetForced(CSystem::MakeIndex(nLoop, nModule, nChannel));
    PauseLink();
    PauseLink();
    SendChannelStateToCpu(nModule, nChannel, nState, nLoop);
}

bool CMainFrame::SetBoolProcessor(bool bOn) {
    if (!m_pComm || !IsPortOpen())
        return true;
    PauseLink();
    m_pLiveLogic->SetProcessorOff(!bOn);
    if (!m_pComm->SendBoolProcessor(bOn)) {
        ReportTransmitError();
        return false;
    }
    ContinueLink();
    return true;
}

// --- loop status viewers ---

void CMainFrame::OnLoopStatusViewer() {
    CSelectLoop dialog(
        m_system, [this](int nLoop) { return m_apLoopStatus[nLoop] != nullptr; }, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    OpenLoopStatusViewer(static_cast<short>(m_system.GetPickedLoop()));
}

// Like the serial viewer, a viewer is a window of its own owned by the main
// window, so it stays beside it and goes with it. Asking again for a loop's
// viewer brings the one there is to the front.
void CMainFrame::OpenLoopStatusViewer(short nLoop) {
    UpdateTitle();
    if (CLoopStatusViewer* pOpen = m_apLoopStatus[nLoop]) {
        BringToFront(*pOpen);
        return;
    }
    auto* pViewer = new CLoopStatusViewer(m_system, nLoop, this);
    pViewer->setObjectName(QString("LoopStatusViewer%1").arg(nLoop));
    ShareCommandKeys(*pViewer);
    const QWidget* pLast = LastLoopStatusViewer();
    m_apLoopStatus[nLoop] = pViewer;
    m_pNewestLoopStatus = pViewer;
    connect(pViewer, &CLoopStatusViewer::Closed, this, &CMainFrame::OnLoopStatusViewerClosed);
    pViewer->show();
    if (pLast)
        CascadeBelow(*pViewer, *pLast);
    if (!m_pComm || !IsPortOpen())
        return;
    ContinueLink();
    if (m_pComm->SendLoopMonitor(nLoop, true))
        m_system.SetLoopMonitor(nLoop, true);
    else
        ReportTransmitError();
}

// Viewers opened one after another step down and right from the newest
// one, so each title bar stays in sight instead of all lying on one spot.
const QWidget* CMainFrame::LastLoopStatusViewer() const {
    if (m_pNewestLoopStatus)
        return m_pNewestLoopStatus;
    for (const QPointer<CLoopStatusViewer>& pViewer : m_apLoopStatus)
        if (pViewer)
            return pViewer;
    return nullptr;
}

void CMainFrame::CascadeBelow(QWidget& window, const QWidget& previous) {
    const int nStep = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window) +
                      window.fontMetrics().height();
    QPoint target = previous.pos() + QPoint(nStep, nStep);
    const QScreen* pScreen = previous.screen();
    const QRect area = pScreen ? pScreen->availableGeometry() : QRect();
    if (area.isValid() && !area.contains(QRect(target, window.frameGeometry().size())))
        target = area.topLeft();
    window.move(target);
}

void CMainFrame::OnLoopStatusViewerClosed(short nLoop) {
    m_apLoopStatus[nLoop] = nullptr;
    if (!m_pComm || !IsPortOpen())
        return;
    if (m_pComm->SendLoopMonitor(nLoop, false))
        m_system.SetLoopMonitor(nLoop, false);
    else
        ReportTransmitError();
}

CLoopStatusViewer* CMainFrame::LoopStatusViewer(short nLoop) const {
    return m_apLoopStatus[nLoop].data();
}
