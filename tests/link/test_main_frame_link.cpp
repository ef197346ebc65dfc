#include "controls/Animation.h"
#include "controls/SerialControl.h"
#include "link/LinkedFrameFixture.h"
#include "link/PortSettingsDlg.h"
#include "link/ScriptedController.h"
#include "link/WaitIndicator.h"
#include "shell/PortPane.h"
#include "support/PortOneDevice.h"
#include "support/PtyPeer.h"
#include "support/Screenshot.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

namespace {

// A main window over its own system and protocol object, with port 1 on a
// pseudo-terminal whose far end a peer thread plays as the controller.
class PortTest : public LinkedFrameTest {
protected:
    PortTest() { frame.UseSerialControl(); }
    // The window closes its port while the peer still listens.
    ~PortTest() override { m_pFrame.reset(); }

    QString PortItem() const { return frame.Action(ID_PORT_OPEN)->text(); }
    QString PortPane() const { return frame.PortPane().text(); }

    // Opens the port and forgets the link queries, so a test sees only the
    // frames of what it does next.
    void OpenPort() {
        Trigger(ID_PORT_OPEN);
        ASSERT_TRUE(frame.IsPortOpen());
        m_nSeen = peer.FrameCount();
    }
    std::vector<std::string> NewFrames() {
        QTest::qWait(20);
        std::vector<std::string> astrFrames = peer.Frames();
        return {astrFrames.begin() + static_cast<std::ptrdiff_t>(m_nSeen), astrFrames.end()};
    }

    CPtyPeer::Answer m_fnAnswer = CScriptedController::DefaultAnswer;
    CPtyPeer peer{[this](const std::string& strFrame) { return m_fnAnswer(strFrame); }};
    CPortOneDevice m_port{peer.SlavePath()};
    std::size_t m_nSeen = 0;
};

using Frames = std::vector<std::string>;

} // namespace

// --- opening and closing ---

