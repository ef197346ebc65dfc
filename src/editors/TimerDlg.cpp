#include "editors/TimerDlg.h"

#include "editors/DialogField.h"
#include "editors/FieldCheck.h"
#include "editors/ReadOnlyLook.h"
#include "editors/SteppingBar.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_TimerDlg.h"

namespace {

struct CTimerLimits {
    float fReloadMin, fReloadMax, fCurrentMin, fCurrentMax;
};

// One byte of counts, 255 excluded: 254 tenths of a second for a FAST timer,
// 254 tens of seconds for a SLOW one.
const CTimerLimits kFastLimits{0.1f, 25.4f, 0.0f, 25.4f};
const CTimerLimits kSlowLimits{10.0f, 2540.0f, 0.0f, 2540.0f};

const CTimerLimits& LimitsOf(short nChannel) {
    return CSystem::IsFastTimer(nChannel) ? kFastLimits : kSlowLimits;
}

template <class T> T& Child(const QWidget& dialog, const char* szName, short nChannel) {
    return *dialog.findChild<T*>(QString("%1%2").arg(szName).arg(nChannel + 1));
}

} // namespace

CTimerDlg::CTimerDlg(CSystem& sys, CShellServices& shell, std::function<void()> fnRetrieveModule,
                     std::function<void()> fnTransmitModule, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_shell(shell), m_fnRetrieveModule(std::move(fnRetrieveModule)),
      m_fnTransmitModule(std::move(fnTransmitModule)), m_ui(std::make_unique<Ui::CTimerDlg>()) {
    m_ui->setupUi(this);
    ShowReadOnlyFields(*this);
    setProperty(CHelpRouter::kSectionProperty, "timer-setup");
    m_sys.SetCurLoop(kTimerLoop);
    m_nTimerModule = m_sys.GetCurModule();
    AttachStepping(*m_ui->scrollModule, CStepping::ForModules(CSystem::GetLastModule(kTimerLoop)),
                   [this](int nModule) { OnModuleStep(nModule); });
    m_ui->scrollModule->setValue(m_nTimerModule);
    // Every change of a field's text counts, the refilling of the fields
    // included.
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
        for (QLineEdit* pEdit : {&ReloadEdit(nChannel), &CurrentEdit(nChannel)})
            connect(pEdit, &QLineEdit::textChanged, this, [this] { m_bTimersChanged = true; });
    RefreshTimers();
    m_bTimersChanged = false;

    connect(m_ui->checkChangeCurrent, &QCheckBox::toggled, this,
            [this](bool bOn) { m_bChangeCurrent = bOn; });
    connect(m_ui->buttonSave, &QPushButton::clicked, this, &CTimerDlg::SaveTimers);
    connect(m_ui->buttonRetrieve, &QPushButton::clicked, this, &CTimerDlg::OnRetrieve);
    connect(m_ui->buttonTransmit, &QPushButton::clicked, this, &CTimerDlg::OnTransmit);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CTimerDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CTimerDlg::reject);
}

CTimerDlg::~CTimerDlg() = default;

QLineEdit& CTimerDlg::ReloadEdit(short nChannel) const {
    return Child<QLineEdit>(*this, "editReload", nChannel);
}

QLineEdit& CTimerDlg::CurrentEdit(short nChannel) const {
    return Child<QLineEdit>(*this, "editCurrent", nChannel);
}

void CTimerDlg::RefreshTimers() {
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        Child<QLineEdit>(*this, "editLabel", nChannel)
            .setText(ToQString(m_sys.GetChannelLabelInCurModule(nChannel)));
        ReloadEdit(nChannel).setText(
            ToQString(CFieldCheck::FloatText(m_sys.GetCurModuleTimerReload(nChannel))));
        CurrentEdit(nChannel).setText(
            ToQString(CFieldCheck::FloatText(m_sys.GetCurModuleTimerCurrent(nChannel))));
        QLineEdit& equation = Child<QLineEdit>(*this, "editEquation", nChannel);
        equation.setText(ToQString(m_sys.GetEquationText(m_nTimerModule, nChannel, kTimerLoop)));
        equation.setCursorPosition(0);
    }
    m_ui->editModuleLetter->setText(QString(QChar(m_sys.GetCurModuleLetter())));
    m_ui->editModuleLabel->setText(
        ToQString(m_sys.GetCurModuleLabel().substr(0, CSystem::kLabelLength)));
    // Refilled fields count as changed even where the text stayed the same.
    m_bTimersChanged = true;
}

