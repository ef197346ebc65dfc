#include "editors/BooleanEditorFixture.h"
#include "support/ModalScript.h"

#include <QApplication>
#include <QTest>

#include <array>

namespace {

const QString kTerms[] = {"A1", "A2", "A3", "B1", "B2", "B3"};

QColor Background(const QWidget& field) { return field.palette().color(QPalette::Base); }
QColor FillColour(const QWidget& label) { return label.palette().color(QPalette::Window); }

// The stored NOT flags of a record, in the order A1..A3, B1..B3, group A,
// group B, whole equation.
std::array<int, 9> StoredNots(const CChannelRecord& record) {
    return {record.m_abTermNotA[0], record.m_abTermNotA[1], record.m_abTermNotA[2],
            record.m_abTermNotB[0], record.m_abTermNotB[1], record.m_abTermNotB[2],
            record.m_bGroupNotA,    record.m_bGroupNotB,    record.m_bEquationNot};
}

std::array<bool, 9> ShownNots(const QWidget& dialog) {
    std::array<bool, 9> abShown{};
    for (int i = 0; i < 6; ++i)
        abShown[i] = dialog.findChild<QCheckBox*>("checkNot" + kTerms[i])->isChecked();
    abShown[6] = dialog.findChild<QCheckBox*>("checkGroupNotA")->isChecked();
    abShown[7] = dialog.findChild<QCheckBox*>("checkGroupNotB")->isChecked();
    abShown[8] = dialog.findChild<QCheckBox*>("checkEquationNot")->isChecked();
    return abShown;
}

} // namespace

TEST_F(BooleanEditorTest, AChannelWithoutEquationOpensEmptyOnItsOwnLoop) {
    Select(1, 3, 4);
    sys.SetModuleLabel(3, 1, "REAR LIGHTS");
    CBooleanEditor dialog(sys);

    EXPECT_EQ("DVX  BOOLEAN  EDITOR", dialog.windowTitle());
    EXPECT_EQ("YELLOW LOOP", Field(dialog, "editLoopName"));
    EXPECT_EQ("D", Field(dialog, "editModule"));
    EXPECT_EQ("REAR LIGHTS", Field(dialog, "editModuleLabel"));
    EXPECT_EQ("5", Field(dialog, "editChannel"));
    EXPECT_EQ("Yellow_Chl_D5", Field(dialog, "editChannelLabel"));
    EXPECT_EQ("STANDARD", Field(dialog, "editTypeName"));
    for (const QString& strTerm : kTerms) {
        EXPECT_EQ("_1", Term(dialog, strTerm)) << strTerm.toStdString();
        EXPECT_EQ("", Field(dialog, "editTermLabel" + strTerm));
        EXPECT_EQ("YELLOW LOOP", Loop(dialog, strTerm).currentText());
        EXPECT_EQ(-1, Bar(dialog, strTerm).value());
        EXPECT_EQ(QColor(255, 255, 0), Background(Edit(dialog, "editTermLabel" + strTerm)));
    }
    for (const char* szOperator : {"A1", "A2", "B1", "B2"}) {
        EXPECT_EQ("AND", Operator(dialog, szOperator));
        EXPECT_EQ(QColor(0, 255, 128),
                  FillColour(*dialog.findChild<QLabel*>(QString("labelOperator") + szOperator)));
    }
    EXPECT_EQ("OR", Operator(dialog, "Between"));
    EXPECT_EQ(QColor(128, 255, 255),
              FillColour(*dialog.findChild<QLabel*>("labelOperatorBetween")));
    for (const char* szField :
         {"editLoopName", "editModule", "editModuleLabel", "editChannel", "editChannelLabel"})
        EXPECT_EQ(QColor(255, 255, 0), Background(Edit(dialog, szField))) << szField;
    EXPECT_EQ("Q=", Equation(dialog));
}