TEST_F(PortTest, OpeningAsksTwiceWhetherTheModuleLinkRunsAndSendsNothingElse) {
    m_fnAnswer = CScriptedController::DefaultExcept({{":I\r", "1\r\n"}});
    EXPECT_EQ(PortItem(), "Open &Port");
    Trigger(ID_PORT_OPEN);
    EXPECT_TRUE(frame.IsPortOpen());
    EXPECT_TRUE(comm.GetPortOpen());
    EXPECT_TRUE(sys.IsLinkActive());
    EXPECT_EQ(PortItem(), "Close &Port");
    EXPECT_EQ(NewFrames(), (Frames{":I\r", ":I\r"}));

    Trigger(ID_PORT_OPEN);
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(PortItem(), "Open &Port");
    EXPECT_EQ(NewFrames(), (Frames{":I\r", ":I\r"}));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(PortTest, PortPaneFollowsOpenStartLinkStopLinkAndClose) {
    EXPECT_EQ(PortPane(), "COM1 closed");
    Trigger(ID_PORT_OPEN);
    EXPECT_EQ(PortPane(), "COM1 open");
    EXPECT_EQ(frame.PortPane().toolTip().toStdString(), peer.SlavePath());
    Trigger(ID_START_DVX_LINK);
    EXPECT_EQ(PortPane(), "COM1 open, link running");
    Trigger(ID_STOP_DVX_LINK);
    EXPECT_EQ(PortPane(), "COM1 open");
    Trigger(ID_PORT_OPEN);
    EXPECT_EQ(PortPane(), "COM1 closed");
}

TEST_F(PortTest, PortPaneShowsTheRunningLinkTheControllerReportsOnOpening) {
    m_fnAnswer = CScriptedController::DefaultExcept({{":I\r", "1\r\n"}});
    Trigger(ID_PORT_OPEN);
    EXPECT_EQ(PortPane(), "COM1 open, link running");
}

TEST_F(PortTest, DeviceThatCannotBeOpenedIsNamedAndNothingIsSent) {
    CPortOneDevice missing{m_dir.File("no-such-device")};
    m_shell.AnswerBox(EBoxAnswer::Ok);
    Trigger(ID_PORT_OPEN);
    ASSERT_EQ(m_shell.m_aBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_aBoxes[0].strText.rfind(
                  "Could not open the comm port COM1 (" + m_dir.File("no-such-device") + "):\n", 0),
              0u)
        << m_shell.m_aBoxes[0].strText;
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(PortItem(), "Open &Port");
    EXPECT_TRUE(NewFrames().empty());
}

// A controller that never answers keeps the opening waiting, with the
// window live, until the technician closes the port.
TEST_F(PortTest, ClosingThePortEndsTheWaitForAnAnswer) {
    // The technician closes the port once the first query has reached the
    // controller (the peer answers on its own thread).
    m_fnAnswer = [this](const std::string&) {
        QMetaObject::invokeMethod(
            &frame, [this] { Trigger(ID_PORT_OPEN); }, Qt::QueuedConnection);
        return std::string();
    };
    Trigger(ID_PORT_OPEN);
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_EQ(PortItem(), "Open &Port");
    EXPECT_EQ(NewFrames(), (Frames{":I\r"}));
}

TEST_F(PortTest, PauseAndContinueFramesOnlyWhileThePortIsOpen) {
    EXPECT_TRUE(frame.PauseLink());
    EXPECT_TRUE(frame.ContinueLink());
    EXPECT_TRUE(NewFrames().empty());
    OpenPort();
    EXPECT_TRUE(frame.PauseLink());
    EXPECT_TRUE(frame.ContinueLink());
    EXPECT_EQ(NewFrames(), (Frames{":E0\r", ":E0\r", ":E1\r", ":E1\r"}));
    EXPECT_EQ(frame.StatusText(), "LINK IDLE");
}

TEST_F(PortTest, FramesAreDroppedWhileTheLinkIsClosed) {
    frame.TransmitText(":J\r");
    OpenPort();
    frame.TransmitText(":P1\r");
    EXPECT_EQ(frame.StatusText(), "-");
    EXPECT_TRUE(QTest::qWaitFor([this] { return peer.FrameCount() > m_nSeen; }, 5000));
    EXPECT_EQ(NewFrames(), (Frames{":P1\r"}));
}

TEST_F(PortTest, LinkStatusTextsShowOnlyWhileTheLinkIsOpen) {
    frame.ShowLinkIdle();
    frame.ShowLinkStatus("RECEIVING system label 3");
    EXPECT_EQ(frame.StatusText(), CMainFrame::kIdleText);
    OpenPort();
    frame.ShowLinkStatus("RECEIVING system label 3");
    EXPECT_EQ(frame.StatusText(), "RECEIVING system label 3");
    frame.ShowSendMark();
    EXPECT_EQ(frame.StatusText(), "-");
    frame.ShowLinkIdle();
    EXPECT_EQ(frame.StatusText(), "LINK IDLE");
}

// --- serial events ---

TEST_F(PortTest, EveryEventValueHasItsTextOrItsBox) {
    OpenPort();
    const struct {
        short nEvent;
        const char* szText;
        bool bError;
    } aCases[] = {
        {1, "-", false},
        {2, "Characters received", false},
        {3, "Change in CTS Detected", false},
        {4, "Change in DSR Detected", false},
        {5, "Change in CD Detected", false},
        {6, "Ring Detected", false},
        {7, "End of File Detected", false},
        {1001, "Break Received", true},
        {1002, "CTS Timeout", true},
        {1003, "DSR Timeout", true},
        {1004, "Framing Error", true},
        {1006, "Port Overrun", true},
        {1007, "CD Timeout", true},
        {1008, "Receive Buffer Overflow", true},
        {1009, "Parity Error", true},
        {1010, "Transmit Buffer Full", true},
    };
    for (const auto& aCase : aCases) {
        frame.SetStatusText("before");
        m_shell.m_aBoxes.clear();
        if (aCase.bError)
            m_shell.ExpectBox(std::string(aCase.szText) + "\nOK to ignore, Cancel to quit",
                              EBoxAnswer::Ok);
        frame.OnCommEvent(aCase.nEvent);
        if (aCase.bError) {
            ASSERT_EQ(m_shell.m_aBoxes.size(), 1u) << aCase.nEvent;
            EXPECT_EQ(m_shell.m_aBoxes[0].buttons, EBoxButtons::OkCancel);
            EXPECT_EQ(m_shell.m_aBoxes[0].icon, EBoxIcon::Exclamation);
            EXPECT_EQ(frame.StatusText(), "before") << aCase.nEvent;
        } else {
            EXPECT_TRUE(m_shell.m_aBoxes.empty()) << aCase.nEvent;
            EXPECT_EQ(frame.StatusText(), aCase.szText) << aCase.nEvent;
        }
        EXPECT_TRUE(frame.IsPortOpen()) << aCase.nEvent;
    }
    for (short nIgnored : {0, 8, 1005, 1012, 9999}) {
        frame.SetStatusText("before");
        frame.OnCommEvent(nIgnored);
        EXPECT_EQ(frame.StatusText(), "before") << nIgnored;
    }
}

// A command's result stays readable while characters arrive; the next
// status text takes its place as usual and arrivals show again after it.
TEST_F(PortTest, ArrivingCharactersLeaveAResultTextStanding) {
    frame.ShowResultText("System files written");
    frame.OnCommEvent(CSerialControl::EventReceive);
    EXPECT_EQ(frame.StatusText(), "System files written");
    frame.OnCommEvent(CSerialControl::EventCts);
    EXPECT_EQ(frame.StatusText(), "Change in CTS Detected");
    frame.OnCommEvent(CSerialControl::EventReceive);
    EXPECT_EQ(frame.StatusText(), "Characters received");
}

TEST_F(PortTest, ParityErrorAnsweredWithCancelClosesThePort) {
    OpenPort();
    m_shell.ExpectBox("Parity Error\nOK to ignore, Cancel to quit", EBoxAnswer::Cancel);
    frame.OnCommEvent(1009);
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(PortItem(), "Open &Port");
}

// A noisy line raises errors poll after poll; while one box is open the
// others only reach the status pane, and Cancel after that still closes.
TEST_F(PortTest, OneSerialErrorBoxAtATime) {
    OpenPort();
    m_shell.ExpectBox("Framing Error\nOK to ignore, Cancel to quit", EBoxAnswer::Cancel);
    m_shell.m_fnWhileBoxShown = [this] {
        m_shell.m_fnWhileBoxShown = nullptr;
        frame.OnCommEvent(CSerialControl::EventRxParity);
        frame.OnCommEvent(CSerialControl::EventFrame);
    };
    frame.OnCommEvent(CSerialControl::EventFrame);
    EXPECT_EQ(m_shell.m_aBoxes.size(), 1u);
    EXPECT_EQ(frame.StatusText(), "Framing Error");
    EXPECT_FALSE(frame.IsPortOpen());
}

TEST_F(PortTest, VanishedDeviceIsReportedOnceAndThePortCloses) {
    OpenPort();
    m_shell.AnswerBox(EBoxAnswer::Ok);
    peer.HangUp();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !frame.IsPortOpen(); }, 5000));
    QTest::qWait(200);
    ASSERT_EQ(m_shell.m_aBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_aBoxes[0].strText.rfind("The comm port COM1 (" + peer.SlavePath() +
                                                    ") is no longer available and has been closed.",
                                                0),
              0u)
        << m_shell.m_aBoxes[0].strText;
    EXPECT_EQ(m_shell.m_aBoxes[0].icon, EBoxIcon::Stop);
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(PortItem(), "Open &Port");
    EXPECT_EQ(PortPane(), "COM1 closed");
}

