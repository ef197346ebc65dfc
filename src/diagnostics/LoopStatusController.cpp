#include "diagnostics/LoopStatusController.h"

#include "controls/LampColumn.h"
#include "diagnostics/LampGrid.h"
#include "diagnostics/LampNames.h"
#include "diagnostics/LiveLogic.h"
#include "editors/BooleanCommands.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "reports/WhereUsedDlg.h"
#include "shell/FocusedButtonEnter.h"
#include "shell/HelpRouter.h"
#include "shell/MainFrame.h"
#include "shell/Text.h"

#include "ui_LoopStatusController.h"

#include <QStyle>

#include <cstdio>

namespace {

// Writes a field only when its text changes: the refresh runs 25 times a
// second and an unchanged field need not be redrawn.
template <class TField> void SetFieldText(TField& field, const QString& strText) {
    if (field.text() != strText)
        field.setText(strText);
}

uint32_t LoopColorRef(short nLoop) {
    const CRgb colour = CSystem::GetLoopColour(nLoop);
    return CLampColumn::ColorRef(colour.r, colour.g, colour.b);
}

} // namespace

CLoopStatusController::CLoopStatusController(CSystem& system, CMainFrame& frame, QWidget* pParent)
    : QDialog(pParent), m_system(system), m_frame(frame),
      m_ui(std::make_unique<Ui::CLoopStatusController>()),
      m_editor([&frame](QWidget*) { frame.Booleans().EditCurrentEquation(); }),
      m_whereUsed([&system, &frame](QWidget* pParent) {
          ShowWhereUsedReport(system, pParent, [&frame](QWidget* pOver, short nIndex) {
              frame.ShowLogicExplorer(nIndex, pOver, kReadOnlyText);
          });
      }),
      m_explorer([&frame](QWidget* pParent, short nIndex) {
          frame.ShowLogicExplorer(nIndex, pParent, kReadOnlyText);
      }) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "loop-controller");
    m_ui->buttonEditor->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    m_ui->buttonWhereUsed->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_ui->buttonExplorer->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    // Labels of up to 15 characters show whole.
    for (QLineEdit* pLabel : {m_ui->editModuleLabel, m_ui->editChannelLabel})
        pLabel->setMinimumWidth(pLabel->fontMetrics().horizontalAdvance(QString(17, 'n')));
    for (int nModule = 0; nModule < CLampGrid::kColumns; ++nModule) {
        CLampColumn& led = Column(nModule);
        connect(&led, &CLampColumn::Click, this, [this, nModule] { OnLedClick(nModule); });
        connect(&led, &CLampColumn::DblClick, this, [this, nModule] { OnLedDblClick(nModule); });
    }
    Lamps().SetLampNamer(LoopLampNamer(m_system, [this] { return m_nLoop; }));
    connect(&Lamps(), &CLampGrid::LampChosen, this, &CLoopStatusController::OnLampChosen);
    connect(&Lamps(), &CLampGrid::LampForced, this, &CLoopStatusController::OnLampForced);
    connect(&Column(0), &CLampColumn::MouseDown, this, [this] { OnLedMouseDown(0); });
    connect(m_ui->comboLoop, &QComboBox::currentIndexChanged, this,
            &CLoopStatusController::OnLoopChanged);
    connect(m_ui->buttonProcessor, &QPushButton::clicked, this,
            &CLoopStatusController::OnToggleBoolProcessor);
    connect(m_ui->buttonEditor, &QToolButton::clicked, this, &CLoopStatusController::OnEditorIcon);
    connect(m_ui->buttonWhereUsed, &QToolButton::clicked, this,
            &CLoopStatusController::OnWhereUsedIcon);
    connect(m_ui->buttonExplorer, &QToolButton::clicked, this,
            &CLoopStatusController::OnExplorerIcon);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    CFocusedButtonEnter::Install(*this);
    m_timer.setInterval(kTimerPeriod);
    connect(&m_timer, &QTimer::timeout, this, &CLoopStatusController::OnTimer);
    OnInitDialog();
}

// A dialog that goes away without being closed still gives the loops and
// the processor back.
CLoopStatusController::~CLoopStatusController() { CloseDown(); }

CLampGrid& CLoopStatusController::Lamps() const { return *m_ui->ledGrid; }

CLampColumn& CLoopStatusController::Column(int nModule) const { return Lamps().Column(nModule); }

void CLoopStatusController::OnInitDialog() {
    m_nLoop = m_system.GetCurLoopLimited();
    m_nModule = m_system.GetCurModule();
    m_nChannel = m_system.GetCurChannel();
    m_bProcessorOff = 0;
    SetLedColours();
    Lamps().SetCurrentLamp(m_nModule, m_nChannel);
    {
        const QSignalBlocker blocker(m_ui->comboLoop);
        m_ui->comboLoop->setCurrentIndex(m_nLoop);
    }
    RefreshDisplay();
    m_timer.start();
    if (!m_timer.isActive()) {
        m_system.Shell().MessageBox(kTimerErrorText, EBoxButtons::Ok, EBoxIcon::Stop);
        return;
    }
    // The first user of the shared loop reports saves the monitor flags.
    m_frame.LiveLogic().Reports().Acquire(m_nLoop);
    m_bReportsHeld = true;
}

void CLoopStatusController::SetLedColours() { Lamps().SetOnColor(LoopColorRef(m_nLoop)); }