// Fields are read in the order the form lists them: FAST reloads, FAST
// currents, SLOW currents, SLOW reloads.
bool CTimerDlg::SaveTimers() {
    float afReload[CSystem::kChannelsPerModule] = {};
    float afCurrent[CSystem::kChannelsPerModule] = {};
    const auto readRange = [&](short nFirst, short nEnd, bool bReload) {
        for (short nChannel = nFirst; nChannel < nEnd; ++nChannel) {
            const CTimerLimits& limits = LimitsOf(nChannel);
            const bool bRead =
                bReload ? ReadFloatField(m_shell, ReloadEdit(nChannel), limits.fReloadMin,
                                         limits.fReloadMax, afReload[nChannel])
                        : ReadFloatField(m_shell, CurrentEdit(nChannel), limits.fCurrentMin,
                                         limits.fCurrentMax, afCurrent[nChannel]);
            if (!bRead)
                return false;
        }
        return true;
    };
    if (!readRange(0, 6, true) || !readRange(0, 6, false) || !readRange(6, 10, false) ||
        !readRange(6, 10, true))
        return false;
    for (short nChannel = 0; m_bChangeCurrent && nChannel < CSystem::kChannelsPerModule; ++nChannel)
        m_sys.SetCurModuleTimerCurrent(nChannel, afCurrent[nChannel]);
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel)
        m_sys.SetCurModuleTimerReload(nChannel, afReload[nChannel]);
    m_sys.SetModified();
    m_abStored[m_nTimerModule] = true;
    m_bTimersChanged = false;
    ShowValuesAsRun();
    return true;
}

// The system keeps a value as typed, but the controller counts whole steps
// of its timer, so a value between two steps is run as the lower one. The
// technician is told what will run rather than finding out on the vehicle.
void CTimerDlg::ShowValuesAsRun() {
    std::string strText;
    const auto note = [&strText](const std::string& strName, float fStored, float fRun) {
        const std::string strStored = CFieldCheck::FloatText(fStored);
        const std::string strRun = CFieldCheck::FloatText(fRun);
        if (strStored == strRun)
            return;
        strText += (strText.empty() ? "" : "; ") + strName + ": " + strStored + " s runs as " +
                   strRun + " s";
    };
    for (short nChannel = 0; nChannel < CSystem::kChannelsPerModule; ++nChannel) {
        const short nTimer =
            static_cast<short>(m_nTimerModule * CSystem::kChannelsPerModule + nChannel);
        const std::string strRow = CSystem::IsFastTimer(nChannel)
                                       ? "FAST " + std::to_string(nChannel + 1)
                                       : "SLOW " + std::to_string(nChannel - 5);
        note(strRow, m_sys.GetTimerReload(nTimer), m_sys.GetTimerReloadAsRun(nTimer));
        if (m_bChangeCurrent)
            note(strRow + " current", m_sys.GetTimerCurrent(nTimer),
                 m_sys.GetTimerCurrentAsRun(nTimer));
    }
    if (!strText.empty())
        m_shell.SetStatusText(strText);
}

bool CTimerDlg::AskToSaveTimerChanges() {
    if (!m_bTimersChanged)
        return true;
    if (m_shell.MessageBox(kSaveQuestionText, EBoxButtons::YesNo, EBoxIcon::Question) !=
        EBoxAnswer::Yes)
        return true;
    return SaveTimers();
}

// Values typed for the module shown before and not saved are dropped.
void CTimerDlg::OnModuleStep(int nModule) {
    m_nTimerModule = static_cast<short>(nModule);
    m_sys.SetCurModule(m_nTimerModule);
    RefreshTimers();
}

void CTimerDlg::OnRetrieve() {
    if (!AskToSaveTimerChanges())
        return;
    m_fnRetrieveModule();
    m_abStored[m_nTimerModule] = true;
    RefreshTimers();
}

void CTimerDlg::OnTransmit() {
    if (!AskToSaveTimerChanges())
        return;
    m_fnTransmitModule();
    m_abStored[m_nTimerModule] = true;
    RefreshTimers();
}

void CTimerDlg::accept() {
    if (!SaveTimers())
        return;
    QDialog::accept();
}
