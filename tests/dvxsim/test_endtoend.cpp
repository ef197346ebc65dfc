#include "controls/SerialControl.h"
#include "link/ControllerProtocol.h"
#include "link/SerialLinkHost.h"
#include "link/SimOnPort.h"
#include "model/SystemFixture.h"

#include <QTest>

#include <vector>

namespace {

constexpr short kTimerLoop = 3;
constexpr short kModuleC = 2;

// What one module of the system holds that travels to the controller.
struct ModuleContent {
    std::vector<std::string> astrEquationFrames;
    std::vector<std::string> astrChannelLabels;
    std::string strModuleLabel;
    std::vector<float> afReload;
    std::vector<float> afCurrent;
};

// Corvel's protocol object on the serial control, port 1 pointed at dvxsim.
class DvxSimEndToEnd : public SystemTest {
protected:
    explicit DvxSimEndToEnd(std::vector<std::string> astrArgs = {})
        : sim(m_dir, std::move(astrArgs)) {}

    // As the open command does it.
    bool Open() {
        comm.SetPortOpen(true);
        return OpenPortOne(port);
    }

    ModuleContent Content(short nLoop, short nModule) {
        ModuleContent content;
        sys.SetCurLoop(nLoop);
        sys.SetCurModule(nModule);
        for (short nChannel = 0; nChannel < 10; ++nChannel) {
            sys.SetCurChannel(nChannel);
            content.astrEquationFrames.push_back(CControllerProtocol::EquationFrame(sys));
            content.astrChannelLabels.push_back(sys.GetChannelLabel(nModule, nChannel, nLoop));
            content.afReload.push_back(sys.GetTimerReload(nModule * 10 + nChannel));
            content.afCurrent.push_back(sys.GetTimerCurrent(nModule * 10 + nChannel));
        }
        content.strModuleLabel = sys.GetModuleLabel(nModule, nLoop);
        sys.SetCurChannel(0);
        return content;
    }

    // A module of the TIMER loop with equations using every field, custom
    // labels (one with a Windows-1252 letter) and timers of both kinds.
    void FillTimerModule() {
        Select(kTimerLoop, kModuleC, 0);
        sys.SetOutput(true);
        sys.SetTermA(0, 0);
        Select(kTimerLoop, kModuleC, 1);
        sys.SetEquationNot(true);
        sys.SetPowerUpOn(true);
        sys.SetMomentaryLatch(true);
        sys.SetGroupNotA(true);
        sys.SetGroupNotB(true);
        const short anSources[] = {5, 175, 959, 320, 640, 800};
        for (short i = 0; i < 3; ++i) {
            sys.SetTermA(i, anSources[i]);
            sys.SetTermB(i, anSources[i + 3]);
            sys.SetTermNotA(i, i != 1);
            sys.SetTermNotB(i, i == 1);
            sys.SetTermPrA(i, i == 0);
            sys.SetTermPrB(i, i != 0);
        }
        sys.SetCurEquationType(3);
        Select(kTimerLoop, kModuleC, 2);
        sys.SetMomentaryLatch(true);
        sys.SetCurEquationType(2);
        for (short nChannel = 0; nChannel < 10; ++nChannel) {
            sys.SetChannelLabelInCurModule(nChannel, "Lamp " + std::to_string(nChannel + 1));
            const short nTimer = kModuleC * 10 + nChannel;
            const bool bFast = CSystem::IsFastTimer(nTimer);
            sys.SetTimerReloadFromCount(nTimer, static_cast<short>(bFast ? 254 - nChannel : 3));
            sys.SetTimerCurrentFromCount(nTimer, static_cast<short>(nChannel * 7));
        }
        sys.SetChannelLabelInCurModule(9, "K\xFChler");
        sys.SetModuleLabel(kModuleC, kTimerLoop, "Cab timers");
    }