// A device lost in the middle of a sequence leaves no link text behind:
// with the port closed the message pane says nothing of the link, not even
// a "LINK IDLE" that was still waiting to be shown.
TEST_F(PortTest, ALostDeviceLeavesNoLinkTextBesideTheClosedPort) {
    OpenPort();
    m_shell.AnswerBox(EBoxAnswer::Ok);
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [this, &poll] {
        if (peer.FrameCount() < m_nSeen + 20)
            return;
        poll.stop();
        peer.HangUp();
    });
    poll.start();
    comm.SendAllTimersShowingPhase();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !frame.IsPortOpen(); }, 5000));
    EXPECT_EQ(PortPane(), "COM1 closed");
    EXPECT_FALSE(
        QTest::qWaitFor([this] { return frame.StatusText() != CMainFrame::kIdleText; }, 500))
        << frame.StatusText().toStdString();
    frame.CloseWaitIndicator();
}

// --- choosing the port ---

namespace {

// Answers the modal port dialog once it shows: types the text, presses OK,
// and presses Cancel when the dialog is still open afterwards.
void AnswerPortDialog(const QString& strText) {
    QTimer::singleShot(0, [strText] {
        auto* pDialog = qobject_cast<CPortSettingsDlg*>(QApplication::activeModalWidget());
        if (!pDialog)
            return;
        pDialog->PortEdit().setText(strText);
        pDialog->accept();
        if (pDialog->isVisible())
            pDialog->reject();
    });
}

} // namespace

TEST_F(PortTest, OutOfRangeNumberIsRefusedAndCancelKeepsThePort) {
    m_shell.ExpectBox("Please enter an integer between 1 and 4.");
    AnswerPortDialog("5");
    Trigger(ID_SELECT_COMM_PORT);
    EXPECT_EQ(m_shell.BoxTexts().size(), 1u);
    EXPECT_EQ(m_param.GetCommPort(), 1);
}

