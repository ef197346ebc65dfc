#include "controls/LampColumn.h"
#include "diagnostics/LampClicks.h"
#include "diagnostics/LampGrid.h"
#include "diagnostics/LoopStatusController.h"
#include "shell/CommandIds.h"
#include "shell/FrameFixture.h"
#include "support/ModalScript.h"
#include "support/Screenshot.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include <memory>

namespace {

// The loop status controller over a main window whose port is closed: it
// works on the stored states alone.
class LoopStatusControllerTest : public FrameTest {
protected:
    CLoopStatusController& Open() {
        m_pDialog = std::make_unique<CLoopStatusController>(sys, frame, &frame);
        m_pDialog->show();
        return *m_pDialog;
    }
    template <class T> T& Child(const char* szName) {
        T* pChild = m_pDialog->findChild<T*>(szName);
        EXPECT_NE(pChild, nullptr) << szName;
        return *pChild;
    }
    QString Field(const char* szName) { return Child<QLineEdit>(szName).text(); }
    QString Equation() { return Child<QPlainTextEdit>("editEquation").toPlainText(); }
    void ChooseLoop(int nLoop) { Child<QComboBox>("comboLoop").setCurrentIndex(nLoop); }

    std::unique_ptr<CLoopStatusController> m_pDialog;
};

} // namespace

TEST_F(LoopStatusControllerTest, OpensOnTheCurrentChannelWithTheProcessorOn) {
    sys.SetCurLoop(1);
    sys.SetCurModule(2);
    sys.SetCurChannel(6);
    sys.SetModuleLabel(2, 1, "Doors");
    CLoopStatusController& dialog = Open();
    EXPECT_EQ(dialog.windowTitle(), "LOOP STATUS CONTROLLER");
    EXPECT_EQ(Child<QComboBox>("comboLoop").currentText(), "YELLOW LOOP");
    EXPECT_EQ(Field("editModuleLetter"), "C");
    EXPECT_EQ(Field("editModuleLabel"), "Doors");
    EXPECT_EQ(Field("editChannelNumber"), "7");
    EXPECT_EQ(Field("editChannelLabel"), "Yellow_Chl_C7");
    EXPECT_EQ(Equation(), "");
    EXPECT_EQ(Child<QPushButton>("buttonProcessor").text().remove('&'),
              "DISABLE BOOLEAN PROCESSOR");
    EXPECT_EQ(Child<QLabel>("labelHint").text(),
              "SINGLE CLICK LED TO VIEW CHANNEL BOOLEAN INFO,    DOUBLE CLICK LED TO TOGGLE STATE");
    EXPECT_TRUE(dialog.IsRefreshing());
    EXPECT_EQ(dialog.Column(15).GetStyleOnColor(), CLampColumn::ColorRef(255, 255, 0));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(LoopStatusControllerTest, LoopListNamesTheSixLoopsByPosition) {
    Open();
    QComboBox& list = Child<QComboBox>("comboLoop");
    const char* const aszNames[] = {"BLUE LOOP",  "YELLOW LOOP", "VIRTUAL LOOP",
                                    "TIMER LOOP", "TIMER DONE",  "TIMER RUN"};
    ASSERT_EQ(list.count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(list.itemText(i), aszNames[i]);
    EXPECT_FALSE(list.isEditable());
}

TEST_F(LoopStatusControllerTest, TimerRunningAsCurrentLoopOpensOnTheBlueLoop) {
    sys.SetCurLoop(5);
    CLoopStatusController& dialog = Open();
    EXPECT_EQ(dialog.Loop(), 0);
    EXPECT_EQ(sys.GetCurLoop(), 0);
    EXPECT_EQ(Child<QComboBox>("comboLoop").currentText(), "BLUE LOOP");
    EXPECT_EQ(dialog.Column(0).GetStyleOnColor(), CLampColumn::ColorRef(0, 0, 255));
}

TEST_F(LoopStatusControllerTest, LampsFollowTheStoredStatesWithinATick) {
    CLoopStatusController& dialog = Open();
    sys.SetChannelStateAt(3, 0, 0, 1);
    sys.SetChannelStateAt(3, 9, 0, 1);
    sys.SetChannelStateAt(4, 2, 1, 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.Column(3).GetValue() == 513; }, 1000));
    EXPECT_EQ(dialog.Column(4).GetValue(), 0);
    ChooseLoop(1);
    EXPECT_EQ(dialog.Column(4).GetValue(), 4);
    EXPECT_EQ(dialog.Column(3).GetValue(), 0);
    EXPECT_EQ(dialog.Column(0).GetStyleOnColor(), CLampColumn::ColorRef(255, 255, 0));
}

