#include "shell/MainFrame.h"

#include "diagnostics/LiveLogic.h"
#include "editors/BooleanCommands.h"
#include "link/CompareCommand.h"
#include "link/CompareDlg.h"
#include "link/FrameTransferHost.h"
#include "link/SerialLinkHost.h"
#include "link/SerialView.h"
#include "link/TransferCommands.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "model/SystemDiff.h"
#include "moduletypes/ModuleTypes.h"

#include <cstdio>

// --- controller commands ---

void CMainFrame::SetComm(CControllerProtocol* pComm) {
    // The serial link is made for one protocol object (UseSerialControl).
    delete m_pLinkHost;
    m_pLinkHost = nullptr;
    m_pComm = pComm;
    m_pTransfer.reset();
    m_pBooleans->SetLink(nullptr, nullptr);
    m_pTransferHost.reset();
    if (!pComm)
        return;
    m_pTransferHost = std::make_unique<CFrameTransferHost>(*this, m_system, m_moduleTypes);
    m_pTransfer = std::make_unique<CTransferCommands>(m_system, *pComm, m_shell, *m_pTransferHost);
    m_pBooleans->SetLink(m_pTransferHost.get(), pComm);
}

// Without a protocol object the port cannot be open, and each command does
// what it does with the port closed.
void CMainFrame::OnTransfer() {
    if (m_pTransfer) {
        m_pTransfer->OnTransfer();
        ShowPortState();
        return;
    }
    UpdateTitle();
    m_shell.MessageBox(CTransferCommands::kPortNotOpenText, EBoxButtons::Ok, EBoxIcon::Exclamation);
}

void CMainFrame::OnRetrieve() {
    if (m_pTransfer) {
        m_pTransfer->OnRetrieve();
        ShowPortState();
        return;
    }
    m_shell.MessageBox(CTransferCommands::kPortNotOpenText, EBoxButtons::Ok, EBoxIcon::Exclamation);
}

void CMainFrame::OnCompare() {
    if (!m_pComm) {
        UpdateTitle();
        m_shell.MessageBox(CTransferCommands::kPortNotOpenText, EBoxButtons::Ok,
                           EBoxIcon::Exclamation);
        return;
    }
    CCompareCommand compare(m_system, *m_pComm, m_shell, *m_pTransferHost);
    std::optional<std::vector<CSystemDifference>> aDiffs = compare.OnCompare();
    if (!aDiffs)
        return;
    m_pLiveLogic->SetDiffering(CSystemDiff::EquationChannels(*aDiffs));
    CCompareDlg dialog(*aDiffs, m_shell, this);
    dialog.exec();
}

void CMainFrame::OnStartLink() {
    if (m_pTransfer) {
        m_pTransfer->OnStartLink();
        ShowPortState();
        return;
    }
    UpdateTitle();
}

void CMainFrame::OnStopLink() {
    if (m_pTransfer) {
        m_pTransfer->OnStopLink();
        ShowPortState();
        return;
    }
    UpdateTitle();
}

void CMainFrame::OnCpuProcessingTime() {
    if (m_pTransfer) {
        m_pTransfer->OnCpuProcessingTime();
        return;
    }
    m_system.ShowBoolProcTime();
}

// --- serial viewer ---

void CMainFrame::OnSerialViewer() {
    if (m_pSerialView) {
        BringToFront(*m_pSerialView);
        return;
    }
    m_pSerialView = new CSerialView(this);
    m_pSerialView->setObjectName("SerialView");
    ShareCommandKeys(*m_pSerialView);
    connect(m_pSerialView, &CSerialView::Closed, this, &CMainFrame::OnSerialViewerClosed);
    m_pSerialView->show();
    char szTrace[96];
    std::snprintf(szTrace, sizeof szTrace, "Serial viewer and list boxes created at %p\n",
                  static_cast<void*>(m_pSerialView.data()));
    m_shell.Trace(szTrace);
}

void CMainFrame::AddOutboundLine(const std::string& strLine) {
    if (m_pSerialView)
        m_pSerialView->AddOutboundLine(strLine);
}

void CMainFrame::AddInboundLine(const std::string& strLine) {
    if (m_pSerialView)
        m_pSerialView->AddInboundLine(strLine);
}

void CMainFrame::OnSerialViewerClosed() {
    if (m_pSerialView)
        m_pSerialView->ClearLists();
    m_pSerialView = nullptr;
    m_shell.Trace("Got serial view cancelled\n");
}

CSerialView* CMainFrame::SerialView() const { return m_pSerialView.data(); }
