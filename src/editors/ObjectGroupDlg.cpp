#include "editors/ObjectGroupDlg.h"

#include "editors/RadioGroup.h"
#include "model/System.h"

#include "ui_ObjectGroupDlg.h"

CObjectGroupDlg::CObjectGroupDlg(CSystem& sys, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CObjectGroupDlg>()) {
    m_ui->setupUi(this);
    m_pScopes = MakeRadioGroup(*this, "radioGroup%1", 0, 3);
    CheckRadio(*m_pScopes, m_sys.GetObjectGroup());
    FocusCheckedRadio(*m_pScopes);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CObjectGroupDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CObjectGroupDlg::reject);
}

CObjectGroupDlg::~CObjectGroupDlg() = default;

void CObjectGroupDlg::accept() {
    QDialog::accept();
    m_sys.SetObjectGroup(CheckedRadio(*m_pScopes));
}