TEST_F(BooleanEditorTest, TheFourTypesPresentTheStoredFlagsAndOkLeavesThemAsTheyWere) {
    const struct {
        short nType;
        const char* szName;
        const char* szWithin;
        const char* szBetween;
        std::array<bool, 9> abShown;
    } aCases[] = {
        {0, "STANDARD", "AND", "OR", {1, 0, 1, 0, 1, 0, 1, 0, 1}},
        {1, "SIX INPUT OR", "OR", "OR", {0, 1, 0, 1, 0, 1, 0, 1, 1}},
        {2, "SIX INPUT AND", "AND", "AND", {1, 0, 1, 0, 1, 0, 0, 1, 0}},
        {3, "DEMORGAN", "OR", "AND", {0, 1, 0, 1, 0, 1, 1, 0, 0}},
    };
    for (const auto& c : aCases) {
        Select(0, 2, 0);
        CChannelRecord& record = sys.CurRecord();
        record.ClearEquationFields();
        record.m_nEquationType = c.nType;
        record.m_anTermA[0] = 5;
        record.m_anTermB[2] = 170;
        record.m_abTermNotA[0] = record.m_abTermNotA[2] = record.m_abTermNotB[1] = 1;
        record.m_bGroupNotA = record.m_bEquationNot = 1;
        record.m_bOutput = 1;
        const std::array<int, 9> anBefore = StoredNots(record);

        CBooleanEditor dialog(sys);
        EXPECT_EQ(c.szName, Field(dialog, "editTypeName"));
        EXPECT_EQ(c.szWithin, Operator(dialog, "A1"));
        EXPECT_EQ(c.szWithin, Operator(dialog, "B2"));
        EXPECT_EQ(c.szBetween, Operator(dialog, "Between"));
        EXPECT_EQ(c.abShown, ShownNots(dialog)) << c.szName;
        EXPECT_EQ("A6", Term(dialog, "A1"));
        EXPECT_EQ("B1", Term(dialog, "B3"));
        EXPECT_EQ("YELLOW LOOP", Loop(dialog, "B3").currentText());
        dialog.accept();
        EXPECT_EQ(QDialog::Accepted, dialog.result());
        EXPECT_EQ(anBefore, StoredNots(sys.CurRecord())) << c.szName;
        EXPECT_EQ(c.nType, sys.CurRecord().m_nEquationType);
        EXPECT_EQ(5, sys.CurRecord().m_anTermA[0]);
        EXPECT_EQ(170, sys.CurRecord().m_anTermB[2]);
    }
}

TEST_F(BooleanEditorTest, TheTypeButtonChangesOnlyThePresentation) {
    Select(0, 0, 0);
    sys.ClearModified();
    CBooleanEditor dialog(sys);
    Button(dialog, "buttonType").click();

    EXPECT_EQ("SIX INPUT OR", Field(dialog, "editTypeName"));
    EXPECT_EQ((std::array<bool, 9>{1, 1, 1, 1, 1, 1, 1, 1, 0}), ShownNots(dialog));
    EXPECT_EQ((std::array<int, 9>{}), StoredNots(sys.CurRecord()));
    EXPECT_EQ(1, sys.CurRecord().m_nEquationType);
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ("OR", Operator(dialog, "A1"));
    EXPECT_EQ("OR", Operator(dialog, "Between"));

    for (const char* szNext : {"SIX INPUT AND", "DEMORGAN", "STANDARD"}) {
        Button(dialog, "buttonType").click();
        EXPECT_EQ(szNext, Field(dialog, "editTypeName"));
        EXPECT_EQ((std::array<int, 9>{}), StoredNots(sys.CurRecord())) << szNext;
    }
}

// The field takes a letter of the term's loop (shown in capitals) or "_";
// anything else is refused as it is typed or pasted, so OK never drops a
// term the field seemed to hold.
TEST_F(BooleanEditorTest, ALetterAndANumberTypedIntoATermNameItsChannelInTheTermsLoop) {
    const struct {
        const char* szLoopKey;
        const char* szTyped;
        const char* szShown;
        short nSource;
    } aCases[] = {
        {"B", "D", "D", 32}, {"Y", "c", "C", 182}, {"V", "p", "P", 472}, {"B", "z", "", -1},
        {"T", "q", "", -1},  {"B", "3", "", -1},   {"B", "_", "_", -1},  {"B", "dz", "D", 32},
    };
    for (const auto& c : aCases) {
        Select(0, 0, 0);
        CBooleanEditor dialog(sys);
        QTest::keyClicks(&Loop(dialog, "B2"), c.szLoopKey);
        Type(dialog, "editModuleB2", c.szTyped);
        Type(dialog, "editChannelB2", "3");
        EXPECT_EQ(c.szShown, Field(dialog, "editModuleB2")) << c.szTyped;
        Box(dialog, "checkOutput").setChecked(true);
        dialog.accept();
        EXPECT_EQ(c.nSource, sys.GetTermB(1)) << c.szTyped;
    }
}

