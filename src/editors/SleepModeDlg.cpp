#include "editors/SleepModeDlg.h"

#include "editors/DialogField.h"
#include "model/System.h"
#include "shell/HelpRouter.h"

#include "ui_SleepModeDlg.h"

CSleepModeDlg::CSleepModeDlg(CSystem& sys, CShellServices& shell, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_shell(shell), m_ui(std::make_unique<Ui::CSleepModeDlg>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "sleep-mode");
    m_bSleepEnabledShown = m_sys.GetSleepEnabled();
    m_nInactivitySeconds = static_cast<unsigned>(m_sys.GetSleepInactivity() * 10);
    m_nWakeUpSeconds = static_cast<unsigned>(m_sys.GetSleepWakeUp());
    m_ui->checkSleepEnabled->setChecked(m_bSleepEnabledShown);
    // The stored values as they are: a damaged file's negative value is shown
    // and then refused, not wrapped into a huge one.
    m_ui->editInactivity->setText(QString::number(m_sys.GetSleepInactivity() * 10));
    m_ui->editWakeUp->setText(QString::number(m_sys.GetSleepWakeUp()));

    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CSleepModeDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CSleepModeDlg::reject);
}

CSleepModeDlg::~CSleepModeDlg() = default;

bool CSleepModeDlg::DoDataExchange() {
    unsigned nInactivity = 0;
    unsigned nWakeUp = 0;
    if (!ReadUnsignedField(m_shell, *m_ui->editInactivity, kMinInactivity, kMaxInactivity,
                           nInactivity) ||
        !ReadUnsignedField(m_shell, *m_ui->editWakeUp, kMinWakeUp, kMaxWakeUp, nWakeUp))
        return false;
    m_bSleepEnabledShown = m_ui->checkSleepEnabled->isChecked();
    m_nInactivitySeconds = nInactivity;
    m_nWakeUpSeconds = nWakeUp;
    return true;
}

void CSleepModeDlg::accept() {
    if (!DoDataExchange())
        return;
    QDialog::accept();
    Store();
}

void CSleepModeDlg::Store() {
    m_sys.SetSleepEnabled(m_bSleepEnabledShown);
    m_sys.SetSleepInactivity(static_cast<short>(m_nInactivitySeconds / 10));
    m_sys.SetSleepWakeUp(static_cast<short>(m_nWakeUpSeconds));
    m_sys.SetModified();
}
