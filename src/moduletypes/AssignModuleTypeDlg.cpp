#include "moduletypes/AssignModuleTypeDlg.h"

#include "model/System.h"
#include "moduletypes/ModuleTypeView.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/Text.h"

#include "ui_AssignModuleTypeDlg.h"

CAssignModuleTypeDlg::CAssignModuleTypeDlg(CSystem& sys, CModuleTypes& types, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_types(types),
      m_ui(std::make_unique<Ui::CAssignModuleTypeDlg>()) {
    m_ui->setupUi(this);
    m_ui->editLoop->setText(ToQString(m_sys.GetCurLoopName()));
    m_ui->editModuleLetter->setText(QString(QChar(m_sys.GetCurModuleLetter())));
    m_ui->editModuleLabel->setText(ToQString(m_sys.GetCurModuleLabel()));
    MakeFlagsDisplayOnly(*this);
    ShowCurrentType(*this, m_types);
    AttachTypeScroll(*m_ui->scrollType, m_types, [this] { ShowCurrentType(*this, m_types); });
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CAssignModuleTypeDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CAssignModuleTypeDlg::reject);
}

CAssignModuleTypeDlg::~CAssignModuleTypeDlg() = default;

void CAssignModuleTypeDlg::accept() {
    QDialog::accept();
    m_sys.SetCurModuleType(m_types.GetTypeId());
    m_sys.SetModified();
}