    CSimOnPort sim;
    CSerialControl port;
    CControllerProtocol comm{sys, m_shell};
    CSerialLinkHost host{port, comm};
};

void ExpectSame(const ModuleContent& read, const ModuleContent& sent) {
    for (std::size_t i = 0; i < 10; ++i) {
        EXPECT_EQ(read.astrEquationFrames[i], sent.astrEquationFrames[i]) << "channel " << i;
        EXPECT_EQ(read.astrChannelLabels[i], sent.astrChannelLabels[i]) << "channel " << i;
        EXPECT_FLOAT_EQ(read.afReload[i], sent.afReload[i]) << "timer " << i;
        EXPECT_FLOAT_EQ(read.afCurrent[i], sent.afCurrent[i]) << "timer " << i;
    }
    EXPECT_EQ(read.strModuleLabel, sent.strModuleLabel);
}

class DvxSimRefusingLabels : public DvxSimEndToEnd {
protected:
    DvxSimRefusingLabels() : DvxSimEndToEnd({"--refuse", ":L0*"}) {}
};

} // namespace

TEST_F(DvxSimEndToEnd, AModulesEquationsLabelsAndTimersComeBackUnchanged) {
    ASSERT_TRUE(sim.IsStarted());
    ASSERT_TRUE(Open()) << port.ErrorString().toStdString();
    FillTimerModule();
    const ModuleContent sent = Content(kTimerLoop, kModuleC);

    // The module's own equations would start its timers on a running
    // processor; a transfer of timers is compared with the processor off.
    EXPECT_TRUE(comm.SendBoolProcessor(false));
    EXPECT_TRUE(comm.SendPause());
    EXPECT_TRUE(comm.SendModuleEquations());
    EXPECT_TRUE(comm.SendModuleChannelLabels());
    EXPECT_TRUE(comm.SendModuleLabel(kModuleC, kTimerLoop));
    EXPECT_TRUE(comm.SendModuleTimers());

    // The controller's side holds what was sent.
    EXPECT_EQ(sim.Console("equation 3 C 2"),
              "Lamp 2: " + sys.GetEquationText(kModuleC, 1, kTimerLoop));
    EXPECT_EQ(sim.ReadOutputLine(), "  output off, on at power up on, latch on, state off");

    sys.ResetToDefaults();
    ASSERT_NE(Content(kTimerLoop, kModuleC).strModuleLabel, sent.strModuleLabel);
    EXPECT_TRUE(comm.ReadModuleEquations());
    EXPECT_TRUE(comm.ReadModuleChannelLabels());
    EXPECT_TRUE(comm.ReadModuleLabel(kModuleC, kTimerLoop));
    EXPECT_TRUE(comm.ReadModuleTimers());
    EXPECT_TRUE(comm.SendContinue());
    ExpectSame(Content(kTimerLoop, kModuleC), sent);
}

TEST_F(DvxSimEndToEnd, StatusLinesBringTheVehiclesStatesToTheSystem) {
    ASSERT_TRUE(sim.IsStarted());
    ASSERT_TRUE(Open());
    EXPECT_TRUE(comm.SendLoopMonitor(1, true));
    EXPECT_EQ(sim.Console("set yellow B 3 1"), "ok Yellow_Chl_B3 1");
    EXPECT_TRUE(QTest::qWaitFor([this] { return sys.GetChannelStateAt(1, 2, 1) == 1; }));
    EXPECT_TRUE(comm.SendChannelState(1, 1, 2, 0));
    EXPECT_TRUE(QTest::qWaitFor([this] { return sys.GetChannelStateAt(1, 2, 1) == 0; }));
    EXPECT_EQ(sim.Console("loop 1").substr(0, 21), "loop 1 A:0000000000 B");
}

TEST_F(DvxSimRefusingLabels, ARefusedFrameFailsItsOperation) {
    ASSERT_TRUE(sim.IsStarted());
    ASSERT_TRUE(Open());
    Select(0, 0, 0);
    EXPECT_FALSE(comm.SendModuleChannelLabels());
    EXPECT_TRUE(comm.SendModuleLabel(0, 0));
}
