#include "controls/LampColumn.h"
#include "diagnostics/LiveLogic.h"
#include "diagnostics/LogicView.h"
#include "diagnostics/LoopStatusController.h"
#include "editors/BooleanCommands.h"
#include "editors/BooleanEditor.h"
#include "editors/ChannelPicker.h"
#include "link/FrameLists.h"
#include "link/LinkedFrameFixture.h"
#include "model/CheckSystems.h"
#include "reports/WhereUsedDlg.h"
#include "support/Mnemonics.h"
#include "support/ModalScript.h"

#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include <initializer_list>
#include <memory>

using namespace CheckSystems;

namespace {

constexpr short kBlueB1 = 10;
constexpr int kWaitMs = 3000;

const Frames kProcessorBackOn =
    Joined({kPause, {":P1\r"}, kContinue, kPause, {":P1\r"}, kContinue});
// The restore of every loop when the last user of the loop reports goes.
const Frames kRestoreNone{":L00\r", ":L10\r", ":L20\r", ":L30\r", ":L40\r", ":L50\r"};

// Live logic with port 1 open to dvxsim; dvxsim's console plays the
// vehicle's door switch, Blue B1.
class LogicViewEndToEnd : public SimFrameTest {
protected:
    LogicViewEndToEnd() { Label(sys, kBlueB1, "Door switch"); }
    ~LogicViewEndToEnd() override { m_pMonitor.reset(); }

    void OpenPort() {
        ASSERT_TRUE(StartSim());
        Trigger(ID_PORT_OPEN);
        ASSERT_TRUE(frame.IsPortOpen());
    }
    // Puts the equation into the PC's system and the controller.
    void Program(short nIndex, std::initializer_list<CTerm> aGroupA) {
        Equation(sys, nIndex, aGroupA);
        Select(CSystem::LoopOf(nIndex), CSystem::ModuleOf(nIndex), CSystem::ChannelOf(nIndex));
        ASSERT_TRUE(comm.SendEquation());
    }
    static bool WaitForText(const std::function<QString()>& fnText, const QString& strWanted) {
        return QTest::qWaitFor([&] { return fnText() == strWanted; }, kWaitMs);
    }
    static bool WaitForLamp(QDialog& dialog, const char* szLamp, const char* szWanted) {
        auto* pLamp = dialog.findChild<QLabel*>(szLamp);
        return pLamp && WaitForText([pLamp] { return pLamp->text(); }, szWanted);
    }

    std::unique_ptr<CLoopStatusController> m_pMonitor;
};

} // namespace

