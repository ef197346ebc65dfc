#include "moduletypes/PickModuleTypeDlg.h"

#include "moduletypes/ModuleTypeView.h"

#include "ui_PickModuleTypeDlg.h"

CPickModuleTypeDlg::CPickModuleTypeDlg(CModuleTypes& types, QWidget* pParent)
    : QDialog(pParent), m_types(types), m_ui(std::make_unique<Ui::CPickModuleTypeDlg>()) {
    m_ui->setupUi(this);
    MakeFlagsDisplayOnly(*this);
    ShowCurrentType(*this, m_types);
    AttachTypeScroll(*m_ui->scrollType, m_types, [this] { ShowCurrentType(*this, m_types); });
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CPickModuleTypeDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CPickModuleTypeDlg::reject);
}

CPickModuleTypeDlg::~CPickModuleTypeDlg() = default;
