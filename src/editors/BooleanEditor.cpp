#include "editors/BooleanEditor.h"

#include "diagnostics/LogicView.h"
#include "diagnostics/TermLamps.h"
#include "editors/FieldColour.h"
#include "editors/FocusRing.h"
#include "editors/ModuleLetterValidator.h"
#include "editors/SteppingBar.h"
#include "editors/TermScroll.h"
#include "model/ShellServices.h"
#include "model/System.h"
#include "reports/WhereUsedDlg.h"
#include "shell/FocusedButtonEnter.h"
#include "shell/HelpRouter.h"
#include "shell/Text.h"

#include "ui_BooleanEditor.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>

namespace {

const char* const kTermNames[CBooleanEditor::kTerms] = {"A1", "A2", "A3", "B1", "B2", "B3"};
const CRgb kAndColour{0, 255, 128};
const CRgb kOrColour{128, 255, 255};

// The presentation flips a stored flag where the type says so; the same flip
// brings a shown box back to the stored flag.
bool Present(bool bFlag, bool bInverted) { return bInverted ? !bFlag : bFlag; }

void ShowOperator(QLabel& label, bool bAnd) {
    label.setText(bAnd ? "AND" : "OR");
    PaintField(label, bAnd ? kAndColour : kOrColour);
}

} // namespace

CBooleanEditor::CBooleanEditor(CSystem& sys, QWidget* pParent)
    : QDialog(pParent), m_sys(sys), m_ui(std::make_unique<Ui::CBooleanEditor>()),
      m_whereUsed([&sys](QWidget* pParent) { ShowWhereUsedReport(sys, pParent); }),
      m_explorer([&sys](QWidget* pParent, short nIndex) {
          ShowLogicView(sys, nullptr, nIndex, pParent, {}, kReadOnlyText);
      }) {
    m_ui->setupUi(this);
    setProperty(CHelpRouter::kSectionProperty, "boolean-editor");
    for (int i = 0; i < kTerms; ++i) {
        const QString strName = kTermNames[i];
        m_aTerm[i] = {findChild<QComboBox*>("comboLoop" + strName),
                      findChild<QCheckBox*>("checkNot" + strName),
                      findChild<QCheckBox*>("checkPr" + strName),
                      findChild<QLineEdit*>("editModule" + strName),
                      findChild<QLineEdit*>("editChannel" + strName),
                      findChild<QScrollBar*>("scroll" + strName),
                      findChild<QLineEdit*>("editTermLabel" + strName)};
        CFocusRing::Attach(*m_aTerm[i].pScroll);
        m_aTerm[i].pModule->setValidator(new CModuleLetterValidator(
            [this, i] { return static_cast<short>(m_aTerm[i].pLoop->currentIndex()); },
            m_aTerm[i].pModule));
    }
    m_ui->buttonType->setIcon(style()->standardIcon(QStyle::SP_BrowserReload));
    m_ui->buttonWhereUsed->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    m_ui->buttonExplorer->setIcon(style()->standardIcon(QStyle::SP_FileDialogListView));
    m_ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    CFocusedButtonEnter::Install(*this);
    ConnectControls();
    OnInitDialog();
    MakeLamps(nullptr);
    m_lampTimer.setInterval(kLampPeriod);
    connect(&m_lampTimer, &QTimer::timeout, this, &CBooleanEditor::RefreshLamps);
}

void CBooleanEditor::MakeLamps(CLiveLogic* pLive) {
    CTermLamps::CLamps lamps;
    for (int i = 0; i < kTerms; ++i)
        lamps.apTerm[i] = findChild<QLabel*>(QString("lamp") + kTermNames[i]);
    lamps.apGroup = {m_ui->lampGroupA, m_ui->lampGroupB};
    lamps.pResult = m_ui->lampResult;
    lamps.pChannel = m_ui->lampChannel;
    m_pLamps.reset();
    m_pLamps = std::make_unique<CTermLamps>(pLive, lamps);
    RefreshLamps();
}

