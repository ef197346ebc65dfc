#include "controls/LampColumn.h"
#include "diagnostics/LampClicks.h"
#include "diagnostics/LampGrid.h"
#include "diagnostics/LoopStatusController.h"
#include "diagnostics/LoopStatusViewer.h"
#include "link/FrameLists.h"
#include "link/LinkedFrameFixture.h"
#include "support/ModalScript.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <functional>
#include <memory>

namespace {

// Closing the status monitor leaves the Boolean processor running: it is
// switched on twice, each time between a pause and a continue.
const Frames kProcessorBackOn =
    Joined({kPause, {":P1\r"}, kContinue, kPause, {":P1\r"}, kContinue});

// The technician works the loop status windows with port 1 open to dvxsim;
// dvxsim's console plays the vehicle.
class DiagnosticsEndToEnd : public SimFrameTest {
protected:
    DiagnosticsEndToEnd() {
        // Forced states reach the main window as the program's shell sends them.
        m_shell.m_fnSendChannelState = [this](short nLoop, short nModule, short nChannel,
                                              int nState) {
            frame.SendForcedChannelState(nLoop, nModule, nChannel, nState);
        };
    }
    ~DiagnosticsEndToEnd() override { m_pMonitor.reset(); }

    void OpenPort() {
        ASSERT_TRUE(StartSim());
        Trigger(ID_PORT_OPEN);
        ASSERT_TRUE(frame.IsPortOpen());
        Received();
    }

    CLoopStatusController& OpenMonitor() {
        m_pMonitor = std::make_unique<CLoopStatusController>(sys, frame, &frame);
        m_pMonitor->show();
        return *m_pMonitor;
    }
    static bool WaitForLamps(const CLampColumn& led, int32_t nValue) {
        return QTest::qWaitFor([&] { return led.GetValue() == nValue; }, 3000);
    }

    std::unique_ptr<CLoopStatusController> m_pMonitor;
};

} // namespace

