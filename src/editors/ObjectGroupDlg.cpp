#include "editors/SelGroup.h"

#include "editors/RadioGroup.h"
#include "model/system.h"

#include "ui_SelGroup.h"

CSelGroup::CSelGroup(CSystem& sys, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CSelGroup>()) {
    m_ui->setupUi(this);
    m_pScopes = MakeRadioGroup(*this, "radioGroup%1", 0, 3);
    CheckRadio(*m_pScopes, m_sys.GetObjectGroup());
    FocusCheckedRadio(*m_pScopes);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CSelGroup::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CSelGroup::reject);
}

CSelGroup::~CSelGroup() = default;

void CSelGroup::accept() {
    QDialog::accept();
    m_sys.SetObjectGroup(CheckedRadio(*m_pScopes));
}