void CBooleanEditor::SetLiveLogic(CLiveLogic* pLive) {
    MakeLamps(pLive);
    m_lampTimer.start();
}

void CBooleanEditor::RefreshLamps() {
    if (m_pLamps)
        m_pLamps->Refresh(m_sys.Preview(), m_sys.GetCurIndex());
}

// The loops go back before anything is stored or sent.
void CBooleanEditor::done(int nResult) {
    m_lampTimer.stop();
    if (m_pLamps)
        m_pLamps->ReleaseAll();
    QDialog::done(nResult);
}

// Closing the dialog takes the focus from a field, which would otherwise
// look up a label while the dialog is half destroyed.
CBooleanEditor::~CBooleanEditor() {
    for (const TermControls& term : m_aTerm) {
        disconnect(term.pModule, nullptr, this, nullptr);
        disconnect(term.pChannel, nullptr, this, nullptr);
    }
}

void CBooleanEditor::ConnectControls() {
    for (int i = 0; i < kTerms; ++i) {
        const TermControls& term = m_aTerm[i];
        connect(term.pScroll, &QAbstractSlider::actionTriggered, this,
                [this, i](int nAction) { OnTermScroll(i, nAction); });
        connect(term.pLoop, &QComboBox::activated, this, [this, i] { OnTermLoopChanged(i); });
        connect(term.pModule, &QLineEdit::editingFinished, this, [this, i] { ShowTypedLabel(i); });
        connect(term.pChannel, &QLineEdit::editingFinished, this, [this, i] { ShowTypedLabel(i); });
        connect(term.pNot, &QCheckBox::clicked, this, &CBooleanEditor::RefreshPreview);
        connect(term.pPr, &QCheckBox::clicked, this, &CBooleanEditor::RefreshPreview);
    }
    for (QCheckBox* pBox : {m_ui->checkEquationNot, m_ui->checkGroupNotA, m_ui->checkGroupNotB})
        connect(pBox, &QCheckBox::clicked, this, &CBooleanEditor::RefreshPreview);
    connect(m_ui->buttonType, &QToolButton::clicked, this, &CBooleanEditor::OnTypeButton);
    connect(m_ui->buttonWhereUsed, &QToolButton::clicked, this, &CBooleanEditor::OnWhereUsed);
    connect(m_ui->buttonExplorer, &QToolButton::clicked, this, &CBooleanEditor::OnExplorer);
    connect(m_ui->buttonCopy, &QPushButton::clicked, this, &CBooleanEditor::OnCopy);
    connect(m_ui->buttonCut, &QPushButton::clicked, this, &CBooleanEditor::OnCut);
    connect(m_ui->buttonPaste, &QPushButton::clicked, this, &CBooleanEditor::OnPaste);
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &CBooleanEditor::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &CBooleanEditor::reject);
}

// A channel without an equation offers its own loop in every term, where
// most of its sources will be. The typing starts at the first term's module
// letter, the field a technician fills first.
void CBooleanEditor::OnInitDialog() {
    ShowOperatorLabels();
    ShowTypeName();
    RefreshFromSystem();
    ShowHeaderColours();
    m_aTerm[0].pModule->setFocus();
    m_aTerm[0].pModule->selectAll();
    if (m_sys.IsCurEquationDefined())
        return;
    for (int i = 0; i < kTerms; ++i) {
        m_anTermLoop[i] = m_sys.GetCurLoop();
        m_aTerm[i].pLoop->setCurrentIndex(m_anTermLoop[i]);
        ShowTermLoopColour(i);
    }
    SetScrollPositions();
}

// --- data exchange ---

