#include "moduletypes/ModuleTypePreferencesDlg.h"

#include "moduletypes/ModuleTypes.h"

#include "ui_ModuleTypePreferencesDlg.h"

CModuleTypePreferencesDlg::CModuleTypePreferencesDlg(CModuleTypes& types, QWidget* pParent)
    : QDialog(pParent), m_types(types), m_ui(std::make_unique<Ui::CModuleTypePreferencesDlg>()) {
    m_ui->setupUi(this);
    m_ui->checkStrict->setChecked(m_types.GetStrictChecking());
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CModuleTypePreferencesDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CModuleTypePreferencesDlg::reject);
}

CModuleTypePreferencesDlg::~CModuleTypePreferencesDlg() = default;

void CModuleTypePreferencesDlg::accept() {
    QDialog::accept();
    m_types.SetStrictChecking(m_ui->checkStrict->isChecked());
}
