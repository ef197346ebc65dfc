#include "controls/LampColumn.h"
#include "controls/SerialControl.h"
#include "diagnostics/LampClicks.h"
#include "diagnostics/LoopStatusController.h"
#include "link/CompareCommand.h"
#include "link/LinkedFrameFixture.h"
#include "link/SimulatedCpu.h"
#include "link/WaitIndicator.h"
#include "shell/PortPane.h"
#include "support/ScopedEnvironment.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using Frames = CSimOnPort::Frames;

const short kBlue = 0;
const short kVirtual = 2;
const short kTimer = 3;
const short kTimerDone = 4;
const int kWaitMs = 5000;

// Whether a process of that id still exists.
bool ProcessExists(qint64 nPid) { return nPid > 0 && kill(static_cast<pid_t>(nPid), 0) == 0; }

// The main window on its serial control, as the program has it, with the
// dvxsim of the build found through CORVEL_DVXSIM; forced states reach the
// window as the program's shell sends them.
class SimulationEndToEnd : public LinkedFrameTest {
protected:
    SimulationEndToEnd() {
        frame.UseSerialControl();
        m_shell.m_fnSendChannelState = [this](short nLoop, short nModule, short nChannel,
                                              int nState) {
            frame.SendForcedChannelState(nLoop, nModule, nChannel, nState);
        };
    }
    ~SimulationEndToEnd() override {
        if (m_pFrame && frame.IsPortOpen())
            Trigger(ID_PORT_OPEN);
    }

    // Checks the simulation item, answering the load question.
    bool StartSimulation(EBoxAnswer load) {
        m_shell.ExpectBox(CMainFrame::kLoadSimulationText, load);
        if (load == EBoxAnswer::Yes)
            m_shell.ExpectBox("UPLOAD SUCCESSFUL");
        Trigger(ID_SIMULATE_CPU);
        return frame.IsSimulating() && frame.IsPortOpen();
    }

    // What a running simulator leaves behind unless it is cleaned up.
    struct Traces {
        qint64 nPid;
        std::string strLink;
        std::string strFolder;
    };
    Traces TracesOfSimulator() const {
        const CSimulatedCpu& simulation = frame.Simulation();
        return {simulation.ProcessId(), simulation.LinkPath().toStdString(),
                simulation.FolderPath().toStdString()};
    }
    static void ExpectNothingLeft(const Traces& traces) {
        EXPECT_FALSE(ProcessExists(traces.nPid));
        std::error_code error;
        EXPECT_FALSE(
            std::filesystem::exists(std::filesystem::symlink_status(traces.strLink, error)));
        EXPECT_FALSE(std::filesystem::exists(traces.strFolder, error));
    }
    void ExpectStopped() {
        EXPECT_FALSE(frame.IsSimulating());
        EXPECT_FALSE(frame.IsPortOpen());
        EXPECT_FALSE(frame.Action(ID_SIMULATE_CPU)->isChecked());
        EXPECT_FALSE(frame.windowTitle().endsWith(CMainFrame::kSimulationTitleText));
        EXPECT_EQ(frame.PortPane().text(), CPortPane::Text(1, CPortPane::EState::Closed));
    }

    // Blue A2 follows Blue A1 through Virtual A1 and timer 0 (TIMER A1),
    // which runs half a second; Blue A1 is an input.
    void MakeDelayedFollower() {
        struct Link {
            short nLoop;
            short nFromLoop;
        };
        for (const Link& link : {Link{kVirtual, kBlue}, Link{kTimer, kVirtual}}) {
            Select(link.nLoop, 0, 0);
            sys.SetTermA(0, CSystem::MakeIndex(link.nFromLoop, 0, 0));
        }
        Select(kBlue, 0, 1);
        sys.SetTermA(0, CSystem::MakeIndex(kTimerDone, 0, 0));
        sys.SetOutput(true);
        sys.SetTimerReloadFromCount(0, 5);
        Select(kBlue, 0, 0);
    }

    // A shell script standing in for dvxsim.
    std::string WriteProgram(const std::string& strName, const std::string& strBody) const {
        const std::string strPath = m_dir.File(strName);
        std::ofstream(strPath) << "#!/bin/sh\n" << strBody;
        std::filesystem::permissions(strPath, std::filesystem::perms::owner_all);
        return strPath;
    }

    CScopedEnvironment m_program{CSimulatedCpu::kProgramVariable, DVXSIM_PATH};
};

} // namespace