bool CBooleanEditor::ReadTermChannel(int nTerm) {
    QLineEdit& field = *m_aTerm[nTerm].pChannel;
    bool bInteger = false;
    const int nValue = field.text().trimmed().toInt(&bInteger);
    const char* szMessage = nullptr;
    if (!bInteger)
        szMessage = "Please enter an integer.";
    else if (nValue < 1 || nValue > CSystem::kChannelsPerModule)
        szMessage = "Please enter an integer between 1 and 10.";
    if (szMessage) {
        m_sys.Shell().MessageBox(szMessage, EBoxButtons::Ok, EBoxIcon::Exclamation);
        field.setFocus();
        field.selectAll();
        return false;
    }
    m_anTermChannel[nTerm] = static_cast<short>(nValue);
    return true;
}

bool CBooleanEditor::DoDataExchange(bool bSaveAndValidate) {
    if (!bSaveAndValidate) {
        for (int i = 0; i < kTerms; ++i)
            ShowTerm(i);
        m_ui->editChannel->setText(QString::number(m_nChannel));
        m_ui->editModule->setText(ToQString(m_strModule));
        m_ui->checkGroupNotA->setChecked(m_bShownGroupNotA);
        m_ui->checkGroupNotB->setChecked(m_bShownGroupNotB);
        m_ui->checkEquationNot->setChecked(m_bShownEquationNot);
        m_ui->editChannelLabel->setText(ToQString(m_strChannelLabel));
        m_ui->checkPowerUp->setChecked(m_bPowerUpOn);
        m_ui->checkOutput->setChecked(m_bOutput);
        m_ui->checkLatch->setChecked(m_bMomentaryLatch);
        m_ui->editModuleLabel->setText(ToQString(m_strModuleLabel));
        m_ui->editLoopName->setText(ToQString(m_strLoopName));
        m_ui->editEquation->setPlainText(ToQString(m_strEquation));
        return true;
    }
    for (int i = 0; i < kTerms; ++i) {
        if (!ReadTermChannel(i))
            return false;
        m_astrTermModule[i] = FromQString(m_aTerm[i].pModule->text());
        ShownTermNot(i) = m_aTerm[i].pNot->isChecked();
        TermPr(i) = m_aTerm[i].pPr->isChecked();
        m_anTermLoop[i] = static_cast<short>(m_aTerm[i].pLoop->currentIndex());
    }
    m_bShownGroupNotA = m_ui->checkGroupNotA->isChecked();
    m_bShownGroupNotB = m_ui->checkGroupNotB->isChecked();
    m_bShownEquationNot = m_ui->checkEquationNot->isChecked();
    m_bPowerUpOn = m_ui->checkPowerUp->isChecked();
    m_bOutput = m_ui->checkOutput->isChecked();
    m_bMomentaryLatch = m_ui->checkLatch->isChecked();
    return true;
}

void CBooleanEditor::ShowTerm(int nTerm) {
    const TermControls& term = m_aTerm[nTerm];
    term.pChannel->setText(QString::number(m_anTermChannel[nTerm]));
    term.pModule->setText(ToQString(m_astrTermModule[nTerm]));
    term.pNot->setChecked(ShownTermNot(nTerm));
    term.pPr->setChecked(TermPr(nTerm));
    term.pLabel->setText(ToQString(m_astrTermLabel[nTerm]));
}

void CBooleanEditor::ShowHeaderColours() {
    const CRgb colour = CSystem::GetLoopColour(m_sys.GetCurLoop());
    QWidget* const apFields[] = {m_ui->editModule,      m_ui->editChannelLabel, m_ui->editChannel,
                                 m_ui->editModuleLabel, m_ui->editLoopName,     m_ui->editEquation};
    for (QWidget* pField : apFields)
        PaintField(*pField, colour);
}

void CBooleanEditor::ShowTermLoopColour(int nTerm) {
    PaintField(*m_aTerm[nTerm].pLabel, CSystem::GetLoopColour(m_anTermLoop[nTerm]));
}

// The label of the channel an entry names in a loop; empty for no term.
std::string CBooleanEditor::EntryLabel(const CTermEntry& entry, short nLoop) const {
    if (!entry.HasModule() || entry.nChannel < 1 || entry.nChannel > CSystem::kChannelsPerModule)
        return "";
    return m_sys.GetChannelLabel(static_cast<short>(entry.cModule - 'A'),
                                 static_cast<short>(entry.nChannel - 1), nLoop);
}

