#include "editors/SystemLabelDlg.h"

#include "model/System.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_SystemLabelDlg.h"

#include <QRegularExpressionValidator>

CSystemLabelDlg::CSystemLabelDlg(CSystem& sys, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CSystemLabelDlg>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "system-labels");
    m_ui->editAuthor->setText(ToQString(m_sys.GetSysLabel(CSystem::SysLabelAuthor)));
    m_ui->editRevisionDate->setText(ToQString(m_sys.GetSysLabel(CSystem::SysLabelRevisionDate)));
    m_ui->editVehicleModel->setText(ToQString(m_sys.GetSysLabel(CSystem::SysLabelVehicleModel)));
    m_ui->editFileName->setText(ToQString(m_sys.GetSysLabel(CSystem::SysLabelFileName)));
    // The file name label names the system's file, so it takes nothing that
    // cannot stand in a file name: "../bus/12" would name a path that fails.
    m_ui->editFileName->setValidator(new QRegularExpressionValidator(
        QRegularExpression(R"([^/\\:*?"<>|]*)"), m_ui->editFileName));

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CSystemLabelDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CSystemLabelDlg::reject);
}

CSystemLabelDlg::~CSystemLabelDlg() = default;

void CSystemLabelDlg::accept() {
    QDialog::accept();
    m_sys.SetSysLabel(CSystem::SysLabelAuthor, FromQString(m_ui->editAuthor->text()));
    m_sys.SetSysLabel(CSystem::SysLabelRevisionDate, FromQString(m_ui->editRevisionDate->text()));
    m_sys.SetSysLabel(CSystem::SysLabelVehicleModel, FromQString(m_ui->editVehicleModel->text()));
    m_sys.SetSysLabel(CSystem::SysLabelFileName, FromQString(m_ui->editFileName->text()));
    m_sys.MarkModified();
}
