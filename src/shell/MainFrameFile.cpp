#include "shell/MainFrame.h"

#include "link/ControllerProtocol.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "model/Trim.h"
#include "moduletypes/ModuleTypes.h"
#include "reports/DocumentationView.h"
#include "shell/CommandIds.h"
#include "shell/DocumentationWindow.h"
#include "shell/Settings.h"
#include "shell/Text.h"

#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>

#include <cctype>
#include <vector>

namespace {

const char* const kSaveQuestion = "Changes have been made. Do you wish to save?";
const char* const kTextFileFilter = "System as text (*.json) | *.json | All Files | *.* ||";
const char* const kSheetFileFilter =
    "Excel Workbook (*.xlsx) | *.xlsx | Corvel Sheet (*.VTS) | *.VTS | All Files | *.* ||";

// Stored paths may come from another platform, so both separators count.
std::size_t NameStart(const std::string& strPath) {
    auto nSeparator = strPath.find_last_of("/\\");
    return nSeparator == std::string::npos ? 0 : nSeparator + 1;
}

// Native path text as 8-bit model text, for labels and the stored path.
std::string ModelText(const std::string& strNative) {
    return FromQString(PathToQString(strNative));
}

std::string NativePath(const std::string& strModel) { return PathFromQString(ToQString(strModel)); }

// The stored path with the extension of another format: the system keeps
// its name in every format it is written in.
std::string WithExtension(const std::string& strPath, const std::string& strExt) {
    if (strPath.empty())
        return strPath;
    auto nDot = strPath.rfind('.');
    if (nDot == std::string::npos || nDot < NameStart(strPath))
        return strPath + strExt;
    return strPath.substr(0, nDot) + strExt;
}

// Both system file formats are opened the same way: every file of the
// extension offered, starting in the folder of the system file.
CFileDialogRequest OpenSystemFileRequest(const std::string& strTitle, const std::string& strExt,
                                         const std::string& strFilter,
                                         const std::string& strFileDir) {
    CFileDialogRequest request;
    request.strTitle = strTitle;
    request.strDefExt = strExt;
    request.strFileName = "*." + strExt;
    request.strFilter = strFilter;
    request.strInitialDir = NativePath(strFileDir);
    request.nFlags = kFileHideReadOnly;
    return request;
}

} // namespace

CMainFrame::ESaveResult CMainFrame::SaveSystemAs() {
    m_shell.Trace("Write Current file name " + m_system.GetFilePath() + "\n");
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Save As";
    request.strDefExt = "DVX";
    request.strFileName = NativePath(m_system.GetFilePath());
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
    std::string strChosen;
    if (!m_shell.AskFileName(request, strChosen))
        return ESaveResult::Cancelled;
    std::string strPath = FinalSavePath(strChosen, ".DVX");
    if (strPath.empty())
        return ESaveResult::Cancelled;
    m_shell.Trace("Write File name = " + strPath + "\n");
    if (!m_system.SaveSystemFile(strPath))
        return ESaveResult::Failed;
    m_system.SetFilePath(ModelText(strPath));
    UpdateTitle();
    m_shell.SetStatusText(strPath + " file has been written");
    std::string strTitle = ModelText(CSystem::FileTitle(Trimmed(strChosen)));
    m_shell.Trace("File write of title: " + strTitle + "\n");
    m_system.SetSysLabel(CSystem::SysLabelFileName, strTitle.substr(0, CSystem::kLabelLength));
    m_system.ClearModified();
    UpdateTitle();
    SendSysLabelsToController();
    return ESaveResult::Saved;
}

std::string CMainFrame::FinalSavePath(const std::string& strChosen, const std::string& strExt) {
    std::string strPath = Trimmed(strChosen);
    if (strPath.empty())
        strPath = "TEMP";
    for (std::size_t i = NameStart(strPath); i < strPath.size(); ++i)
        strPath[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(strPath[i])));
    if (strPath.size() < strExt.size() ||
        strPath.compare(strPath.size() - strExt.size(), strExt.size(), strExt) != 0)
        strPath += strExt;
    // The dialog asked about the name it was given; a file under the final
    // name is another file on a case-sensitive file system.
    if (strPath != Trimmed(strChosen) &&
        QFileInfo::exists(PathToQString(m_system.LaunchPath(strPath))) &&
        m_shell.MessageBox(strPath + " already exists.\nDo you want to replace it?",
                           EBoxButtons::YesNo, EBoxIcon::Exclamation) != EBoxAnswer::Yes)
        return {};
    return strPath;
}

// The controller keeps the system labels, the file label among them, in step
// with the file just written.
void CMainFrame::SendSysLabelsToController() {
    if (!IsPortOpen() || !m_pComm)
        return;
    PauseLink();
    if (!m_pComm->SendSysLabels())
        ReportTransmitError();
    CloseWaitIndicator();
    ContinueLink();
}