std::string CBooleanEditor::TermLabel(int nTerm) const {
    const short nLoop = m_anTermLoop[nTerm];
    return EntryLabel(
        CTermScroll::Normalised(m_astrTermModule[nTerm], m_anTermChannel[nTerm], nLoop), nLoop);
}

// Leaving a term's letter or number field shows the label of what was typed
// at once. The fields are only looked at, not validated: a number being
// retyped is no error yet, and the validating read comes with the next
// preview, store or scroll.
void CBooleanEditor::ShowTypedLabel(int nTerm) {
    const TermControls& term = m_aTerm[nTerm];
    bool bInteger = false;
    const int nNumber = term.pChannel->text().trimmed().toInt(&bInteger);
    const short nLoop = static_cast<short>(term.pLoop->currentIndex());
    const bool bNumber = bInteger && nNumber >= 1 && nNumber <= CSystem::kChannelsPerModule;
    const CTermEntry entry = CTermScroll::Normalised(
        FromQString(term.pModule->text()), static_cast<short>(bNumber ? nNumber : 0), nLoop);
    m_astrTermLabel[nTerm] = EntryLabel(entry, nLoop);
    term.pLabel->setText(ToQString(m_astrTermLabel[nTerm]));
}

// --- from and to the system ---

void CBooleanEditor::RefreshFromSystem() {
    LoadTermLoops();
    const CChannelRecord& record = m_sys.CurRecord();
    for (int i = 0; i < kTerms; ++i) {
        const short nSource = i < 3 ? record.m_anTermA[i] : record.m_anTermB[i - 3];
        m_astrTermModule[i] = CSystem::TermModuleLetter(nSource);
        m_anTermChannel[i] = CSystem::TermChannelNumber(nSource);
    }
    m_nChannel = static_cast<short>(m_sys.GetCurChannel() + 1);
    m_strModule = std::string(1, CSystem::ModuleLetter(m_sys.GetCurModule()));

    const short nType = m_sys.GetCurEquationType();
    const bool bTermInverted = CSystem::IsTermNotInverted(nType);
    for (int i = 0; i < 3; ++i) {
        m_abShownNotA[i] = Present(record.m_abTermNotA[i] != 0, bTermInverted);
        m_abShownNotB[i] = Present(record.m_abTermNotB[i] != 0, bTermInverted);
    }
    m_bShownGroupNotA = Present(record.m_bGroupNotA != 0, CSystem::IsGroupNotInverted(nType));
    m_bShownGroupNotB = Present(record.m_bGroupNotB != 0, CSystem::IsGroupNotInverted(nType));
    m_bShownEquationNot = Present(record.m_bEquationNot != 0, CSystem::IsWholeNotInverted(nType));

    m_strChannelLabel = m_sys.GetCurChannelLabel();
    for (int i = 0; i < kTerms; ++i)
        m_astrTermLabel[i] = TermLabel(i);
    m_bPowerUpOn = record.m_bPowerUpOn != 0;
    m_bOutput = record.m_bOutput != 0;
    m_bMomentaryLatch = record.m_bMomentaryLatch != 0;
    m_strModuleLabel = m_sys.GetCurModuleLabel().substr(0, CSystem::kLabelLength);
    m_strLoopName = m_sys.GetCurLoopName();
    for (int i = 0; i < 3; ++i) {
        m_abTermPrA[i] = record.m_abTermPrA[i] != 0;
        m_abTermPrB[i] = record.m_abTermPrB[i] != 0;
    }
    SetScrollPositions();
    DoDataExchange(false);
    RefreshPreview();
}

