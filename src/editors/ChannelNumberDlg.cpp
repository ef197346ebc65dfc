#include "editors/selchl.h"

#include "editors/RadioGroup.h"
#include "model/system.h"

#include "ui_selchl.h"

CSelChl::CSelChl(CSystem& sys, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CSelChl>()) {
    m_ui->setupUi(this);
    m_pChannels = MakeRadioGroup(*this, "radioChannel%1", 1, CSystem::kChannelsPerModule);
    CheckRadio(*m_pChannels, m_sys.GetCurChannel());
    FocusCheckedRadio(*m_pChannels);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CSelChl::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CSelChl::reject);
}

CSelChl::~CSelChl() = default;

void CSelChl::accept() {
    QDialog::accept();
    m_sys.SetCurChannel(static_cast<short>(CheckedRadio(*m_pChannels)));
}
