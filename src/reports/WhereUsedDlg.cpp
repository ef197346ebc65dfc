#include "reports/WhereUsedDlg.h"

#include "controls/SheetView.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "reports/WhereUsedReport.h"
#include "shell/CommandIds.h"
#include "shell/HelpRouter.h"
#include "shell/ToolbarIcons.h"

#include "ui_WhereUsedDlg.h"

namespace {

constexpr int kIconSize = 24;

} // namespace

CWhereUsedDlg::CWhereUsedDlg(CSystem& sys, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CWhereUsedDlg>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "where-used");
    m_ui->iconPrint->setPixmap(
        CToolbarIcons::ForCommand(ID_FILE_PRINT).pixmap(kIconSize, kIconSize));
    m_ui->iconSaveFile->setPixmap(
        CToolbarIcons::ForCommand(ID_FILE_SAVE).pixmap(kIconSize, kIconSize));
    CSheetView& sheet = Sheet();
    sheet.SetShell(&sys.Shell());
    // The control of this dialog comes with its designer allowed.
    sheet.Sheet().SetAllowDesigner(true);
    m_nChannel = m_sys.GetCurIndex();
    BuildWhereUsedReport(sheet.Sheet(), m_sys);
    sheet.SheetChanged();

    m_ui->buttonExplorer->setVisible(false);
    connect(m_ui->buttonExplorer, &QPushButton::clicked, this, [this] {
        if (m_explorer)
            m_explorer(this, m_nChannel);
    });
    connect(m_ui->buttonPrint, &QPushButton::clicked, this, &CWhereUsedDlg::OnPrint);
    connect(m_ui->buttonSaveFile, &QPushButton::clicked, this, &CWhereUsedDlg::OnSaveFile);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

CWhereUsedDlg::~CWhereUsedDlg() = default;

void CWhereUsedDlg::SetLogicExplorer(std::function<void(QWidget*, short)> explorer) {
    m_explorer = std::move(explorer);
    m_ui->buttonExplorer->setVisible(static_cast<bool>(m_explorer));
}

CSheetView& CWhereUsedDlg::Sheet() const { return *m_ui->sheet; }

void CWhereUsedDlg::OnPrint() {
    Sheet().Sheet().SetPrintGridLines(false);
    Sheet().FilePrint(true);
}

void CWhereUsedDlg::OnSaveFile() {
    CFileDialogRequest request;
    request.bOpen = false;
    request.strTitle = "Save As";
    request.strDefExt = "XLS";
    request.strFilter = "EXCELL (*.XLS) | *.XLS | All Files | *.* ||";
    request.nFlags = kFileHideReadOnly | kFileOverwritePrompt;
    std::string strPath;
    if (!m_sys.Shell().AskFileName(request, strPath))
        return;
    Sheet().Write(strPath, CSheet::FileXlsx);
}

void ShowWhereUsedReport(CSystem& sys, QWidget* pParent) {
    CWhereUsedDlg dialog(sys, pParent);
    dialog.exec();
}

void ShowWhereUsedReport(CSystem& sys, QWidget* pParent,
                         std::function<void(QWidget*, short)> explorer) {
    CWhereUsedDlg dialog(sys, pParent);
    dialog.SetLogicExplorer(std::move(explorer));
    dialog.exec();
}
