#include "editors/ChannelLabelDlg.h"

#include "editors/SteppingBar.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_ChannelLabelDlg.h"

namespace {

QLineEdit& LabelEdit(QWidget& dialog, short nChannel) {
    return *dialog.findChild<QLineEdit*>(QString("editLabel%1").arg(nChannel + 1));
}

} // namespace

CChannelLabelDlg::CChannelLabelDlg(CSystem& sys, CShellServices& shell, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_shell(shell), m_ui(std::make_unique<Ui::CChannelLabelDlg>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "channel-labels");
    m_nLoop = m_sys.GetCurLoop();
    m_ui->comboLoop->setCurrentIndex(m_nLoop);
    AttachStepping(*m_ui->scrollModule, CStepping::ForModules(CSystem::GetLastModule(m_nLoop)),
                   [this](int nModule) { OnModuleStep(nModule); });
    m_nModule = m_sys.GetCurModule();
    m_ui->scrollModule->setValue(m_nModule);
    Reload();

    // Only typing counts as a change: the reload after a module or loop
    // change fills the fields without asking to save them.
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
        connect(&LabelEdit(*this, nChannel), &QLineEdit::textEdited, this,
                [this] { m_bChanged = true; });
    connect(m_ui->comboLoop, &QComboBox::activated, this, &CChannelLabelDlg::OnLoopChosen);
    m_ui->comboLoop->setInsertPolicy(QComboBox::NoInsert);
    connect(m_ui->comboLoop->lineEdit(), &QLineEdit::textEdited, this,
            &CChannelLabelDlg::OnLoopTyped);
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &CChannelLabelDlg::SaveLabels);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CChannelLabelDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CChannelLabelDlg::reject);
}

CChannelLabelDlg::~CChannelLabelDlg() = default;

void CChannelLabelDlg::Reload() {
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
        LabelEdit(*this, nChannel).setText(ToQString(m_sys.GetChannelLabelInCurModule(nChannel)));
    m_ui->editModuleLetter->setText(QString(QChar(m_sys.GetCurModuleLetter())));
    m_ui->editModuleLabel->setText(
        ToQString(m_sys.GetCurModuleLabel().substr(0, CSystem::kLabelLength)));
}

void CChannelLabelDlg::AskSave() {
    if (!m_bChanged)
        return;
    if (m_shell.MessageBox(kSaveQuestionText, EBoxButtons::YesNo, EBoxIcon::Question) ==
        EBoxAnswer::Yes)
        SaveLabels();
    else
        m_bChanged = false;
}

// An emptied label is the default label: the controller answers an empty
// label with the default one, so storing it empty would make the PC and the
// controller differ after every transfer.
void CChannelLabelDlg::SaveLabels() {
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        const std::string strText = FromQString(LabelEdit(*this, nChannel).text());
        m_sys.SetChannelLabelInCurModule(
            nChannel, strText.empty() ? CSystem::DefaultChannelLabel(m_sys.GetCurModule(), nChannel,
                                                                     m_sys.GetCurLoop())
                                      : strText);
    }
    m_sys.SetModified();
    m_abSaved[m_sys.GetCurLoop()][m_sys.GetCurModule()] = true;
    m_bChanged = false;
}

// The labels typed are saved into the module shown until now: the current
// module changes only after the question. A click held on the bar's arrow
// would repeat while the question is open, and the button is let go over
// the question, never over the bar; so the bar rests while it is asked,
// which also ends its repeat: one click, one question, one module.
void CChannelLabelDlg::OnModuleStep(int nModule) {
    QScrollBar& bar = *m_ui->scrollModule;
    const bool bAsking = m_bChanged;
    const bool bHadFocus = bar.hasFocus();
    bar.setEnabled(!bAsking);
    AskSave();
    bar.setEnabled(true);
    if (bAsking && bHadFocus)
        bar.setFocus();
    m_nModule = static_cast<short>(nModule);
    m_sys.SetCurModule(m_nModule);
    m_ui->scrollModule->setValue(m_nModule);
    Reload();
}

void CChannelLabelDlg::OnLoopChosen(int nLoop) {
    AskSave();
    m_nLoop = static_cast<short>(nLoop);
    m_sys.SetCurLoop(m_nLoop);
    m_ui->scrollModule->setRange(0, CSystem::GetLastModule(m_nLoop));
    m_nModule = m_sys.GetCurModule();
    m_ui->scrollModule->setValue(m_nModule);
    Reload();
}

// The module bar takes the typed loop's range, as for a loop chosen from the
// list: a bar left on the old loop's range could reach modules the new loop
// does not have.
void CChannelLabelDlg::OnLoopTyped(const QString& strText) {
    const int nLoop = m_ui->comboLoop->findText(strText.trimmed(), Qt::MatchFixedString);
    if (nLoop < 0 || nLoop == m_nLoop)
        return;
    m_shell.Trace("Edit change loop = " + std::to_string(nLoop) + "\n");
    m_ui->comboLoop->setCurrentIndex(nLoop);
    OnLoopChosen(nLoop);
}

void CChannelLabelDlg::accept() {
    AskSave();
    QDialog::accept();
}
