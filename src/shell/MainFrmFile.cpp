#include "shell/MainFrm.h"

#include "model/ShellServices.h"
#include "model/system.h"
#include "shell/ChildFrm.h"
#include "shell/CommandIds.h"
#include "shell/Text.h"

#include <QFile>
#include <QFileInfo>
#include <QMdiArea>

void CMainFrame::OnFileOpenSystem() { NotAvailableYet(ID_FILE_OPEN_SYSTEM); }
void CMainFrame::OnFileSaveSystemAs() { NotAvailableYet(ID_FILE_SAVE_SYSTEM_AS); }
void CMainFrame::OnImportZlv() { NotAvailableYet(ID_IMPORT_ZLV); }
void CMainFrame::OnExportZlv() { NotAvailableYet(ID_EXPORT_ZLV); }
void CMainFrame::OnSaveCurrentWork() { NotAvailableYet(ID_SAVE_CURRENT_WORK); }
void CMainFrame::OnClearAll() { NotAvailableYet(ID_CLEAR_ALL); }
void CMainFrame::OnReadModuleLibrary() { NotAvailableYet(ID_READ_MODULE_LIBRARY); }
void CMainFrame::OnWriteModuleLibrary() { NotAvailableYet(ID_WRITE_MODULE_LIBRARY); }

// --- documentation windows ---

CChildFrame* CMainFrame::NewDocumentWindow(const QString& strTitle, const QString& strPath) {
    auto pDocument = std::make_unique<CWinzlv4Doc>(strTitle, strPath, [this] { UpdateTitle(); });
    auto* pChild = new CChildFrame(std::move(pDocument));
    m_pMdiArea->addSubWindow(pChild);
    pChild->showMaximized();
    m_pMdiArea->setActiveSubWindow(pChild);
    UpdateDocumentCommands();
    UpdateTitle();
    return pChild;
}

CChildFrame* CMainFrame::ActiveDocumentWindow() const {
    return qobject_cast<CChildFrame*>(m_pMdiArea->currentSubWindow());
}

void CMainFrame::OnFileNew() { NewDocumentWindow(QString("Corvel%1").arg(m_nNextDocument++), {}); }

void CMainFrame::OnFileOpen() {
    CFileDialogRequest request;
    request.strTitle = "Open";
    request.strFilter = "All Files (*.*)|*.*||";
    request.nFlags = kFileHideReadOnly;
    std::string strPath;
    if (!m_shell.AskFileName(request, strPath))
        return;
    QString strFile = PathToQString(strPath);
    NewDocumentWindow(QFileInfo(strFile).fileName(), strFile);
}

// A documentation document keeps nothing of its own, so saving it writes an
// empty file at most, and never over a file that exists.
void CMainFrame::OnFileSave() {
    CChildFrame* pChild = ActiveDocumentWindow();
    if (!pChild)
        return;
    CWinzlv4Doc& document = pChild->Document();
    if (!document.GetPathName().isEmpty()) {
        SetStatusText(FromQString(document.GetTitle()) +
                      ": a documentation window has no data of its own to save.");
        return;
    }
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Save As";
    request.strFileName = FromQString(document.GetTitle());
    request.strFilter = "All Files (*.*)|*.*||";
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
    std::string strPath;
    if (!m_shell.AskFileName(request, strPath))
        return;
    QString strFile = PathToQString(strPath);
    QFile file(strFile);
    if (file.exists()) {
        m_shell.MessageBox(strPath + " was left unchanged: a documentation window has no data "
                                     "of its own to write over it.");
        return;
    }
    if (!file.open(QIODevice::WriteOnly)) {
        m_shell.MessageBox("Could not open/create data file " + strPath);
        return;
    }
    document.SetPathName(strFile);
    pChild->UpdateCaption();
    UpdateTitle();
}