TEST_F(SimulationEndToEnd, ALoadedSystemFollowsAnInputSwitchedInTheLoopStatusController) {
    MakeDelayedFollower();
    ASSERT_TRUE(StartSimulation(EBoxAnswer::Yes));
    EXPECT_TRUE(frame.Action(ID_SIMULATE_CPU)->isChecked());
    EXPECT_EQ(frame.windowTitle(), "CorvelII 6.63 [  ] - SIMULATION");
    EXPECT_EQ(frame.PortPane().text(), "simulated DVX CPU open");
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    Trigger(ID_START_DVX_LINK);
    EXPECT_EQ(frame.PortPane().text(), "simulated DVX CPU open, link running");
    Trigger(ID_STOP_DVX_LINK);
    m_shell.ExpectBox(CCompareCommand::kSameSystemText);
    Trigger(ID_COMPARE_WITH_CPU);

    CLoopStatusController monitor(sys, frame, &frame);
    monitor.show();
    const CLampColumn& blueA = monitor.Column(0);
    QElapsedTimer clock;
    clock.start();
    DoubleClickLamp(monitor.Column(0), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return (blueA.GetValue() & 1) != 0; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([&] { return blueA.GetValue() == 0b11; }, kWaitMs));
    // The timer cannot have run out before half a second.
    EXPECT_GE(clock.elapsed(), 400);
    monitor.accept();
    EXPECT_EQ(m_shell.m_aBoxes.size(), 3u);

    const Traces traces = TracesOfSimulator();
    Trigger(ID_SIMULATE_CPU);
    ExpectStopped();
    ExpectNothingLeft(traces);
}

// Closing the port in any way stops the simulator and cleans up after it,
// and a later Open Port uses the configured port again. Unchecking the item
// gives back the vehicle's port that was open when the simulation started.
// Exit is not refused while only the simulation runs.
TEST_F(SimulationEndToEnd, ClosingThePortStopsTheSimulatorAndGivesThePortBack) {
    const struct {
        const char* szHow;
        std::function<void()> fnStop;
        bool bReopened;
    } aCases[] = {
        {"unchecking the item", [this] { Trigger(ID_SIMULATE_CPU); }, true},
        {"Close Port", [this] { Trigger(ID_PORT_OPEN); }, false},
        {"Stop in the wait indicator",
         [this] {
             frame.StartWaitIndicator("Please wait");
             frame.WaitIndicator()->StopButton().click();
             frame.CloseWaitIndicator();
         },
         false},
    };
    for (const auto& aCase : aCases) {
        SCOPED_TRACE(aCase.szHow);
        std::filesystem::remove(m_dir.File("dvxsim.log"));
        CSimOnPort vehicle(m_dir);
        ASSERT_TRUE(vehicle.IsStarted());
        Trigger(ID_PORT_OPEN);
        EXPECT_EQ(vehicle.Received(), (Frames{":I\r", ":I\r"}));

        ASSERT_TRUE(StartSimulation(EBoxAnswer::No));
        EXPECT_TRUE(vehicle.Received().empty());
        EXPECT_EQ(frame.Action(ID_PORT_OPEN)->text(), "Close &Port");
        const Traces traces = TracesOfSimulator();
        EXPECT_TRUE(ProcessExists(traces.nPid));
        EXPECT_TRUE(std::filesystem::is_symlink(traces.strLink));
        m_shell.ExpectBox("Are you sure you wish to close the entire Corvel application?",
                          EBoxAnswer::No);
        frame.close();
        EXPECT_TRUE(frame.IsSimulating());

        aCase.fnStop();
        ExpectNothingLeft(traces);
        if (!aCase.bReopened) {
            ExpectStopped();
            Trigger(ID_PORT_OPEN);
        }
        EXPECT_FALSE(frame.IsSimulating());
        EXPECT_EQ(vehicle.Received(), (Frames{":I\r", ":I\r"}));
        EXPECT_EQ(frame.PortPane().text(), CPortPane::Text(1, CPortPane::EState::Open));
        Trigger(ID_PORT_OPEN);
    }
    EXPECT_EQ(m_shell.m_aBoxes.size(), 2 * std::size(aCases));
}

// Exit stops the simulation itself, and leaves nothing of it behind.
TEST_F(SimulationEndToEnd, ExitStopsTheSimulation) {
    ASSERT_TRUE(StartSimulation(EBoxAnswer::No));
    const Traces traces = TracesOfSimulator();
    m_shell.ExpectBox("Are you sure you wish to close the entire Corvel application?",
                      EBoxAnswer::Yes);
    EXPECT_TRUE(frame.close());
    EXPECT_FALSE(frame.IsSimulating());
    EXPECT_FALSE(frame.IsPortOpen());
    ExpectNothingLeft(traces);
}

// A simulator that does not name its terminal is waited for under the wait
// indicator, the window staying live; its Stop (Alt+S) ends the start, with
// no message and nothing left.
TEST_F(SimulationEndToEnd, AStartThatHangsIsWaitedForUnderTheIndicatorAndStopEndsIt) {
    const CScopedEnvironment program(CSimulatedCpu::kProgramVariable,
                                     WriteProgram("hanging-dvxsim", "exec sleep 60\n"));
    QString strText;
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [this, &poll, &strText] {
        CWaitIndicator* pWait = frame.WaitIndicator();
        if (!pWait)
            return;
        poll.stop();
        strText = pWait->TextLine().text();
        pWait->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(pWait));
        QTest::keyClick(pWait, Qt::Key_S, Qt::AltModifier);
    });
    poll.start();
    Trigger(ID_SIMULATE_CPU);
    EXPECT_EQ(strText.toStdString(), CMainFrame::kStartingSimulationText);
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
    ExpectStopped();
}

