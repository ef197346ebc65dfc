#include "editors/ModuleLabelDlg.h"

#include "model/ShellServices.h"
#include "model/System.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_ModuleLabelDlg.h"

namespace {

QLineEdit& LabelEdit(QWidget& dialog, short nModule) {
    return *dialog.findChild<QLineEdit*>(
        QString("editLabel%1").arg(QChar(CSystem::ModuleLetter(nModule))));
}

} // namespace

CModuleLabelDlg::CModuleLabelDlg(CSystem& sys, CShellServices& shell, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_shell(shell), m_ui(std::make_unique<Ui::CModuleLabelDlg>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "module-labels");
    m_ui->comboLoop->setCurrentIndex(m_sys.GetCurLoop());
    Reload();

    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        connect(&LabelEdit(*this, nModule), &QLineEdit::textEdited, this,
                [this] { m_bChanged = true; });
    connect(m_ui->comboLoop, &QComboBox::activated, this, &CModuleLabelDlg::OnLoopChosen);
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &CModuleLabelDlg::SaveLabels);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CModuleLabelDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CModuleLabelDlg::reject);
}

CModuleLabelDlg::~CModuleLabelDlg() = default;

void CModuleLabelDlg::Reload() {
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        LabelEdit(*this, nModule).setText(ToQString(m_sys.GetModuleLabelInCurLoop(nModule)));
}

// An emptied label is stored as the default label, which is what the
// controller answers for an empty one.
void CModuleLabelDlg::SaveLabels() {
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        m_sys.SetModuleLabel(nModule, m_sys.GetCurLoop(),
                             FromQString(LabelEdit(*this, nModule).text()));
    m_sys.SetModified();
    m_abSaved[m_sys.GetCurLoop()] = true;
    m_bChanged = false;
}

void CModuleLabelDlg::OnLoopChosen(int nLoop) {
    if (m_bChanged && m_shell.MessageBox(kSaveQuestionText, EBoxButtons::YesNo,
                                         EBoxIcon::Question) == EBoxAnswer::Yes)
        SaveLabels();
    m_sys.SetCurLoop(static_cast<short>(nLoop));
    Reload();
}

void CModuleLabelDlg::accept() {
    SaveLabels();
    QDialog::accept();
}