TEST_F(PortTest, ChosenNumberIsKeptAndUsedFromTheNextOpening) {
    AnswerPortDialog("3");
    Trigger(ID_SELECT_COMM_PORT);
    EXPECT_EQ(m_param.GetCommPort(), 3);
    EXPECT_EQ(PortPane(), "COM3 closed");

    m_param.SetCommPort(1);
    OpenPort();
    AnswerPortDialog("2");
    Trigger(ID_SELECT_COMM_PORT);
    EXPECT_EQ(m_param.GetCommPort(), 2);
    EXPECT_EQ(frame.CommControl().GetCommPort(), 2);
    EXPECT_TRUE(frame.IsPortOpen());
    EXPECT_EQ(PortPane(), "COM1 open") << "the open device stays in use";
    EXPECT_EQ(frame.StatusText().left(4), "COM2");
}

// --- the shared services ---

TEST_F(PortTest, TransmitErrorReport) {
    m_shell.ExpectBox("ERROR WHILE TRANSMITTING TO DVX CPU");
    frame.ReportTransmitError();
    EXPECT_EQ(m_shell.m_aBoxes.at(0).buttons, EBoxButtons::Ok);
}

TEST_F(PortTest, OneWaitIndicatorSharedUntilItIsClosed) {
    frame.PlayWaitAnimation(5);
    frame.SetWaitText("nothing to show it in");
    EXPECT_EQ(frame.WaitIndicator(), nullptr);

    ASSERT_TRUE(frame.ShowWaitIndicator());
    CWaitIndicator* pWait = frame.WaitIndicator();
    ASSERT_NE(pWait, nullptr);
    EXPECT_TRUE(pWait->isVisible());
    EXPECT_FALSE(pWait->isModal());
    EXPECT_EQ(pWait->TextLine().text(), "Please wait");
    EXPECT_FALSE(pWait->Animation().IsPlaying());

    frame.StartWaitIndicator("Retrieving system ...");
    EXPECT_EQ(frame.WaitIndicator(), pWait);
    EXPECT_EQ(pWait->TextLine().text(), "Retrieving system ...");
    EXPECT_TRUE(pWait->Animation().IsPlaying());
    comm.ShowProgress("Transmitting Booleans to DVX CPU ...");
    EXPECT_EQ(frame.WaitIndicator(), pWait);
    EXPECT_EQ(pWait->TextLine().text(), "Transmitting Booleans to DVX CPU ...");

    frame.CloseWaitIndicator();
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    frame.CloseWaitIndicator();
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

// Each sequence of a command puts its phase into the one indicator while the
// frames go out; the window keeps running meanwhile.
TEST_F(PortTest, WaitIndicatorFollowsTheSequencesOfALongCommand) {
    OpenPort();
    // A slow controller, so every phase is on show for a while.
    m_fnAnswer = [](const std::string& strFrame) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return CScriptedController::DefaultAnswer(strFrame);
    };
    sys.SetChannelLabelInCurModule(3, "Door ajar");
    sys.SetModuleLabel(2, 1, "Rear lights");
    std::vector<QString> astrSeen;
    std::vector<CWaitIndicator*> apSeen;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        CWaitIndicator* pWait = frame.WaitIndicator();
        if (!pWait || (!astrSeen.empty() && astrSeen.back() == pWait->TextLine().text()))
            return;
        astrSeen.push_back(pWait->TextLine().text());
        apSeen.push_back(pWait);
        SaveScreenshot(*pWait, QString("wait-indicator-%1").arg(astrSeen.size()));
    });
    watch.start();
    EXPECT_TRUE(comm.SendAllLabels());
    watch.stop();
    CWaitIndicator* pFirst = frame.WaitIndicator();
    ASSERT_NE(pFirst, nullptr);
    EXPECT_EQ(astrSeen, (std::vector<QString>{"Transmitting channel labels to DVX CPU ...",
                                              "Transmitting module labels to DVX CPU...",
                                              "Transmitting system labels to DVX CPU ..."}));
    EXPECT_EQ(apSeen, std::vector<CWaitIndicator*>(astrSeen.size(), pFirst));
    EXPECT_TRUE(pFirst->Animation().IsPlaying());
    EXPECT_EQ(NewFrames().size(), 12u);
}

