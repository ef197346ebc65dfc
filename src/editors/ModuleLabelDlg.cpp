#include "editors/ModLabel.h"

#include "model/ShellServices.h"
#include "model/system.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_ModLabel.h"

namespace {

QLineEdit& LabelEdit(QWidget& dialog, short nModule) {
    return *dialog.findChild<QLineEdit*>(
        QString("editLabel%1").arg(QChar(CSystem::ModuleLetter(nModule))));
}

} // namespace

CModLabel::CModLabel(CSystem& sys, CShellServices& shell, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_shell(shell), m_ui(std::make_unique<Ui::CModLabel>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "module-labels");
    m_ui->comboLoop->setCurrentIndex(m_sys.GetCurLoop());
    Reload();

    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        connect(&LabelEdit(*this, nModule), &QLineEdit::textEdited, this,
                [this] { m_bChanged = true; });
    connect(m_ui->comboLoop, &QComboBox::activated, this, &CModLabel::OnLoopChosen);
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &CModLabel::SaveLabels);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CModLabel::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CModLabel::reject);
}

CModLabel::~CModLabel() = default;

void CModLabel::Reload() {
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        LabelEdit(*this, nModule).setText(ToQString(m_sys.GetModuleLabelInCurLoop(nModule)));
}

// An emptied label is stored as the default label, which is what the
// controller answers for an empty one.
void CModLabel::SaveLabels() {
    for (short nModule = 0; nModule < CSystem::kModulesPerLoop; ++nModule)
        m_sys.SetModuleLabel(nModule, m_sys.GetCurLoop(),
                             FromQString(LabelEdit(*this, nModule).text()));
    m_sys.SetModified();
    m_abSaved[m_sys.GetCurLoop()] = true;
    m_bChanged = false;
}

void CModLabel::OnLoopChosen(int nLoop) {
    if (m_bChanged && m_shell.MessageBox(kSaveQuestionText, EBoxButtons::YesNo,
                                         EBoxIcon::Question) == EBoxAnswer::Yes)
        SaveLabels();
    m_sys.SetCurLoop(static_cast<short>(nLoop));
    Reload();
}

void CModLabel::accept() {
    SaveLabels();
    QDialog::accept();
}