TEST_F(BooleanEditorTest, PastingSomethingThatIsNoLetterOfTheLoopLeavesTheFieldAsItWas) {
    Select(0, 0, 0);
    CBooleanEditor dialog(sys);
    QLineEdit& field = Edit(dialog, "editModuleA1");
    for (const char* szPasted : {"x", "9", "%", "q"}) {
        field.setText("F");
        field.selectAll();
        field.insert(szPasted);
        EXPECT_EQ("F", field.text()) << szPasted;
    }
    field.selectAll();
    field.insert("e");
    EXPECT_EQ("E", field.text());
}

// Leaving a letter or number field names the term's channel at once; an
// emptied number is no error until something reads the fields.
TEST_F(BooleanEditorTest, LeavingATermFieldShowsTheLabelOfWhatWasTyped) {
    Select(0, 0, 0);
    sys.StoreChannelLabel(1, 3, 0, "WIPER");
    CBooleanEditor dialog(sys);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const struct {
        const char* szModule;
        const char* szChannel;
        const char* szLabel;
    } aCases[] = {{"b", "4", "WIPER"},
                  {"C", "10", "Blue_Chl_C10"},
                  {"C", "", ""},
                  {"_", "4", ""},
                  {"B", "11", ""}};
    for (const auto& c : aCases) {
        Edit(dialog, "editModuleA1").setFocus();
        Type(dialog, "editModuleA1", c.szModule);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        Type(dialog, "editChannelA1", c.szChannel);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(c.szLabel, Field(dialog, "editTermLabelA1")) << c.szModule << c.szChannel;
    }
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_EQ(-1, sys.GetTermA(0)) << "leaving a field stores nothing";
}

TEST_F(BooleanEditorTest, AChannelNumberThatIsNotOneToTenKeepsTheDialogOpen) {
    const struct {
        const char* szTyped;
        const char* szMessage;
    } aCases[] = {{"x", "Please enter an integer."},
                  {"", "Please enter an integer."},
                  {"11", "Please enter an integer between 1 and 10."},
                  {"0", "Please enter an integer between 1 and 10."}};
    for (const auto& c : aCases) {
        Select(0, 0, 0);
        CBooleanEditor dialog(sys);
        dialog.show();
        Type(dialog, "editModuleA3", "D");
        Type(dialog, "editChannelA3", c.szTyped);
        m_shell.ExpectBox(c.szMessage);
        dialog.accept();
        EXPECT_TRUE(dialog.isVisible()) << c.szTyped;
        EXPECT_EQ(&Edit(dialog, "editChannelA3"), dialog.focusWidget()) << c.szTyped;
        EXPECT_EQ(-1, sys.GetTermA(2));

        m_shell.ExpectBox(c.szMessage);
        Button(dialog, "buttonCopy").click();
        EXPECT_EQ(-1, sys.ClipChannel().m_anTermA[2]);
        dialog.reject();
    }
}