// A counted sequence fills the bar frame by frame, full at its end, with the
// time it still needs beneath; the status pane ends on the last text.
TEST_F(PortTest, WaitIndicatorBarFollowsACountedSequence) {
    OpenPort();
    frame.StartWaitIndicator("Please wait");
    CWaitIndicator* pWait = frame.WaitIndicator();
    EXPECT_FALSE(pWait->ProgressBar().isVisible());
    int nMaxSeen = 0;
    QTimer watch;
    watch.setInterval(1);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (pWait->ProgressBar().isVisible())
            nMaxSeen = std::max(nMaxSeen, pWait->ProgressBar().maximum());
    });
    watch.start();
    comm.RunWithProgress([this] { comm.SendAllTimers(); });
    watch.stop();
    EXPECT_EQ(nMaxSeen, 320);
    EXPECT_EQ(pWait->ProgressBar().value(), 320);
    EXPECT_EQ(pWait->ProgressBar().maximum(), 320);
    EXPECT_EQ(pWait->TimeLine().text(), "Time left: 0:00");
    EXPECT_EQ(frame.StatusText(), "LINK IDLE");
    EXPECT_EQ(NewFrames().size(), 320u);
    SaveScreenshot(*pWait, "wait-indicator-progress");
}

TEST_F(PortTest, WaitIndicatorWithAnUnreadableAnimationStillShowsItsText) {
    std::ofstream(m_dir.File("WAIT.AVI")) << "not an animation";
    m_shell.ExpectBox("Could not open/find WAIT.AVI file");
    frame.StartWaitIndicator("Clearing DVX CPU memory ...");
    ASSERT_NE(frame.WaitIndicator(), nullptr);
    EXPECT_EQ(frame.WaitIndicator()->TextLine().text(), "Clearing DVX CPU memory ...");
    EXPECT_FALSE(frame.WaitIndicator()->Animation().IsOpen());
    frame.StartWaitIndicator("Transmitting system labels to DVX CPU ...");
    EXPECT_EQ(m_shell.BoxTexts().size(), 1u);
}

// A controller that stops answering turns the indicator into the way out:
// it says so and offers Stop, which closes the port and so ends the wait.
// An indicator opened only for that goes again with the wait.
TEST_F(PortTest, SilentControllerIsShownWithAStopButtonThatClosesThePort) {
    OpenPort();
    comm.SetNotAnsweringDelay(std::chrono::milliseconds(50));
    m_fnAnswer = [](const std::string&) { return std::string(); };
    QString strSeen;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        CWaitIndicator* pWait = frame.WaitIndicator();
        if (!pWait || pWait->TimeLine().text() != CMainFrame::kNotAnsweringText)
            return;
        strSeen = pWait->TimeLine().text();
        SaveScreenshot(*pWait, "wait-indicator-not-answering");
        pWait->StopButton().click();
    });
    watch.start();
    sys.SetSleepWakeUp(99);
    EXPECT_FALSE(comm.ReadSleepWakeUp());
    watch.stop();
    EXPECT_EQ(strSeen, "The DVX CPU is not answering. Close the port to stop.");
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_FALSE(comm.GetPortOpen());
    EXPECT_EQ(PortItem(), "Open &Port");
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    EXPECT_EQ(sys.GetSleepWakeUp(), 99);
}

// Stop is there from the start of a sequence and has the focus, so a key
// closes the port while the main window's menus are out of reach: Alt+S
// pressed during a transfer ends it, and nothing more is sent.
TEST_F(PortTest, StopIsOfferedForTheWholeSequenceAndAltSClosesThePort) {
    OpenPort();
    bool bChecked = false;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [this, &poll, &bChecked] {
        CWaitIndicator* pWait = frame.WaitIndicator();
        if (!pWait || peer.FrameCount() < m_nSeen + 20)
            return;
        poll.stop();
        EXPECT_TRUE(pWait->StopButton().isVisible());
        EXPECT_EQ(pWait->StopButton().shortcut(), QKeySequence("Alt+S"));
        EXPECT_EQ(pWait->focusWidget(), &pWait->StopButton());
        pWait->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(pWait));
        QTest::keyClick(pWait, Qt::Key_S, Qt::AltModifier);
        // A shortcut presses its button a moment later, as a click would.
        EXPECT_TRUE(QTest::qWaitFor([this] { return !frame.IsPortOpen(); }));
        bChecked = true;
    });
    poll.start();
    EXPECT_FALSE(comm.SendAllTimersShowingPhase());
    EXPECT_TRUE(bChecked);
    EXPECT_FALSE(frame.IsPortOpen());
    EXPECT_EQ(PortItem(), "Open &Port");
    EXPECT_LT(NewFrames().size(), 2u * CSystem::kTimers) << "the transfer ended at Stop";
    frame.CloseWaitIndicator();
}

