#include "shell/DesktopShell.h"

#include "shell/HelpRouter.h"
#include "shell/MainFrame.h"
#include "shell/Text.h"

#include <QApplication>
#include <QFileDialog>
#include <QLoggingCategory>
#include <QMessageBox>

namespace {

Q_LOGGING_CATEGORY(lcTrace, "corvel.trace", QtWarningMsg)

QMessageBox::Icon BoxIcon(EBoxIcon icon) {
    switch (icon) {
    case EBoxIcon::Information:
        return QMessageBox::Information;
    case EBoxIcon::Exclamation:
        return QMessageBox::Warning;
    case EBoxIcon::Question:
        return QMessageBox::Question;
    case EBoxIcon::Stop:
        return QMessageBox::Critical;
    case EBoxIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(EBoxButtons buttons) {
    switch (buttons) {
    case EBoxButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case EBoxButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case EBoxButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case EBoxButtons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

EBoxAnswer Answer(int nButton) {
    switch (nButton) {
    case QMessageBox::Yes:
        return EBoxAnswer::Yes;
    case QMessageBox::No:
        return EBoxAnswer::No;
    case QMessageBox::Cancel:
        return EBoxAnswer::Cancel;
    default:
        return EBoxAnswer::Ok;
    }
}

} // namespace

void CDesktopShell::SetMainFrame(CMainFrame* pFrame) { m_pFrame = pFrame; }

QWidget* CDesktopShell::Parent() const {
    if (QWidget* pModal = QApplication::activeModalWidget())
        return pModal;
    return m_pFrame.data();
}

std::unique_ptr<QMessageBox> CDesktopShell::MakeBox(const std::string& strText, EBoxButtons buttons,
                                                    EBoxIcon icon, QWidget* pParent) {
    auto pBox = std::make_unique<QMessageBox>(
        BoxIcon(icon), kBoxTitle, QString::fromStdString(strText), BoxButtons(buttons), pParent);
    pBox->setObjectName("MessageBox");
    pBox->setProperty(CHelpRouter::kSectionProperty, "messages");
    if (buttons == EBoxButtons::YesNo || buttons == EBoxButtons::YesNoCancel)
        pBox->setDefaultButton(QMessageBox::Yes);
    // With Yes and No only, the Escape key and the close box mean No.
    if (buttons == EBoxButtons::YesNo)
        pBox->setEscapeButton(QMessageBox::No);
    return pBox;
}

EBoxAnswer CDesktopShell::MessageBox(const std::string& strText, EBoxButtons buttons,
                                     EBoxIcon icon) {
    return Answer(MakeBox(strText, buttons, icon, Parent())->exec());
}

QString CDesktopShell::QtFilter(const std::string& strFilter) {
    QStringList astrParts = QString::fromStdString(strFilter).split('|');
    QStringList astrFilters;
    for (qsizetype i = 0; i + 1 < astrParts.size(); i += 2) {
        QString strName = astrParts[i].trimmed();
        QString strPattern = astrParts[i + 1].trimmed();
        if (strName.isEmpty())
            break;
        astrFilters << (strName.contains('(') ? strName : strName + " (" + strPattern + ")");
    }
    return astrFilters.join(";;");
}

bool CDesktopShell::AskFileName(const CFileDialogRequest& request, std::string& strPath) {
    QFileDialog dialog(Parent(), QString::fromStdString(request.strTitle));
    dialog.setObjectName("FileDialog");
    dialog.setProperty(CHelpRouter::kSectionProperty, "file-dialogs");
    dialog.setAcceptMode(request.bOpen ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(request.bOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!request.bOpen && !(request.nFlags & kFileOverwritePrompt))
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QString::fromStdString(request.strDefExt));
    QString strFilter = QtFilter(request.strFilter);
    if (!strFilter.isEmpty())
        dialog.setNameFilter(strFilter);
    dialog.setDirectory(request.strInitialDir.empty() ? QDir::currentPath()
                                                      : PathToQString(request.strInitialDir));
    if (!request.strFileName.empty() && request.strFileName.find('*') == std::string::npos)
        dialog.selectFile(PathToQString(request.strFileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    strPath = PathFromQString(dialog.selectedFiles().front());
    return true;
}

void CDesktopShell::SetStatusText(const std::string& strText) {
    if (m_pFrame)
        m_pFrame->ShowResultText(strText);
}

void CDesktopShell::UpdateTitle() {
    if (m_pFrame)
        m_pFrame->UpdateTitle();
}

void CDesktopShell::Trace(const std::string& strText) {
    qCDebug(lcTrace).noquote() << QString::fromStdString(strText).trimmed();
}

// Forcing a channel goes to the controller through the main window's link;
// before the main window exists there is no link to send it on.
void CDesktopShell::SendChannelState(short nLoop, short nModule, short nChannel, int nState) {
    if (m_pFrame)
        m_pFrame->SendForcedChannelState(nLoop, nModule, nChannel, nState);
}
