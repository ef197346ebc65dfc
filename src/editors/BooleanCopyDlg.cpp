#include "editors/BooleanCopyDlg.h"

#include "editors/SteppingBar.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "moduletypes/ModuleTypes.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_BooleanCopyDlg.h"

#include <QPushButton>

namespace {

short Short(int nValue) { return static_cast<short>(nValue); }

} // namespace

CBooleanCopyDlg::CBooleanCopyDlg(CSystem& sys, const CModuleTypes& types, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_types(types), m_ui(std::make_unique<Ui::CBooleanCopyDlg>()) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "boolean-copy");
    OnInitDialog();
    connect(m_ui->buttonCopy, &QPushButton::clicked, this,
            &CBooleanCopyDlg::OnCopySourceToDestination);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CBooleanCopyDlg::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CBooleanCopyDlg::reject);
}

CBooleanCopyDlg::~CBooleanCopyDlg() = default;

// Both sides start on the current channel; the copy works on the equation
// loops only, so a timer status loop starts on the BLUE loop.
void CBooleanCopyDlg::OnInitDialog() {
    const short nLoop = m_sys.GetCurLoopLimited();
    m_ui->comboSourceLoop->setCurrentIndex(nLoop);
    m_ui->comboDestinationLoop->setCurrentIndex(nLoop);
    m_nSrcLoop = Short(m_ui->comboSourceLoop->currentIndex());
    m_nDstLoop = Short(m_ui->comboDestinationLoop->currentIndex());
    m_sys.SetCurLoop(m_nSrcLoop);
    m_nSrcModule = m_nDstModule = m_sys.GetCurModule();
    m_nSrcChannel = m_nDstChannel = m_sys.GetCurChannel();

    AttachStepping(*m_ui->scrollSourceModule,
                   CStepping::ForModules(CSystem::GetLastModule(m_nSrcLoop)), [this](int nValue) {
                       m_nSrcModule = Short(nValue);
                       m_sys.SetCurModule(m_nSrcModule);
                       RefreshTexts();
                   });
    AttachStepping(*m_ui->scrollSourceChannel, CStepping::ForChannels(), [this](int nValue) {
        m_nSrcChannel = Short(nValue);
        m_sys.SetCurChannel(m_nSrcChannel);
        RefreshTexts();
    });
    AttachStepping(*m_ui->scrollDestinationModule,
                   CStepping::ForModules(CSystem::GetLastModule(m_nDstLoop)), [this](int nValue) {
                       m_nDstModule = Short(nValue);
                       RefreshTexts();
                   });
    AttachStepping(*m_ui->scrollDestinationChannel, CStepping::ForChannels(), [this](int nValue) {
        m_nDstChannel = Short(nValue);
        RefreshTexts();
    });
    SetScrollBars();
    connect(m_ui->comboSourceLoop, &QComboBox::activated, this, &CBooleanCopyDlg::RefreshTexts);
    connect(m_ui->comboDestinationLoop, &QComboBox::activated, this,
            &CBooleanCopyDlg::RefreshTexts);
    // The technician sees what source and destination hold before touching
    // anything.
    RefreshTexts();
}

void CBooleanCopyDlg::SetScrollBars() {
    m_ui->scrollSourceModule->setRange(0, CSystem::GetLastModule(m_nSrcLoop));
    m_ui->scrollDestinationModule->setRange(0, CSystem::GetLastModule(m_nDstLoop));
    m_ui->scrollSourceModule->setValue(m_nSrcModule);
    m_ui->scrollSourceChannel->setValue(m_nSrcChannel);
    m_ui->scrollDestinationModule->setValue(m_nDstModule);
    m_ui->scrollDestinationChannel->setValue(m_nDstChannel);
}

void CBooleanCopyDlg::RefreshTexts() {
    m_nSrcLoop = Short(m_ui->comboSourceLoop->currentIndex());
    m_sys.SetCurLoop(m_nSrcLoop);
    m_nDstLoop = Short(m_ui->comboDestinationLoop->currentIndex());
    SetScrollBars();

    const short nSrcModule = m_sys.GetCurModule();
    const short nSrcChannel = m_sys.GetCurChannel();
    m_ui->editSourceModule->setText(QString(QChar(CSystem::ModuleLetter(nSrcModule))));
    m_ui->editSourceModuleLabel->setText(
        ToQString(m_sys.GetCurModuleLabel().substr(0, CSystem::kLabelLength)));
    m_ui->editSourceChannel->setText(
        ToQString(CSystem::ChannelDesignation(nSrcModule, nSrcChannel)));
    m_ui->editSourceChannelLabel->setText(ToQString(m_sys.GetCurChannelLabel()));
    m_ui->editSourceEquation->setPlainText(ToQString(m_sys.GetCurEquationText()));

    m_ui->editDestinationEquation->setPlainText(
        ToQString(m_sys.GetEquationText(m_nDstModule, m_nDstChannel, m_nDstLoop)));
    m_ui->editDestinationChannel->setText(
        ToQString(CSystem::ChannelDesignation(m_nDstModule, m_nDstChannel)));
    m_ui->editDestinationChannelLabel->setText(
        ToQString(m_sys.GetChannelLabel(m_nDstModule, m_nDstChannel, m_nDstLoop)));
    m_ui->editDestinationModule->setText(QString(QChar(CSystem::ModuleLetter(m_nDstModule))));
    m_ui->editDestinationModuleLabel->setText(
        ToQString(m_sys.GetModuleLabel(m_nDstModule, m_nDstLoop).substr(0, CSystem::kLabelLength)));
}

bool CBooleanCopyDlg::MayCarryBoolean(short nModule, short nChannel, short nLoop) const {
    return m_types.ChannelMayCarryBoolean(m_sys.GetModuleType(nModule, nLoop), nChannel + 1);
}

const char* CBooleanCopyDlg::Refusal() const {
    if (m_sys.IsHiSpeedChannel(m_nSrcModule, m_nSrcChannel, m_nSrcLoop))
        return kSourceHiSpeedText;
    if (m_sys.IsHiSpeedChannel(m_nDstModule, m_nDstChannel, m_nDstLoop))
        return kDestinationHiSpeedText;
    if (!MayCarryBoolean(m_nSrcModule, m_nSrcChannel, m_nSrcLoop))
        return kSourceStrictText;
    if (!MayCarryBoolean(m_nDstModule, m_nDstChannel, m_nDstLoop))
        return kDestinationStrictText;
    return nullptr;
}

void CBooleanCopyDlg::OnCopySourceToDestination() {
    if (const char* szRefusal = Refusal()) {
        m_sys.Shell().MessageBox(szRefusal, EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    m_sys.CopyEquation();
    m_sys.PasteEquation(m_nDstModule, m_nDstChannel, m_nDstLoop);
    m_ui->editDestinationEquation->setPlainText(
        ToQString(m_sys.GetEquationText(m_nDstModule, m_nDstChannel, m_nDstLoop)));
    m_sys.SetModified();
    m_sys.Channel(m_nDstModule, m_nDstChannel, m_nDstLoop).m_bCopyMark = 1;
}