TEST_F(LoopStatusControllerTest, SingleClickShowsTheChannelAndItsEquation) {
    sys.SetCurLoop(0);
    sys.SetCurModule(5);
    sys.SetCurChannel(3);
    sys.SetTermA(0, CSystem::MakeIndex(1, 0, 0));
    sys.SetOutput(true);
    const std::string strEquation = sys.GetEquationText(5, 3, 0);
    CLoopStatusController& dialog = Open();
    sys.SetCurModule(0);
    ClickLamp(dialog.Column(5), 3);
    EXPECT_EQ(dialog.Module(), 5);
    EXPECT_EQ(dialog.Channel(), 3);
    EXPECT_EQ(Equation().toStdString(), strEquation);
    EXPECT_FALSE(strEquation.empty());
    EXPECT_EQ(Field("editModuleLetter"), "F");
    EXPECT_EQ(Field("editChannelNumber"), "4");
    EXPECT_EQ(Field("editChannelLabel"), "Blue_Chl_F4");
    ClickLamp(dialog.Column(0), 9);
    EXPECT_EQ(Field("editChannelLabel"), "Blue_Chl_A10");
    EXPECT_EQ(Equation(), "");
    EXPECT_EQ(sys.GetCurModule(), 0) << "a click leaves the current selection alone";
}

TEST_F(LoopStatusControllerTest, TimerDoneLoopShowsNoEquationAndRefusesTheEditor) {
    CLoopStatusController& dialog = Open();
    ChooseLoop(4);
    EXPECT_EQ(dialog.Loop(), 4);
    EXPECT_EQ(dialog.Column(0).GetStyleOnColor(), CLampColumn::ColorRef(255, 128, 0));
    ClickLamp(dialog.Column(2), 1);
    EXPECT_EQ(Equation(), "");
    m_shell.ExpectBox("Current loop does not support BOOLEANs.");
    bool bEdited = false;
    dialog.SetBooleanEditor([&](QWidget*) { bEdited = true; });
    Child<QToolButton>("buttonEditor").click();
    EXPECT_FALSE(bEdited);
    EXPECT_EQ(m_shell.BoxTexts(),
              std::vector<std::string>{"Current loop does not support BOOLEANs."});
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Exclamation);
}

TEST_F(LoopStatusControllerTest, EditorIconEditsTheChosenChannelAndShowsTheResult) {
    CLoopStatusController& dialog = Open();
    ChooseLoop(2);
    ClickLamp(dialog.Column(7), 4);
    dialog.SetBooleanEditor([&](QWidget* pParent) {
        EXPECT_EQ(pParent, &dialog);
        EXPECT_EQ(sys.GetCurIndex(), CSystem::MakeIndex(2, 7, 4));
        sys.SetTermA(0, 3);
        sys.SetOutput(true);
    });
    Child<QToolButton>("buttonEditor").click();
    EXPECT_EQ(Equation().toStdString(), sys.GetEquationText(7, 4, 2));
    EXPECT_FALSE(Equation().isEmpty());
}

// Left as they are, the icons run the main window's Boolean editor on the
// chosen channel and the where-used report.
TEST_F(LoopStatusControllerTest, IconsRunTheEditorAndTheReportOfTheMainWindow) {
    CLoopStatusController& dialog = Open();
    ChooseLoop(3);
    ClickLamp(dialog.Column(12), 8);
    CModalScript script;
    script.Then(CModalScript::Reject()).Then(CModalScript::Accept());
    Child<QToolButton>("buttonEditor").click();
    Child<QToolButton>("buttonWhereUsed").click();
    EXPECT_EQ(script.Seen(), (std::vector<QString>{"CBooleanEditor", "CWhereUsedDlg"}));
    EXPECT_EQ(sys.GetCurIndex(), CSystem::MakeIndex(3, 12, 8));
}

TEST_F(LoopStatusControllerTest, WhereUsedIconRunsTheReportForTheChosenChannel) {
    CLoopStatusController& dialog = Open();
    ChooseLoop(5);
    ClickLamp(dialog.Column(1), 0);
    int nIndex = -1;
    dialog.SetWhereUsedReport([&](QWidget*) { nIndex = sys.GetCurIndex(); });
    Child<QToolButton>("buttonWhereUsed").click();
    EXPECT_EQ(nIndex, CSystem::MakeIndex(5, 1, 0));
}