void CBooleanEditor::WriteEquation(CChannelRecord& record) const {
    const short nType = m_sys.GetCurEquationType();
    const bool bTermInverted = CSystem::IsTermNotInverted(nType);
    for (int i = 0; i < 3; ++i) {
        record.m_abTermNotA[i] = Present(m_abShownNotA[i], bTermInverted);
        record.m_abTermNotB[i] = Present(m_abShownNotB[i], bTermInverted);
        record.m_abTermPrA[i] = m_abTermPrA[i];
        record.m_abTermPrB[i] = m_abTermPrB[i];
    }
    record.m_bGroupNotA = Present(m_bShownGroupNotA, CSystem::IsGroupNotInverted(nType));
    record.m_bGroupNotB = Present(m_bShownGroupNotB, CSystem::IsGroupNotInverted(nType));
    record.m_bEquationNot = Present(m_bShownEquationNot, CSystem::IsWholeNotInverted(nType));
    for (int i = 0; i < kTerms; ++i) {
        const CTermEntry entry =
            CTermScroll::Normalised(m_astrTermModule[i], m_anTermChannel[i], m_anTermLoop[i]);
        const short nSource = CTermScroll::Source(entry, m_anTermLoop[i]);
        if (i < 3)
            record.m_anTermA[i] = nSource;
        else
            record.m_anTermB[i - 3] = nSource;
    }
}

bool CBooleanEditor::StoreToSystem() {
    if (!DoDataExchange(true))
        return false;
    m_sys.CurRecord().m_bPowerUpOn = m_bPowerUpOn;
    m_sys.SetModified();
    WriteEquation(m_sys.CurRecord());
    StoreOutputAndLatch();
    return true;
}

// VIRTUAL and TIMER channels are internal: they always drive their state and
// never latch a switch.
void CBooleanEditor::StoreOutputAndLatch() {
    const short nLoop = m_sys.GetCurLoop();
    const bool bInternal = nLoop == 2 || nLoop == 3;
    m_sys.SetOutput(bInternal || m_bOutput);
    m_sys.SetMomentaryLatch(!bInternal && m_bMomentaryLatch);
}

bool CBooleanEditor::StoreAndConfirm() {
    if (!StoreToSystem())
        return false;
    const bool bVehicleLoop = m_sys.GetCurLoop() == 0 || m_sys.GetCurLoop() == 1;
    if (m_sys.IsCurEquationDefined() && !m_bMomentaryLatch && !m_bOutput && bVehicleLoop &&
        m_sys.Shell().MessageBox(kOutputQuestionText, EBoxButtons::YesNo, EBoxIcon::Question) ==
            EBoxAnswer::Yes) {
        m_bOutput = true;
        m_ui->checkOutput->setChecked(true);
    }
    StoreOutputAndLatch();
    return true;
}

void CBooleanEditor::RefreshPreview() {
    if (!DoDataExchange(true))
        return;
    WriteEquation(m_sys.Preview());
    m_strEquation = m_sys.PreviewEquationText();
    m_ui->editEquation->setPlainText(ToQString(m_strEquation));
    RefreshLamps();
}

// --- term loops and bars ---

void CBooleanEditor::LoadTermLoops() {
    const CChannelRecord& record = m_sys.CurRecord();
    for (int i = 0; i < kTerms; ++i) {
        m_anTermLoop[i] = CSystem::TermLoop(i < 3 ? record.m_anTermA[i] : record.m_anTermB[i - 3]);
        m_aTerm[i].pLoop->setCurrentIndex(m_anTermLoop[i]);
        ShowTermLoopColour(i);
    }
}

void CBooleanEditor::ReadTermLoops() {
    for (int i = 0; i < kTerms; ++i)
        m_anTermLoop[i] = static_cast<short>(m_aTerm[i].pLoop->currentIndex());
}

void CBooleanEditor::SetScrollPositions() {
    for (int i = 0; i < kTerms; ++i) {
        QScrollBar& bar = *m_aTerm[i].pScroll;
        bar.setRange(-1, CSystem::GetLastChannelIndex(m_anTermLoop[i]));
        bar.setPageStep(CSystem::kChannelsPerModule);
        bar.setValue(CTermScroll::Position(
            CTermScroll::Normalised(m_astrTermModule[i], m_anTermChannel[i], m_anTermLoop[i])));
    }
}