// An indicator a command opened gets its own text back when the controller
// answers again.
TEST_F(PortTest, AnswerAfterSilencePutsTheIndicatorBack) {
    OpenPort();
    comm.SetNotAnsweringDelay(std::chrono::milliseconds(50));
    m_fnAnswer = [](const std::string& strFrame) {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        return CScriptedController::DefaultAnswer(strFrame);
    };
    frame.StartWaitIndicator("Retrieving system ...");
    CWaitIndicator* pWait = frame.WaitIndicator();
    bool bStopSeen = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (pWait->TimeLine().text() == CMainFrame::kNotAnsweringText &&
            pWait->TextLine().text() == "Retrieving system ...")
            bStopSeen = true;
    });
    watch.start();
    EXPECT_TRUE(comm.ReadSleepWakeUp());
    watch.stop();
    EXPECT_TRUE(bStopSeen);
    EXPECT_EQ(frame.WaitIndicator(), pWait);
    EXPECT_EQ(pWait->TextLine().text(), "Retrieving system ...");
    EXPECT_FALSE(pWait->TimeLine().isVisible());
    EXPECT_TRUE(frame.IsPortOpen());
    EXPECT_EQ(sys.GetSleepWakeUp(), 10);
}

// --- controller steps of the file commands ---

TEST_F(PortTest, ClearAllAnsweredYesClearsTheControllerBetweenPauseAndContinue) {
    m_fnAnswer = CScriptedController::DefaultExcept({{":I\r", "1\r\n"}});
    OpenPort();
    sys.SetSysLabel(0, "Bus 12");
    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::Yes);
    Trigger(ID_CLEAR_ALL);
    EXPECT_EQ(NewFrames(), (Frames{":E0\r", ":E0\r", ":I0\r", ":CA\r", ":I1\r", ":E1\r", ":E1\r"}));
    EXPECT_NE(sys.GetSysLabel(0), "Bus 12");
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    EXPECT_EQ(m_shell.BoxTexts().size(), 1u);
}

TEST_F(PortTest, ClearAllAnsweredNoStillPausesAndContinues) {
    OpenPort();
    sys.SetSysLabel(0, "Bus 12");
    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::No);
    Trigger(ID_CLEAR_ALL);
    EXPECT_EQ(NewFrames(), (Frames{":E0\r", ":E0\r", ":I0\r", ":I0\r", ":E1\r", ":E1\r"}));
    EXPECT_EQ(sys.GetSysLabel(0), "Bus 12");
}

TEST_F(PortTest, UnacknowledgedClearIsReportedAndTheSystemIsStillCleared) {
    m_fnAnswer = CScriptedController::DefaultExcept({{":CA\r", "NO\r\n"}});
    OpenPort();
    sys.SetSysLabel(0, "Bus 12");
    m_shell.ExpectBox("ARE YOU SURE YOU WANT TO CLEAR THE ENTIRE SYSTEM?", EBoxAnswer::Yes);
    m_shell.ExpectBox("ERROR WHILE TRANSMITTING TO DVX CPU");
    Trigger(ID_CLEAR_ALL);
    EXPECT_NE(sys.GetSysLabel(0), "Bus 12");
    EXPECT_EQ(NewFrames().back(), ":E1\r");
}

TEST_F(PortTest, SaveAsSendsTheTenSystemLabelsWhenThePortIsOpen) {
    OpenPort();
    sys.SetSysLabel(0, "Coach 7");
    m_shell.AnswerFile(m_dir.File("fleet.dvx"));
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    Frames astrExpected{":E0\r", ":E0\r"};
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel)
        astrExpected.push_back(":U0" + std::to_string(nLabel) + sys.GetSysLabel(nLabel) + "\r");
    astrExpected.insert(astrExpected.end(), {":E1\r", ":E1\r"});
    EXPECT_EQ(NewFrames(), astrExpected);
    EXPECT_EQ(astrExpected[2], ":U00Coach 7\r");
    EXPECT_EQ(astrExpected[7], ":U05fleet\r");
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(PortTest, SaveAsWithThePortClosedSendsNothing) {
    m_shell.AnswerFile(m_dir.File("fleet.dvx"));
    Trigger(ID_FILE_SAVE_SYSTEM_AS);
    EXPECT_TRUE(NewFrames().empty());
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
}