TEST_F(LoopStatusControllerTest, DoubleClickTogglesTheStoredStateWithThePortClosed) {
    CLoopStatusController& dialog = Open();
    ChooseLoop(1);
    DoubleClickLamp(dialog.Column(2), 9);
    EXPECT_EQ(sys.GetChannelStateAt(2, 9, 1), 1);
    EXPECT_EQ(dialog.Column(2).GetValue(), 512);
    DoubleClickLamp(dialog.Column(2), 9);
    EXPECT_EQ(sys.GetChannelStateAt(2, 9, 1), 0);
    EXPECT_EQ(dialog.Column(2).GetValue(), 0);
    EXPECT_EQ(m_shell.m_aSentStates,
              (std::vector<CShellRecorder::SentState>{{1, 2, 9, 1}, {1, 2, 9, 0}}));
    EXPECT_EQ(Field("editChannelLabel"), "Yellow_Chl_C10");
}

TEST_F(LoopStatusControllerTest, ProcessorButtonSwitchesItsText) {
    Open();
    QPushButton& button = Child<QPushButton>("buttonProcessor");
    button.click();
    EXPECT_EQ(button.text(), "&ENABLE BOOLEAN PROCESSOR");
    EXPECT_TRUE(m_pDialog->IsProcessorOff());
    button.click();
    EXPECT_EQ(button.text(), "&DISABLE BOOLEAN PROCESSOR");
}

TEST_F(LoopStatusControllerTest, ClosingStopsTheRefresh) {
    CLoopStatusController& dialog = Open();
    dialog.accept();
    EXPECT_FALSE(dialog.IsRefreshing());
    sys.SetChannelStateAt(0, 0, 0, 1);
    QTest::qWait(100);
    EXPECT_EQ(dialog.Column(0).GetValue(), 0);
}

TEST_F(LoopStatusControllerTest, MenuAndToolbarOpenTheControllerModally) {
    // Only the toolbar button recomposes the title first.
    sys.SetFilePath("COACH7.DVX");
    const std::pair<int, bool> aCases[] = {{ID_LOOP_STATUS_CONTROLLER, false},
                                           {ID_LOOP_CONTROLLER_BUTTON, true}};
    for (const auto& [nId, bTitle] : aCases) {
        CModalScript script;
        script.Then([](QDialog& dialog) {
            EXPECT_EQ(dialog.windowTitle(), "LOOP STATUS CONTROLLER");
            dialog.reject();
        });
        Trigger(nId);
        EXPECT_EQ(script.Seen(), std::vector<QString>{"CLoopStatusController"});
        EXPECT_EQ(frame.windowTitle().contains("COACH7.DVX"), bTitle) << nId;
    }
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(LoopStatusControllerTest, LettersAndNumbersLineUpWithTheLamps) {
    sys.SetChannelStateAt(0, 0, 0, 1);
    sys.SetChannelStateAt(7, 4, 0, 1);
    sys.SetChannelStateAt(15, 9, 0, 1);
    CLoopStatusController& dialog = Open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ExpectLabelsAlignedWithLamps(dialog.Lamps(), true);
    SaveScreenshot(dialog, "LoopStatusController-blue");
    ChooseLoop(3);
    SaveScreenshot(dialog, "LoopStatusController-timer");
    dialog.resize(dialog.width() + 170, dialog.height() + 130);
    QCoreApplication::processEvents();
    ExpectLabelsAlignedWithLamps(dialog.Lamps(), true);
}

// Each icon of the modal controller runs its window on the lamp clicked last.
TEST_F(LoopStatusControllerTest, IconsOfTheMenuCommandRunTheEditorAndTheReport) {
    struct IconCase {
        const char* szButton;
        short nModule, nChannel;
        const char* szOpened;
    };
    const IconCase aCases[] = {{"buttonEditor", 6, 2, "CBooleanEditor"},
                               {"buttonWhereUsed", 9, 5, "CWhereUsedDlg"}};
    for (const IconCase& c : aCases) {
        CModalScript script;
        // The icon is clicked outside the script's step, so the window it
        // opens gets a step of its own.
        script.Then([&c](QDialog& dialog) {
            ClickLamp(static_cast<CLoopStatusController&>(dialog).Column(c.nModule), c.nChannel);
            QTimer::singleShot(
                0, &dialog, [&dialog, &c] { dialog.findChild<QToolButton*>(c.szButton)->click(); });
        });
        script.Then([this, &c](QDialog& dialog) {
            EXPECT_EQ(sys.GetCurIndex(), CSystem::MakeIndex(0, c.nModule, c.nChannel));
            dialog.reject();
        });
        script.Then(CModalScript::Reject());
        Trigger(ID_LOOP_STATUS_CONTROLLER);
        EXPECT_EQ(script.Seen(), (std::vector<QString>{"CLoopStatusController", c.szOpened,
                                                       "CLoopStatusController"}));
        EXPECT_TRUE(m_shell.m_aBoxes.empty()) << c.szButton;
    }
}