// Qt has moved the slider by its own step when the action is announced but
// not yet the value; setting the slider position here replaces Qt's step
// with the term's rule.
void CBooleanEditor::OnTermScroll(int nTerm, int nAction) {
    QScrollBar& bar = *m_aTerm[nTerm].pScroll;
    const int nThumb = bar.sliderPosition();
    if (!DoDataExchange(true)) {
        bar.setSliderPosition(bar.value());
        return;
    }
    const short nLoop = m_anTermLoop[nTerm];
    const CTermEntry entry = CTermScroll::Step(
        ToScrollAction(nAction),
        CTermScroll::Normalised(m_astrTermModule[nTerm], m_anTermChannel[nTerm], nLoop), nTerm == 0,
        nThumb, nLoop);
    m_astrTermModule[nTerm] = std::string(1, entry.cModule);
    m_anTermChannel[nTerm] = entry.nChannel;
    m_astrTermLabel[nTerm] = TermLabel(nTerm);
    bar.setSliderPosition(CTermScroll::Position(entry));
    ShowTerm(nTerm);
    RefreshPreview();
}

// The term keeps its module letter and channel number, so it names the same
// position in the loop just chosen.
void CBooleanEditor::OnTermLoopChanged(int nTerm) {
    ReadTermLoops();
    ShowTermLoopColour(nTerm);
    if (!DoDataExchange(true))
        return;
    m_astrTermLabel[nTerm] = TermLabel(nTerm);
    m_aTerm[nTerm].pLabel->setText(ToQString(m_astrTermLabel[nTerm]));
    SetScrollPositions();
    RefreshPreview();
}

// --- operators and type ---

void CBooleanEditor::ShowOperatorLabels() {
    const bool bAndWithin = m_sys.IsCurTypeAndWithinGroups();
    for (QLabel* pLabel : {m_ui->labelOperatorA1, m_ui->labelOperatorA2, m_ui->labelOperatorB1,
                           m_ui->labelOperatorB2})
        ShowOperator(*pLabel, bAndWithin);
    ShowOperator(*m_ui->labelOperatorBetween, m_sys.IsCurTypeAndBetweenGroups());
}

void CBooleanEditor::ShowTypeName() {
    m_ui->editTypeName->setText(ToQString(m_sys.GetCurEquationTypeName()));
}

// Stored before and after the switch: the flags pass through the old
// presentation and back through the new one, so only the type changes.
void CBooleanEditor::OnTypeButton() {
    if (!StoreToSystem())
        return;
    m_sys.NextCurEquationType();
    ShowOperatorLabels();
    RefreshFromSystem();
    StoreToSystem();
    ShowTypeName();
}

// --- buttons ---

void CBooleanEditor::OnWhereUsed() { m_whereUsed(this); }

void CBooleanEditor::OnExplorer() { m_explorer(this, m_sys.GetCurIndex()); }

// COPY and CUT take what the dialog shows; fields that fail validation stop
// them before anything reaches the clipboard or the channel.
void CBooleanEditor::OnCopy() {
    if (!StoreAndConfirm())
        return;
    m_sys.CopyEquation();
    m_sys.Shell().SetStatusText(kCopiedText);
}

void CBooleanEditor::OnCut() {
    if (!StoreAndConfirm())
        return;
    m_sys.CopyEquation();
    m_sys.ClearCurEquation();
    RefreshFromSystem();
    m_sys.Shell().SetStatusText(kCutText);
}

void CBooleanEditor::OnPaste() {
    m_sys.PasteCurEquation();
    RefreshFromSystem();
    m_sys.Shell().SetStatusText(kPastedText);
}

void CBooleanEditor::accept() {
    if (!DoDataExchange(true))
        return;
    QDialog::accept();
    StoreAndConfirm();
}
