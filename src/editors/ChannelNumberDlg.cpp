#include "editors/ChannelNumberDlg.h"

#include "editors/RadioGroup.h"
#include "model/System.h"

#include "ui_ChannelNumberDlg.h"

CChannelNumberDlg::CChannelNumberDlg(CSystem& sys, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CChannelNumberDlg>()) {
    m_ui->setupUi(this);
    m_pChannels = MakeRadioGroup(*this, "radioChannel%1", 1, CSystem::kChannelsPerModule);
    CheckRadio(*m_pChannels, m_sys.GetCurChannel());
    FocusCheckedRadio(*m_pChannels);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CChannelNumberDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CChannelNumberDlg::reject);
}

CChannelNumberDlg::~CChannelNumberDlg() = default;

void CChannelNumberDlg::accept() {
    QDialog::accept();
    m_sys.SetCurChannel(static_cast<short>(CheckedRadio(*m_pChannels)));
}