TEST_F(SimulationEndToEnd, TheMainWindowGoingStopsARunningSimulator) {
    ASSERT_TRUE(StartSimulation(EBoxAnswer::No));
    const Traces traces = TracesOfSimulator();
    m_pFrame.reset();
    ExpectNothingLeft(traces);
    EXPECT_FALSE(comm.GetPortOpen());
}

// A simulator that is missing or fails is reported once, and nothing runs.
TEST_F(SimulationEndToEnd, AMissingOrFailingSimulatorIsReportedOnce) {
    const std::string strNamed = m_dir.File("no-such-dvxsim");
    const std::string strFailing =
        WriteProgram("failing-dvxsim", "echo 'dvxsim: cannot open a pseudo-terminal' >&2\n"
                                       "exit 1\n");
    const std::string strSilent = WriteProgram("silent-dvxsim", "exit 0\n");
    const struct {
        const char* szHow;
        std::optional<std::string> strVariable;
        std::string strBox;
    } aCases[] = {
        {"named but missing", strNamed, CSimulatedCpu::kVariableWrongText + strNamed},
        {"nowhere", std::nullopt, CSimulatedCpu::kNotFoundText},
        {"failing", strFailing,
         std::string(CSimulatedCpu::kNotStartedText) + "dvxsim: cannot open a pseudo-terminal"},
        {"ending at once", strSilent,
         std::string(CSimulatedCpu::kNotStartedText) +
             "it ended without naming its terminal (exit status 0)."},
    };
    // An empty folder as the PATH: no dvxsim on it.
    const CScopedEnvironment path("PATH", m_dir.Str());
    for (const auto& aCase : aCases) {
        SCOPED_TRACE(aCase.szHow);
        const CScopedEnvironment program(CSimulatedCpu::kProgramVariable, aCase.strVariable);
        m_shell.m_aBoxes.clear();
        m_shell.ExpectBox(aCase.strBox);
        Trigger(ID_SIMULATE_CPU);
        EXPECT_EQ(m_shell.m_aBoxes.size(), 1u);
        ExpectStopped();
    }
}

// dvxsim gone by itself (a crash, a kill): both the process ending and the
// line going away are heard, and the technician is told once.
TEST_F(SimulationEndToEnd, AKilledSimulatorIsReportedOnceAndTheItemUnchecked) {
    ASSERT_TRUE(StartSimulation(EBoxAnswer::No));
    const Traces traces = TracesOfSimulator();
    m_shell.m_aBoxes.clear();
    m_shell.AnswerBox(EBoxAnswer::Ok);
    ASSERT_EQ(kill(static_cast<pid_t>(traces.nPid), SIGKILL), 0);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !m_shell.m_aBoxes.empty(); }, kWaitMs));
    EXPECT_FALSE(QTest::qWaitFor([this] { return m_shell.m_aBoxes.size() > 1; },
                                 4 * CSerialControl::kErrorPollMs));
    ASSERT_EQ(m_shell.m_aBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_aBoxes[0].strText, std::string(CMainFrame::kSimulationLostText) + "\n" +
                                               CSerialControl::kDisconnectedText);
    EXPECT_FALSE(comm.GetPortOpen());
    ExpectStopped();
    ExpectNothingLeft(traces);
}

// A folder left by a Corvel that has ended is removed; one of this Corvel,
// one of a Corvel still running and one that names no Corvel stay.
TEST(SimulationFolders, OnlyFoldersOfEndedRunsAreRemoved) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const pid_t nEnded = fork();
    if (nEnded == 0)
        _exit(0);
    waitpid(nEnded, nullptr, 0);
    const QString strPrefix = CSimulatedCpu::kFolderPrefix;
    const QString strEnded = strPrefix + QString::number(nEnded) + "-a1B2c3";
    const QStringList astrKept = {strPrefix + QString::number(QCoreApplication::applicationPid()) +
                                      "-d4E5f6",
                                  strPrefix + "1-g7H8i9", strPrefix + "XyZ123", "other-folder"};
    QDir dir(temp.path());
    const QStringList astrAll = QStringList(astrKept) << strEnded;
    for (const QString& strName : astrAll)
        ASSERT_TRUE(dir.mkpath(strName + "/inside"));
    EXPECT_EQ(CSimulatedCpu::RemoveStaleFolders(dir), 1);
    EXPECT_FALSE(dir.exists(strEnded));
    for (const QString& strName : astrKept)
        EXPECT_TRUE(dir.exists(strName)) << strName.toStdString();
}