TEST_F(DiagnosticsEndToEnd, ForcedInputLightsItsLampAndTheOutputsItsEquationsDrive) {
    OpenPort();
    // Blue A2 follows A1, Blue A3 is its opposite.
    sys.SetCurLoop(0);
    sys.SetCurModule(0);
    for (short nChannel : {1, 2}) {
        sys.SetCurChannel(nChannel);
        sys.SetTermA(0, CSystem::MakeIndex(0, 0, 0));
        sys.SetTermNotA(0, nChannel == 2);
        sys.SetOutput(true);
        ASSERT_TRUE(comm.SendEquation());
    }
    sys.SetCurChannel(0);
    Received();
    CLoopStatusController& dialog = OpenMonitor();
    EXPECT_EQ(Received(), Joined({kContinue, {":L01\r"}}));
    EXPECT_TRUE(WaitForLamps(dialog.Column(0), 0b100));
    EXPECT_EQ(m_pSim->Console("set blue A 1 1"), "ok Blue_Chl_A1 1");
    EXPECT_TRUE(WaitForLamps(dialog.Column(0), 0b011));
    EXPECT_EQ(m_pSim->Console("set blue A 1 0"), "ok Blue_Chl_A1 0");
    EXPECT_TRUE(WaitForLamps(dialog.Column(0), 0b100));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

// Space on the ringed lamp sends the same frames as a double click.
TEST_F(DiagnosticsEndToEnd, DoubleClickOrSpaceForcesTheChannelInTheController) {
    struct Way {
        const char* szName;
        std::function<void(CLoopStatusController&)> force;
    };
    const Way aWays[] = {
        {"double click",
         [](CLoopStatusController& dialog) { DoubleClickLamp(dialog.Column(2), 9); }},
        {"Space",
         [](CLoopStatusController& dialog) {
             dialog.Lamps().setFocus();
             for (Qt::Key key :
                  {Qt::Key_Home, Qt::Key_Right, Qt::Key_Right, Qt::Key_PageDown, Qt::Key_Space})
                 QTest::keyClick(&dialog.Lamps(), key);
         }},
    };
    OpenPort();
    sys.SetCurLoop(1);
    CLoopStatusController& dialog = OpenMonitor();
    Received();
    for (const Way& way : aWays) {
        way.force(dialog);
        EXPECT_EQ(Received(), Joined({kPause, kPause, kPause, {":S0BD1\r"}, kContinue}))
            << way.szName;
        EXPECT_NE(m_pSim->Console("loop yellow").find("C:0000000001"), std::string::npos)
            << way.szName;
        EXPECT_TRUE(WaitForLamps(dialog.Column(2), 512)) << way.szName;
        way.force(dialog);
        EXPECT_EQ(Received(), Joined({kPause, kPause, kPause, {":S0BD0\r"}, kContinue}))
            << way.szName;
        EXPECT_TRUE(WaitForLamps(dialog.Column(2), 0)) << way.szName;
    }
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(DiagnosticsEndToEnd, ProcessorButtonAndClosingSwitchTheBooleanProcessor) {
    OpenPort();
    CLoopStatusController& dialog = OpenMonitor();
    Received();
    QPushButton* pButton = dialog.findChild<QPushButton*>("buttonProcessor");
    pButton->click();
    EXPECT_EQ(Received(), Joined({kPause, {":P0\r"}, kContinue}));
    EXPECT_EQ(m_pSim->Console("status").rfind("processor off", 0), 0u);
    pButton->click();
    EXPECT_EQ(Received(), Joined({kPause, {":P1\r"}, kContinue}));
    pButton->click();
    Received();
    dialog.accept();
    EXPECT_EQ(Received(),
              Joined({kContinue,
                      {":L00\r", ":L00\r", ":L10\r", ":L20\r", ":L30\r", ":L40\r", ":L50\r"},
                      kProcessorBackOn}));
    EXPECT_EQ(m_pSim->Console("status").rfind("processor on", 0), 0u);
    EXPECT_NE(m_pSim->Console("status").find("reports none"), std::string::npos);
}

TEST_F(DiagnosticsEndToEnd, OpenedOnTimerRunningTheControllerWatchesTheBlueLoop) {
    OpenPort();
    sys.SetCurLoop(5);
    CLoopStatusController& dialog = OpenMonitor();
    EXPECT_EQ(dialog.findChild<QComboBox*>("comboLoop")->currentText(), "BLUE LOOP");
    EXPECT_EQ(sys.GetCurLoop(), 0);
    EXPECT_EQ(Received(), Joined({kContinue, {":L01\r"}}));
    dialog.findChild<QComboBox*>("comboLoop")->setCurrentIndex(4);
    EXPECT_EQ(Received(), Joined({kContinue, {":L00\r"}, kContinue, {":L41\r"}}));
}

TEST_F(DiagnosticsEndToEnd, YellowViewerKeepsReportingAfterTheControllerCloses) {
    OpenPort();
    frame.OpenLoopStatusViewer(1);
    EXPECT_EQ(Received(), Joined({kContinue, {":L11\r"}}));
    EXPECT_TRUE(sys.GetLoopMonitor(1));
    CLoopStatusViewer& viewer = *frame.LoopStatusViewer(1);

    sys.SetCurLoop(1);
    OpenMonitor();
    EXPECT_TRUE(Received().empty()) << "the viewer's reports stand";
    m_pMonitor->accept();
    EXPECT_EQ(Received(), Joined({{":L00\r", ":L11\r", ":L20\r", ":L30\r", ":L40\r", ":L50\r"},
                                  kProcessorBackOn}));
    EXPECT_NE(m_pSim->Console("status").find("reports 1"), std::string::npos);
    EXPECT_EQ(m_pSim->Console("set yellow B 3 1"), "ok Yellow_Chl_B3 1");
    EXPECT_TRUE(WaitForLamps(viewer.Lamps().Column(1), 4));
}

TEST_F(DiagnosticsEndToEnd, ViewerSwitchesItsLoopsReportsOnAndOff) {
    OpenPort();
    {
        CModalScript script;
        script.Then([](QDialog& dialog) {
            dialog.findChild<QComboBox*>("comboLoop")->setCurrentIndex(3);
            dialog.accept();
        });
        Trigger(ID_LOOP_STATUS_VIEWER);
    }
    EXPECT_EQ(Received(), Joined({kContinue, {":L31\r"}}));
    CLoopStatusViewer* pViewer = frame.LoopStatusViewer(3);
    ASSERT_NE(pViewer, nullptr);
    EXPECT_EQ(pViewer->windowTitle(), "TIMER LOOP STATUS VIEWER");
    EXPECT_EQ(pViewer->Lamps().Column(0).GetStyleOnColor(), CLampColumn::ColorRef(255, 0, 0));
    EXPECT_TRUE(sys.GetLoopMonitor(3));

    frame.OpenLoopStatusViewer(3);
    EXPECT_TRUE(Received().empty());

    pViewer->close();
    EXPECT_EQ(Received(), (Frames{":L30\r"}));
    EXPECT_FALSE(sys.GetLoopMonitor(3));
    EXPECT_NE(m_pSim->Console("status").find("reports none"), std::string::npos);
}

// However a viewer goes, its loop stops reporting: the main window taking
// its viewers with it is no exception.
TEST_F(DiagnosticsEndToEnd, ViewersThatGoWithTheMainWindowSwitchTheirReportsOff) {
    OpenPort();
    frame.OpenLoopStatusViewer(2);
    frame.OpenLoopStatusViewer(4);
    EXPECT_EQ(Received(), Joined({kContinue, {":L21\r"}, kContinue, {":L41\r"}}));
    ASSERT_TRUE(sys.GetLoopMonitor(2));
    ASSERT_TRUE(sys.GetLoopMonitor(4));

    m_pFrame.reset();
    EXPECT_EQ(Received(), (Frames{":L20\r", ":L40\r"}));
    EXPECT_FALSE(sys.GetLoopMonitor(2));
    EXPECT_FALSE(sys.GetLoopMonitor(4));
    EXPECT_NE(m_pSim->Console("status").find("reports none"), std::string::npos);
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(DiagnosticsEndToEnd, ReceivedStateShowsInEveryWindowOfItsLoop) {
    OpenPort();
    frame.OpenLoopStatusViewer(0);
    frame.OpenLoopStatusViewer(2);
    sys.SetCurLoop(0);
    CLoopStatusController& dialog = OpenMonitor();
    EXPECT_EQ(m_pSim->Console("set blue D 5 1"), "ok Blue_Chl_D5 1");
    EXPECT_TRUE(WaitForLamps(dialog.Column(3), 16));
    EXPECT_TRUE(WaitForLamps(frame.LoopStatusViewer(0)->Lamps().Column(3), 16));
    EXPECT_EQ(frame.LoopStatusViewer(2)->Lamps().Column(3).GetValue(), 0);
}
