#include "moduletypes/ModuleTypeDlg.h"

#include "model/ShellServices.h"
#include "moduletypes/ModuleTypeView.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/Text.h"

#include "ui_ModuleTypeDlg.h"

#include <QCheckBox>

#include <algorithm>
#include <string>

namespace {

constexpr int kChannels = 10;

// Typing stops at the limit, but a longer text that a library file brought
// in is shown whole, so that OK can refuse it instead of cutting it silently.
void LimitTyping(QLineEdit& field, const QString& strText) {
    field.setMaxLength(std::max<int>(CModuleTypeDlg::kTextLength, strText.size()));
    field.setText(strText);
}

} // namespace

CModuleTypeDlg::CModuleTypeDlg(CModuleTypes& types, CShellServices& shell, QWidget* pParent)
    : QDialog(pParent), m_types(types), m_shell(shell),
      m_ui(std::make_unique<Ui::CModuleTypeDlg>()) {
    m_ui->setupUi(this);
    ShowCurrentType(*this, m_types);
    for (QLineEdit* pField : {m_ui->editModuleType, m_ui->editDescription, m_ui->editNote})
        LimitTyping(*pField, pField->text());
    KeepBoxesExclusive();
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CModuleTypeDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CModuleTypeDlg::reject);
}

CModuleTypeDlg::~CModuleTypeDlg() = default;

// Only the user's ticks clear the other box: a type read from a file with
// both flags set is shown as it is.
void CModuleTypeDlg::KeepBoxesExclusive() {
    for (int nChannel = 1; nChannel <= kChannels; ++nChannel) {
        QCheckBox& output = OutputBox(*this, nChannel);
        QCheckBox& latch = SwitchBox(*this, nChannel);
        connect(&output, &QCheckBox::clicked, this, [&latch](bool bOn) {
            if (bOn)
                latch.setChecked(false);
        });
        connect(&latch, &QCheckBox::clicked, this, [&output](bool bOn) {
            if (bOn)
                output.setChecked(false);
        });
    }
}

bool CModuleTypeDlg::IsTextTooLong(QLineEdit& field) {
    if (FromQString(field.text()).size() <= static_cast<std::size_t>(kTextLength))
        return false;
    m_shell.MessageBox("Please enter no more than " + std::to_string(kTextLength) + " characters.",
                       EBoxButtons::Ok, EBoxIcon::Exclamation);
    field.setFocus();
    field.selectAll();
    return true;
}

void CModuleTypeDlg::accept() {
    for (QLineEdit* pField : {m_ui->editModuleType, m_ui->editDescription, m_ui->editNote}) {
        if (IsTextTooLong(*pField))
            return;
    }
    QDialog::accept();
    Store();
}

void CModuleTypeDlg::Store() {
    for (int nChannel = 1; nChannel <= kChannels; ++nChannel)
        m_types.SetOutputChannel(nChannel, OutputBox(*this, nChannel).isChecked());
    for (int nChannel = 1; nChannel <= kChannels; ++nChannel)
        m_types.SetSwitchChannel(nChannel, SwitchBox(*this, nChannel).isChecked());
    m_types.SetTypeName(FromQString(m_ui->editModuleType->text()));
    m_types.SetDescription(FromQString(m_ui->editDescription->text()));
    m_types.SetNote(FromQString(m_ui->editNote->text()));
}