void CMainFrame::OnFileSaveSystemAs() { SaveSystemAs(); }

bool CMainFrame::OfferSave() {
    if (!m_system.IsModified() || m_shell.MessageBox(kSaveQuestion, EBoxButtons::YesNo,
                                                     EBoxIcon::Question) != EBoxAnswer::Yes)
        return true;
    return SaveSystemAs() != ESaveResult::Failed;
}

void CMainFrame::OnFileOpenSystem() {
    UpdateTitle();
    m_shell.Trace("Read Current file name " + m_system.GetFilePath() + "\n");
    if (!OfferSave())
        return;
    CFileDialogRequest request = OpenSystemFileRequest(
        "Open", "DVX", "DVX (*.DVX) | *.DVX | All Files | *.* ||", m_system.GetFileDir());
    m_shell.Trace("Read Current file path =" + request.strInitialDir + "\n");
    std::string strPath;
    if (m_shell.AskFileName(request, strPath))
        OpenSystemFile(strPath);
}

void CMainFrame::OpenSystemFile(const std::string& strPath) {
    if (!m_system.OpenSystemFile(strPath)) {
        UpdateTitle();
        return;
    }
    m_system.SetFileTitle(ModelText(CSystem::FileTitle(strPath)));
    UpdateTitle();
}

void CMainFrame::OnImportZlv() {
    m_shell.Trace("Import zlv file name " + m_system.GetFilePath() + "\n");
    CFileDialogRequest request = OpenSystemFileRequest(
        "Import ZLV file", "ZLV", "OLD ZLV (*.ZLV) | *.ZLV | All Files | *.* ||",
        m_system.GetFileDir());
    m_shell.Trace("Inport zlv file path =" + request.strInitialDir + "\n");
    std::string strPath;
    if (m_shell.AskFileName(request, strPath))
        ImportZlvFile(strPath);
}

void CMainFrame::ImportZlvFile(const std::string& strPath) {
    m_system.ImportOldFile(strPath);
    UpdateTitle();
}