// The frames that switch the reports on and back are those the loop status
// controller sends for the same loop, without its processor frames.
TEST_F(LogicViewEndToEnd, ExplanationFollowsAForcedInputAndTheReportsAreTheControllers) {
    OpenPort();
    Program(kBlueA3, {{kBlueB1}});
    Received();

    Frames astrExplorerOpen, astrExplorerClose;
    {
        CLogicView view(sys, &frame.LiveLogic(), kBlueA3, &frame);
        view.show();
        astrExplorerOpen = Received();
        EXPECT_TRUE(WaitForText([&] { return view.ExplanationText(); },
                                "Blue A3 is off because Blue B1 (Door switch) is off"));
        EXPECT_EQ(m_pSim->Console("set blue B 1 1"), "ok Blue_Chl_B1 1");
        EXPECT_TRUE(WaitForText([&] { return view.ExplanationText(); },
                                "Blue A3 is on because Blue B1 (Door switch) is on"));
        EXPECT_EQ(view.DriversTree().topLevelItem(0)->text(3), "A on = on");
        view.reject();
        astrExplorerClose = Received();
    }
    EXPECT_EQ(astrExplorerOpen, Joined({kContinue, {":L01\r"}}));
    EXPECT_EQ(astrExplorerClose, Joined({kContinue, {":L00\r"}, kRestoreNone}));

    sys.SetCurLoop(0);
    m_pMonitor = std::make_unique<CLoopStatusController>(sys, frame, &frame);
    EXPECT_EQ(Received(), astrExplorerOpen);
    m_pMonitor->accept();
    EXPECT_EQ(Received(), Joined({astrExplorerClose, kProcessorBackOn}));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(LogicViewEndToEnd, EditorTermLampFollowsTheInputAndItsLoopReportsOnlyWhileItIsOpen) {
    OpenPort();
    Program(kBlueA3, {{kBlueB1}});
    Received();
    CModalScript script;
    script.Then([this](QDialog& dialog) {
        EXPECT_TRUE(WaitForLamp(dialog, "lampA1", "off"));
        EXPECT_TRUE(WaitForLamp(dialog, "lampResult", "off"));
        EXPECT_EQ(dialog.findChild<QLabel*>("lampA2")->text(), "unknown") << "no term";
        EXPECT_EQ(m_pSim->Console("set blue B 1 1"), "ok Blue_Chl_B1 1");
        EXPECT_TRUE(WaitForLamp(dialog, "lampA1", "on"));
        EXPECT_TRUE(WaitForLamp(dialog, "lampGroupA", "on"));
        EXPECT_TRUE(WaitForLamp(dialog, "lampResult", "on"));
        EXPECT_TRUE(WaitForLamp(dialog, "lampChannel", "on")) << "the processor ran it";
        dialog.reject();
    });
    frame.Booleans().EditCurrentEquation();
    EXPECT_EQ(Received(), Joined({kPause,
                                  {":B002\r"},
                                  kContinue,
                                  kContinue,
                                  {":L01\r"},
                                  kContinue,
                                  {":L00\r"},
                                  kRestoreNone}));
    EXPECT_NE(m_pSim->Console("status").find("reports none"), std::string::npos);
}

TEST_F(LogicViewEndToEnd, ExplorerFromTheControllerIsReadOnlyAndLeavesItsLoopReporting) {
    OpenPort();
    Program(kVirtualA1, {{kBlueB1}});
    Program(kBlueA3, {{kVirtualA1}});
    Received();
    m_pMonitor = std::make_unique<CLoopStatusController>(sys, frame, &frame);
    EXPECT_EQ(Received(), Joined({kContinue, {":L01\r"}}));

    CModalScript script;
    script.Then([this](QDialog& dialog) {
        auto* pView = qobject_cast<CLogicView*>(&dialog);
        ASSERT_NE(pView, nullptr);
        EXPECT_EQ(pView->Channel(), kBlueA3);
        EXPECT_TRUE(pView->IsReadOnly());
        EXPECT_EQ(pView->ModeText(), "Read only: the loop status controller is open");
        EXPECT_EQ(Received(), Joined({kContinue, {":L21\r"}})) << "the Blue loop reports already";
        EXPECT_TRUE(WaitForText([pView] { return pView->ExplanationText(); },
                                "Blue A3 is off because Virtual A1 is off; Virtual A1 is off "
                                "because Blue B1 (Door switch) is off"));
        dialog.reject();
    });
    m_pMonitor->findChild<QAbstractButton*>("buttonExplorer")->click();
    EXPECT_EQ(Received(), Joined({kContinue, {":L20\r"}}));
    EXPECT_TRUE(m_pSim->Console("status").ends_with("reports 0"));
    EXPECT_EQ(m_pSim->Console("set blue C 3 1"), "ok Blue_Chl_C3 1");
    EXPECT_TRUE(QTest::qWaitFor([this] { return m_pMonitor->Column(2).GetValue() == 4; }, kWaitMs))
        << "the controller's lamps still follow";

    m_pMonitor->accept();
    EXPECT_EQ(Received(), Joined({kContinue, {":L00\r"}, kRestoreNone, kProcessorBackOn}));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(LogicViewEndToEnd, StatesAreUnknownWithThePortClosed) {
    Equation(sys, kBlueA3, {{kBlueB1}});
    CLogicView view(sys, &frame.LiveLogic(), kBlueA3, &frame);
    EXPECT_EQ(view.DriversTree().topLevelItem(0)->text(2), "unknown");
    EXPECT_EQ(view.ExplanationText(), CLogicView::kPortClosedText);
}

// Every Alt letter of the windows that open the explorer reaches one control.
TEST_F(LogicViewEndToEnd, AltLettersDoNotClashInTheWindowsThatOpenTheExplorer) {
    CLogicView view(sys, nullptr, kBlueA3);
    view.SetEditor([](QWidget*) {});
    EXPECT_EQ(ClashingMnemonics(view), "");
    EXPECT_EQ(MnemonicCounts(view).size(), 3u) << "the two tabs and Edit equation";
    CBooleanEditor editor(sys);
    EXPECT_EQ(ClashingMnemonics(editor), "");
    CChannelPicker picker(sys, m_types);
    EXPECT_EQ(ClashingMnemonics(picker), "");
    CWhereUsedDlg report(sys);
    report.SetLogicExplorer([](QWidget*, short) {});
    EXPECT_EQ(ClashingMnemonics(report), "");
    CLoopStatusController monitor(sys, frame, &frame);
    EXPECT_EQ(ClashingMnemonics(monitor), "");
}

// From the channel picker, where no editor is open, the explorer edits; the
// editor it opens offers the explorer again, read-only, and so does the
// editor's where-used report. A step that opens a dialog does it from a
// timer of its own, so the script's timer can answer the new dialog.
TEST_F(LogicViewEndToEnd, PickerOpensAnEditableExplorerAndTheEditorReadOnlyOnes) {
    Equation(sys, kBlueA3, {{kBlueB1}});
    Select(0, 0, 2);
    auto click = [](const char* szButton) {
        return [szButton](QDialog& dialog) {
            QAbstractButton* pButton = dialog.findChild<QAbstractButton*>(szButton);
            QTimer::singleShot(0, pButton, &QAbstractButton::click);
        };
    };
    auto readOnly = [](QDialog& dialog) {
        auto* pView = qobject_cast<CLogicView*>(&dialog);
        ASSERT_NE(pView, nullptr);
        EXPECT_EQ(pView->ModeText(), "Read only: the Boolean editor is open");
        dialog.reject();
    };
    CModalScript script;
    script.Then(click("buttonExplorer"))
        .Then([](QDialog& dialog) {
            auto* pView = qobject_cast<CLogicView*>(&dialog);
            ASSERT_NE(pView, nullptr);
            EXPECT_FALSE(pView->IsReadOnly());
            EXPECT_EQ(pView->Channel(), kBlueA3);
            QTreeWidget* pTree = &pView->DriversTree();
            pTree->setCurrentItem(pTree->topLevelItem(0));
            QTimer::singleShot(0, pTree, [pTree] { QTest::keyClick(pTree, Qt::Key_Return); });
        })
        .Then([click](QDialog& dialog) {
            EXPECT_NE(qobject_cast<CBooleanEditor*>(&dialog), nullptr);
            click("buttonExplorer")(dialog);
        })
        .Then(readOnly)
        .Then(click("buttonWhereUsed"))
        .Then(click("buttonExplorer"))
        .Then(readOnly)
        .Then(CModalScript::Reject())
        .Then(CModalScript::Reject())
        .Then(CModalScript::Reject())
        .Then(CModalScript::Reject());
    frame.Booleans().OnBooleanEditor();
    EXPECT_EQ(script.Seen(), (std::vector<QString>{"CChannelPicker", "CLogicView", "CBooleanEditor",
                                                   "CLogicView", "CBooleanEditor", "CWhereUsedDlg",
                                                   "CLogicView", "CWhereUsedDlg", "CBooleanEditor",
                                                   "CLogicView", "CChannelPicker"}));
    EXPECT_EQ(sys.GetCurIndex(), kBlueA3) << "the picker's choice stands";
}