TEST_F(BooleanEditorTest, TermBarsStepByTheirRuleAndLookUpTheLabel) {
    Select(0, 0, 0);
    sys.StoreChannelLabel(0, 0, 0, "IGNITION");
    CBooleanEditor dialog(sys);
    Bar(dialog, "A1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ("A1", Term(dialog, "A1"));
    EXPECT_EQ("IGNITION", Field(dialog, "editTermLabelA1"));
    EXPECT_EQ(0, Bar(dialog, "A1").value());
    EXPECT_EQ("Q=(IGNITION)", Equation(dialog));

    Bar(dialog, "A1").triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ("B1", Term(dialog, "A1"));
    EXPECT_EQ(10, Bar(dialog, "A1").value());
    EXPECT_EQ("Blue_Chl_B1", Field(dialog, "editTermLabelA1"));

    Bar(dialog, "A1").setSliderPosition(159);
    EXPECT_EQ("P10", Term(dialog, "A1"));
    Bar(dialog, "A1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ("P10", Term(dialog, "A1"));
    Bar(dialog, "A1").triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ("_1", Term(dialog, "A1"));
    EXPECT_EQ("", Field(dialog, "editTermLabelA1"));
    EXPECT_EQ(-1, Bar(dialog, "A1").value());
    Bar(dialog, "A1").triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ("A1", Term(dialog, "A1"));

    Bar(dialog, "B1").triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ("_1", Term(dialog, "B1"));
    EXPECT_EQ(-1, Bar(dialog, "B1").value());
    EXPECT_EQ(-1, sys.GetTermA(0)) << "scrolling stores nothing";
}

TEST_F(BooleanEditorTest, ALoopBoxChangeKeepsTheLetterAndNumber) {
    Select(0, 0, 0);
    sys.StoreChannelLabel(4, 6, 2, "PUMP DELAY");
    CBooleanEditor dialog(sys);
    Type(dialog, "editModuleB1", "E");
    Type(dialog, "editChannelB1", "7");
    QTest::keyClicks(&Loop(dialog, "B1"), "V");
    EXPECT_EQ("VIRTUAL LOOP", Loop(dialog, "B1").currentText());
    EXPECT_EQ("E7", Term(dialog, "B1"));
    EXPECT_EQ("PUMP DELAY", Field(dialog, "editTermLabelB1"));
    EXPECT_EQ(QColor(0, 255, 0), Background(Edit(dialog, "editTermLabelB1")));
    EXPECT_EQ("Q=(PUMP DELAY)", Equation(dialog));
}

TEST_F(BooleanEditorTest, TheOutputQuestionComesOnlyForVehicleLoopsWithoutOutputOrLatch) {
    const struct {
        short nLoop;
        bool bLatch;
        std::optional<EBoxAnswer> answer;
        bool bOutput;
        bool bLatchStored;
    } aCases[] = {
        {0, false, EBoxAnswer::Yes, true, false}, {1, false, EBoxAnswer::No, false, false},
        {0, true, std::nullopt, false, true},     {2, true, std::nullopt, true, false},
        {3, false, std::nullopt, true, false},
    };
    for (const auto& c : aCases) {
        Select(c.nLoop, 1, 1);
        sys.ClearCurEquation();
        sys.SetTermA(0, 42);
        CBooleanEditor dialog(sys);
        Box(dialog, "checkLatch").setChecked(c.bLatch);
        if (c.answer)
            m_shell.ExpectBox(CBooleanEditor::kOutputQuestionText, *c.answer);
        dialog.accept();
        EXPECT_EQ(c.bOutput, sys.GetOutput()) << "loop " << c.nLoop;
        EXPECT_EQ(c.bLatchStored, sys.GetMomentaryLatch()) << "loop " << c.nLoop;
    }
    EXPECT_EQ(2u, m_shell.m_aBoxes.size());
}

TEST_F(BooleanEditorTest, CutCopiesAndClearsThePasteKeepsTheDestinationsType) {
    Select(0, 0, 0);
    sys.StoreChannelLabel(0, 0, 0, "HORN");
    sys.SetTermA(0, 11);
    sys.SetTermNotA(0, true);
    sys.SetOutput(true);
    {
        CBooleanEditor dialog(sys);
        Button(dialog, "buttonCut").click();
        EXPECT_EQ("_1", Term(dialog, "A1"));
        EXPECT_EQ("Q=", Equation(dialog));
    }
    EXPECT_EQ(m_shell.m_astrStatus.back(), "Boolean copied to buffer and cleared");
    EXPECT_FALSE(sys.IsCurEquationDefined());
    EXPECT_EQ("HORN", sys.GetCurChannelLabel());
    EXPECT_EQ(11, sys.ClipChannel().m_anTermA[0]);

    Select(1, 5, 5);
    sys.SetCurEquationType(3);
    CBooleanEditor dialog(sys);
    Button(dialog, "buttonPaste").click();
    EXPECT_EQ(m_shell.m_astrStatus.back(), "Buffer PASTED into current channel");
    EXPECT_EQ(11, sys.GetTermA(0));
    EXPECT_TRUE(sys.GetTermNotA(0));
    EXPECT_EQ(3, sys.GetCurEquationType());
    EXPECT_EQ("DEMORGAN", Field(dialog, "editTypeName"));
    EXPECT_EQ("B2", Term(dialog, "A1"));
    EXPECT_FALSE(Box(dialog, "checkNotA1").isChecked()) << "DEMORGAN shows term NOTs inverted";
    EXPECT_EQ("OR", Operator(dialog, "A1"));
    EXPECT_EQ("AND", Operator(dialog, "Between"));
}

TEST_F(BooleanEditorTest, CopyStoresTheDialogAndFillsTheClipboard) {
    Select(0, 0, 0);
    CBooleanEditor dialog(sys);
    Bar(dialog, "A2").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Box(dialog, "checkPrA2").click();
    m_shell.ExpectBox(CBooleanEditor::kOutputQuestionText, EBoxAnswer::Yes);
    Button(dialog, "buttonCopy").click();
    EXPECT_TRUE(Box(dialog, "checkOutput").isChecked());
    EXPECT_EQ(0, sys.GetTermA(1));
    EXPECT_TRUE(sys.GetTermPrA(1));
    EXPECT_EQ(0, sys.ClipChannel().m_anTermA[1]);
    EXPECT_EQ(1, sys.ClipChannel().m_bOutput);
    EXPECT_EQ(m_shell.m_astrStatus.back(), "Boolean copied to buffer");
}

// The button opens the where-used report over the editor, or what it is
// told to run instead.
TEST_F(BooleanEditorTest, WhereUsedRunsTheReportOverTheEditor) {
    Select(0, 0, 0);
    CBooleanEditor dialog(sys);
    {
        CModalScript script;
        script.Then([&](QDialog& report) {
            EXPECT_EQ(report.parentWidget(), &dialog);
            report.accept();
        });
        Button(dialog, "buttonWhereUsed").click();
        EXPECT_EQ(script.Seen(), std::vector<QString>{"CWhereUsedDlg"});
    }
    QWidget* pSeen = nullptr;
    dialog.SetWhereUsedReport([&](QWidget* pParent) { pSeen = pParent; });
    Button(dialog, "buttonWhereUsed").click();
    EXPECT_EQ(&dialog, pSeen);
}

TEST_F(BooleanEditorTest, WorksFromTheKeyboardAlone) {
    Select(0, 0, 0);
    CBooleanEditor dialog(sys);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Loop(dialog, "A1").setFocus();
    const char* const aszOrder[] = {"checkNotA1",    "checkPrA1", "editModuleA1",
                                    "editChannelA1", "scrollA1",  "comboLoopA2"};
    for (const char* szNext : aszOrder) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(szNext, QApplication::focusWidget()->objectName().toStdString());
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(Box(dialog, "checkNotA2").isChecked());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClicks(QApplication::focusWidget(), "b");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), "4");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(&Bar(dialog, "A2"), QApplication::focusWidget());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
    EXPECT_EQ("C5", Term(dialog, "A2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    EXPECT_EQ("C4", Term(dialog, "A2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
    EXPECT_EQ("B4", Term(dialog, "A2"));

    m_shell.ExpectBox(CBooleanEditor::kOutputQuestionText, EBoxAnswer::No);
    QTest::keyClick(&Edit(dialog, "editChannelA2"), Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ(13, sys.GetTermA(1));
    EXPECT_TRUE(sys.GetTermNotA(1));
}

// The way a technician enters a term without the mouse: the editor opens on
// A1's module letter, Tab goes to its channel and Enter keeps the equation.
TEST_F(BooleanEditorTest, TypingFromOpenToStoredEquation) {
    Select(0, 0, 0);
    CBooleanEditor dialog(sys);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(&Edit(dialog, "editModuleA1"), QApplication::focusWidget());
    QTest::keyClicks(QApplication::focusWidget(), "b");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_EQ(&Edit(dialog, "editChannelA1"), QApplication::focusWidget());
    QTest::keyClicks(QApplication::focusWidget(), "3");
    EXPECT_EQ("B3", Term(dialog, "A1"));
    m_shell.ExpectBox(CBooleanEditor::kOutputQuestionText, EBoxAnswer::Yes);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(QDialog::Accepted, dialog.result());
    EXPECT_EQ(CSystem::MakeIndex(0, 1, 2), sys.GetTermA(0));
    EXPECT_TRUE(sys.GetOutput());
    EXPECT_NE(std::string::npos, sys.GetEquationText(0, 0, 0).find("Blue_Chl_B3"));
}

TEST_F(BooleanEditorTest, EscapeCancelsWithoutStoring) {
    Select(0, 0, 0);
    CBooleanEditor dialog(sys);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    Type(dialog, "editModuleA1", "C");
    QTest::keyClick(&Edit(dialog, "editModuleA1"), Qt::Key_Escape);
    EXPECT_EQ(QDialog::Rejected, dialog.result());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(-1, sys.GetTermA(0));
}