void CMainFrame::OpenCommandLineFile(const std::string& strPath) {
    const QFileInfo file(PathToQString(strPath));
    if (!file.exists()) {
        m_shell.MessageBox("Could not find the file " + strPath + "\nNothing has been opened.",
                           EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    if (file.suffix().compare("ZLV", Qt::CaseInsensitive) == 0)
        ImportZlvFile(strPath);
    else if (file.suffix().compare("json", Qt::CaseInsensitive) == 0)
        ImportTextFile(strPath);
    else
        OpenSystemFile(strPath);
}

// The text replaces the whole system, so unsaved changes are offered for
// saving first, as Open does.
void CMainFrame::OnImportText() {
    UpdateTitle();
    if (!OfferSave())
        return;
    CFileDialogRequest request =
        OpenSystemFileRequest("Import text", "json", kTextFileFilter, m_system.GetFileDir());
    std::string strPath;
    if (m_shell.AskFileName(request, strPath))
        ImportTextFile(strPath);
}

void CMainFrame::ImportTextFile(const std::string& strPath) {
    m_system.ImportTextFile(strPath);
    UpdateTitle();
}

// The text is a copy of the system: its name, file path and modified flag
// stay as they are.
void CMainFrame::OnExportText() {
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Export as text";
    request.strDefExt = "json";
    request.strFileName = NativePath(WithExtension(m_system.GetFilePath(), ".json"));
    request.strFilter = kTextFileFilter;
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
    std::string strChosen;
    if (!m_shell.AskFileName(request, strChosen))
        return;
    std::string strPath = FinalTextPath(strChosen);
    if (strPath.empty() || !m_system.ExportTextFile(strPath))
        return;
    m_shell.SetStatusText(strPath + " file has been exported.");
}

// The name as typed, with ".json" added when it has no such extension; a
// file under the longer name is another file the dialog did not ask about.
std::string CMainFrame::FinalTextPath(const std::string& strChosen) {
    std::string strPath = Trimmed(strChosen);
    if (strPath.empty())
        return {};
    if (QFileInfo(PathToQString(strPath)).suffix().compare("json", Qt::CaseInsensitive) == 0)
        return strPath;
    strPath += ".json";
    if (QFileInfo::exists(PathToQString(m_system.LaunchPath(strPath))) &&
        m_shell.MessageBox(strPath + " already exists.\nDo you want to replace it?",
                           EBoxButtons::YesNo, EBoxIcon::Exclamation) != EBoxAnswer::Yes)
        return {};
    return strPath;
}

void CMainFrame::OnExportZlv() {
    m_shell.Trace("Export zlv file name " + m_system.GetFilePath() + "\n");
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Export ZLV file";
    request.strDefExt = "ZLV";
    request.strFileName = NativePath(WithExtension(m_system.GetFilePath(), ".ZLV"));
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt | kFileNoValidate;
    std::string strChosen;
    if (!m_shell.AskFileName(request, strChosen))
        return;
    std::string strPath = FinalSavePath(strChosen, ".ZLV");
    if (strPath.empty())
        return;
    m_shell.Trace("Write File name = " + strPath + "\n");
    if (!m_system.ExportOldFile(strPath))
        return;
    m_shell.Trace("CommDlgExtendedError = 0\n");
    m_system.SetFilePath(ModelText(strPath));
    UpdateTitle();
    m_shell.SetStatusText(strPath + " file has been exported.");
}

// The busy cursor stays off while the question waits for an answer.
void CMainFrame::OnClearAll() {
    UpdateTitle();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    PauseLink();
    m_system.SuspendLink();
    QApplication::restoreOverrideCursor();
    bool bClear = m_shell.MessageBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?",
                                     EBoxButtons::YesNo, EBoxIcon::Question) == EBoxAnswer::Yes;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (bClear) {
        if (IsPortOpen() && m_pComm && !m_pComm->ClearCpuMemory())
            ReportTransmitError();
        m_system.ResetToDefaults();
    }
    m_system.ResumeLink();
    CloseWaitIndicator();
    ContinueLink();
    QApplication::restoreOverrideCursor();
    ShowPortState();
    UpdateTitle();
}

// Each write reports its own failure; the status line then names every
// file that was not written instead of claiming success.
void CMainFrame::OnSaveCurrentWork() {
    std::vector<std::string> astrFailed;
    if (!m_system.SaveSystemFile(""))
        astrFailed.push_back(CSystem::kWorkingFile);
    if (!m_param.Save())
        astrFailed.push_back(CSettings::kFileName);
    if (!m_moduleTypes.Save())
        astrFailed.push_back(CModuleTypes::kFileName);
    if (astrFailed.empty()) {
        m_shell.SetStatusText("System files written");
        return;
    }
    std::string strText = "Could not write";
    for (std::size_t i = 0; i < astrFailed.size(); ++i)
        strText += (i == 0 ? " " : ", ") + astrFailed[i];
    m_shell.SetStatusText(strText);
}

void CMainFrame::OnReadModuleLibrary() {
    UpdateTitle();
    m_moduleTypes.RemoveAll();
    m_moduleTypes.Load();
}

void CMainFrame::OnWriteModuleLibrary() {
    UpdateTitle();
    m_moduleTypes.Save();
}

// --- documentation windows ---

CDocumentationWindow* CMainFrame::NewDocumentWindow(const QString& strTitle,
                                                    const QString& strPath) {
    auto pDocument =
        std::make_unique<CDocumentationDocument>(strTitle, strPath, [this] { UpdateTitle(); });
    auto* pView = new CDocumentationView(m_system, m_moduleTypes);
    auto* pChild = new CDocumentationWindow(std::move(pDocument), pView);
    m_pMdiArea->addSubWindow(pChild);
    pChild->resize(CDocumentationWindow::RestoredSize(*m_pMdiArea));
    pChild->showMaximized();
    m_pMdiArea->setActiveSubWindow(pChild);
    UpdateDocumentCommands();
    UpdateTitle();
    pView->BuildDocumentation();
    return pChild;
}

CDocumentationWindow* CMainFrame::ActiveDocumentWindow() const {
    return qobject_cast<CDocumentationWindow*>(m_pMdiArea->currentSubWindow());
}

CDocumentationView* CMainFrame::ActiveDocumentView() const {
    CDocumentationWindow* pChild = ActiveDocumentWindow();
    return pChild ? qobject_cast<CDocumentationView*>(pChild->widget()) : nullptr;
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

// Saving writes the window's sheet. A file the window opened is never
// written without asking: only a file this window saved before is written
// again straight away.
void CMainFrame::OnFileSave() {
    CDocumentationWindow* pChild = ActiveDocumentWindow();
    CDocumentationView* pView = ActiveDocumentView();
    if (!pChild || !pView)
        return;
    CDocumentationDocument& document = pChild->Document();
    std::string strPath = PathFromQString(document.GetPathName());
    if (!document.IsSavedSheet()) {
        CFileDialogRequest request;
        request.bOpen = false;
        request.strTitle = "Save As";
        request.strDefExt = "xlsx";
        request.strFileName =
            FromQString(QFileInfo(document.GetTitle()).completeBaseName()) + ".xlsx";
        request.strFilter = kSheetFileFilter;
        request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
        if (!m_shell.AskFileName(request, strPath))
            return;
    }
    if (!pView->SaveSheet(strPath))
        return;
    document.SetPathName(PathToQString(strPath));
    pChild->UpdateCaption();
    UpdateTitle();
    ShowResultText(strPath + " file has been written");
}

void CMainFrame::OnFilePrint() {
    if (CDocumentationView* pView = ActiveDocumentView())
        pView->OnFilePrint();
}