void CLoopStatusController::RefreshDisplay() {
    for (short nModule = 0; nModule < CLampGrid::kColumns; ++nModule)
        Column(nModule).SetValue(m_system.GetModuleStateBits(nModule, m_nLoop));
    m_strChannelLabel = m_system.GetChannelLabel(m_nModule, m_nChannel, m_nLoop);
    m_strModuleLabel = m_system.GetModuleLabel(m_nModule, m_nLoop);
    m_strModuleLetter = std::string(1, CSystem::ModuleLetter(m_nModule));
    m_nChannelNumber = m_nChannel + 1;
    SetFieldText(*m_ui->editChannelLabel, ToQString(m_strChannelLabel));
    SetFieldText(*m_ui->editModuleLabel, ToQString(m_strModuleLabel));
    SetFieldText(*m_ui->editModuleLetter, ToQString(m_strModuleLetter));
    SetFieldText(*m_ui->editChannelNumber, QString::number(m_nChannelNumber));
}

bool CLoopStatusController::IsEquationLoop() const { return CSystem::IsEquationLoop(m_nLoop); }

// Loops 4 and 5 carry no equations of their own.
void CLoopStatusController::ShowEquationText() {
    const std::string strText =
        IsEquationLoop() ? m_system.GetEquationText(m_nModule, m_nChannel, m_nLoop) : "";
    m_ui->editEquation->setPlainText(ToQString(strText));
}

void CLoopStatusController::MonitorLoop(short nLoop, bool bOn) {
    m_frame.MonitorLoopForController(nLoop, bOn);
}

// --- lamps ---

void CLoopStatusController::OnLedMouseDown(int nModule) {
    m_nChannel = Column(nModule).GetLEDIndex();
    char szTrace[64];
    std::snprintf(szTrace, sizeof szTrace, "MOUSE DOWN Led nSubChannel = %d\n", m_nChannel);
    m_system.Shell().Trace(szTrace);
    std::snprintf(szTrace, sizeof szTrace, "MOUSE DOWN Led value = %d\n",
                  static_cast<int>(Column(nModule).GetValue()));
    m_system.Shell().Trace(szTrace);
}

void CLoopStatusController::OnLedClick(int nModule) {
    OnLampChosen(nModule, Column(nModule).GetLEDIndex());
}

void CLoopStatusController::OnLedDblClick(int nModule) {
    OnLampForced(nModule, Column(nModule).GetLEDIndex());
}

void CLoopStatusController::OnLampChosen(int nModule, int nChannel) {
    m_nChannel = static_cast<short>(nChannel);
    m_nModule = static_cast<short>(nModule);
    ShowEquationText();
    RefreshDisplay();
}

void CLoopStatusController::OnLampForced(int nModule, int nChannel) {
    m_nChannel = static_cast<short>(nChannel);
    m_nModule = static_cast<short>(nModule);
    m_system.ToggleChannelStateAt(m_nModule, m_nChannel, m_nLoop);
    RefreshDisplay();
}

// --- controls ---

void CLoopStatusController::OnLoopChanged() {
    const int nSelected = m_ui->comboLoop->currentIndex();
    if (nSelected == m_nLoop || !CSystem::IsValidLoop(nSelected))
        return;
    const short nOld = m_nLoop;
    m_nLoop = static_cast<short>(nSelected);
    if (m_bReportsHeld)
        m_frame.LiveLogic().Reports().Move(nOld, m_nLoop);
    SetLedColours();
    RefreshDisplay();
    ShowEquationText();
}

void CLoopStatusController::OnToggleBoolProcessor() {
    m_bProcessorOff = 1 - m_bProcessorOff;
    m_ui->buttonProcessor->setText(m_bProcessorOff ? kEnableText : kDisableText);
    m_frame.SetBoolProcessor(m_bProcessorOff == 0);
}

void CLoopStatusController::MakeChosenChannelCurrent() {
    m_system.SetCurLoop(m_nLoop);
    m_system.SetCurModule(m_nModule);
    m_system.SetCurChannel(m_nChannel);
}

void CLoopStatusController::OnEditorIcon() {
    if (!IsEquationLoop()) {
        m_system.Shell().MessageBox(kNoBooleansText, EBoxButtons::Ok, EBoxIcon::Exclamation);
        return;
    }
    MakeChosenChannelCurrent();
    m_editor(this);
    MonitorLoop(m_nLoop, true);
    ShowEquationText();
    RefreshDisplay();
}

void CLoopStatusController::OnWhereUsedIcon() {
    MakeChosenChannelCurrent();
    m_whereUsed(this);
}

void CLoopStatusController::OnExplorerIcon() {
    MakeChosenChannelCurrent();
    m_explorer(this, CSystem::MakeIndex(m_nLoop, m_nModule, m_nChannel));
}

// --- closing ---

void CLoopStatusController::done(int nResult) {
    CloseDown();
    QDialog::done(nResult);
}

void CLoopStatusController::CloseDown() {
    if (m_bClosedDown)
        return;
    m_bClosedDown = true;
    m_timer.stop();
    // The last user of the loop reports switches this loop off and restores
    // every loop; a window still showing a loop keeps it.
    if (m_bReportsHeld)
        m_frame.LiveLogic().Reports().Release(m_nLoop);
    m_bReportsHeld = false;
    m_frame.SetBoolProcessor(true);
    m_frame.SetBoolProcessor(true);
}
