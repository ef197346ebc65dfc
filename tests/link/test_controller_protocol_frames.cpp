#include "link/LinkFixture.h"

#include <functional>
#include <limits>

namespace {

struct FrameCase {
    const char* szName;
    std::function<void(CSystem&)> fnPrepare;
    std::function<bool(CControllerProtocol&)> fnSend;
    std::vector<std::string> astrFrames;
};

void SelectChannel(CSystem& system, short nLoop, short nModule, short nChannel) {
    system.SetCurLoop(nLoop);
    system.SetCurModule(nModule);
    system.SetCurChannel(nChannel);
}

void NoPreparation(CSystem&) {}

const std::vector<FrameCase>& FrameCases() {
    static const std::vector<FrameCase> aCases = {
        {"QueryModuleLink",
         NoPreparation,
         [](CControllerProtocol& c) { return c.QueryModuleLink(); },
         {":I\r"}},
        {"StartModuleLink",
         NoPreparation,
         [](CControllerProtocol& c) { return c.StartModuleLink(); },
         {":I1\r"}},
        {"StopModuleLink",
         NoPreparation,
         [](CControllerProtocol& c) { return c.StopModuleLink(); },
         {":I0\r"}},
        {"ReadProcessorTime",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadProcessorTime(); },
         {":J\r"}},
        {"SendPause",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendPause(); },
         {":E0\r", ":E0\r"}},
        {"SendContinue",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendContinue(); },
         {":E1\r", ":E1\r"}},
        {"SendBoolProcessorOn",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendBoolProcessor(true); },
         {":P1\r"}},
        {"SendBoolProcessorOff",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendBoolProcessor(false); },
         {":P0\r"}},
        {"SendLoopMonitorOn",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendLoopMonitor(3, true); },
         {":L31\r"}},
        {"SendLoopMonitorOff",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendLoopMonitor(0, false); },
         {":L00\r"}},
        {"SendChannelState",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendChannelState(1, 1, 9, 1); },
         {":S0B31\r"}},
        {"ClearCpuMemory",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ClearCpuMemory(); },
         {":CA\r"}},
        {"ReadEquation",
         [](CSystem& s) { SelectChannel(s, 1, 2, 3); },
         [](CControllerProtocol& c) { return c.ReadEquation(); },
         {":B0B7\r"}},
        {"SendEquationOneTerm",
         [](CSystem& s) {
             SelectChannel(s, 0, 0, 5);
             s.SetOutput(true);
             s.SetTermA(0, 12);
         },
         [](CControllerProtocol& c) { return c.SendEquation(); },
         {":B005020000"
          "00C"
          "FFFFFFFFFFFFFFF"
          "3300\r"}},
        {"SendEquationEveryField",
         [](CSystem& s) {
             SelectChannel(s, 3, 15, 9);
             s.SetEquationNot(true);
             s.SetMomentaryLatch(true);
             s.SetPowerUpOn(true);
             s.SetGroupNotA(true);
             s.SetGroupNotB(true);
             s.SetTermNotA(2, true);
             s.SetTermNotB(0, true);
             s.SetTermPrA(1, true);
             s.SetTermPrB(2, true);
             s.SetCurEquationType(3);
             s.SetTermA(0, 959);
             s.SetTermB(2, 160);
         },
         [](CControllerProtocol& c) { return c.SendEquation(); },
         {":B27F9D3322"
          "3BF"
          "FFFFFF"
          "FFFFFF0A0"
          "3300\r"}},
        {"ReadSleepEnabled",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadSleepEnabled(); },
         {":XE\r"}},
        {"ReadSleepWakeUp",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadSleepWakeUp(); },
         {":XW\r"}},
        {"ReadSleepInactivity",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadSleepInactivity(); },
         {":XI\r"}},
        {"SendSleepEnabledOn",
         [](CSystem& s) { s.SetSleepEnabled(true); },
         [](CControllerProtocol& c) { return c.SendSleepEnabled(); },
         {":X1\r"}},
        {"SendSleepEnabledOff",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendSleepEnabled(); },
         {":X0\r"}},
        {"SendSleepWakeUp",
         [](CSystem& s) { s.SetSleepWakeUp(254); },
         [](CControllerProtocol& c) { return c.SendSleepWakeUp(); },
         {":XWFE\r"}},
        {"SendSleepInactivity",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendSleepInactivity(); },
         {":XI02\r"}},
        {"SendSleepWakeUpWide",
         [](CSystem& s) { s.SetSleepWakeUp(300); },
         [](CControllerProtocol& c) { return c.SendSleepWakeUp(); },
         {":XWFE\r"}},
        {"SendSleepInactivityNegative",
         [](CSystem& s) { s.SetSleepInactivity(-1); },
         [](CControllerProtocol& c) { return c.SendSleepInactivity(); },
         {":XI00\r"}},
        {"SendHiSpeedInputNone",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendHiSpeedInput(2); },
         {":HI02FF\r"}},
        {"SendHiSpeedOutput",
         [](CSystem& s) { s.SetHiSpeedOutput(3, 159); },
         [](CControllerProtocol& c) { return c.SendHiSpeedOutput(3); },
         {":HO039F\r"}},
        {"ReadHiSpeedInput",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadHiSpeedInput(1); },
         {":HI01\r"}},
        {"ReadHiSpeedOutput",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadHiSpeedOutput(0); },
         {":HO00\r"}},
        {"SendTimerReloadFast",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendTimerReload(0x15); },
         {":TR1564\r"}},
        {"SendTimerReloadSlow",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendTimerReload(9); },
         {":TR0901\r"}},
        // A count the controller cannot hold travels as the nearest it holds,
        // in the field's two digits.
        {"SendTimerReloadWide",
         [](CSystem& s) { s.SetTimerReload(0, 100.0f); },
         [](CControllerProtocol& c) { return c.SendTimerReload(0); },
         {":TR00FE\r"}},
        {"SendTimerReloadJustAboveFast",
         [](CSystem& s) { s.SetTimerReload(2, 25.6f); },
         [](CControllerProtocol& c) { return c.SendTimerReload(2); },
         {":TR02FE\r"}},
        {"SendTimerReloadNegative",
         [](CSystem& s) { s.SetTimerReload(1, -2.5f); },
         [](CControllerProtocol& c) { return c.SendTimerReload(1); },
         {":TR0100\r"}},
        {"SendTimerReloadMillion",
         [](CSystem& s) { s.SetTimerReload(1, 1e6f); },
         [](CControllerProtocol& c) { return c.SendTimerReload(1); },
         {":TR01FE\r"}},
        {"SendTimerCurrentNoNumber",
         [](CSystem& s) { s.SetTimerCurrent(5, std::numeric_limits<float>::quiet_NaN()); },
         [](CControllerProtocol& c) { return c.SendTimerCurrent(5); },
         {":T0500\r"}},
        {"SendTimerCurrent",
         [](CSystem& s) { s.SetTimerCurrent(159, 30.0f); },
         [](CControllerProtocol& c) { return c.SendTimerCurrent(159); },
         {":T9F03\r"}},
        {"ReadTimerReload",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadTimerReload(0x9F).has_value(); },
         {":TR9F\r"}},
        {"ReadTimerCurrent",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadTimerCurrent(0).has_value(); },
         {":T00\r"}},
        {"SendChannelLabel",
         [](CSystem& s) { SelectChannel(s, 5, 15, 9); },
         [](CControllerProtocol& c) { return c.SendChannelLabel(); },
         {":L3BFTmrRun_Chl_P10\r"}},
        {"SendModuleLabel",
         NoPreparation,
         [](CControllerProtocol& c) { return c.SendModuleLabel(1, 1); },
         {":O11Yellow_Modul_B\r"}},
        {"SendSysLabel",
         [](CSystem& s) { s.SetSysLabel(9, "BUS 12"); },
         [](CControllerProtocol& c) { return c.SendSysLabel(9); },
         {":U09BUS 12\r"}},
        // A label read from a file may run longer than its field; the frame
        // never does.
        {"SendModuleLabelLong",
         [](CSystem& s) { s.StoreModuleLabel(0, 0, std::string(300, 'M') + "TAIL"); },
         [](CControllerProtocol& c) { return c.SendModuleLabel(0, 0); },
         {":O00MMMMMMMMMMMMMMM\r"}},
        {"SendSysLabelLong",
         [](CSystem& s) { s.StoreSysLabel(4, "0123456789ABCDEF" + std::string(70000, 'S')); },
         [](CControllerProtocol& c) { return c.SendSysLabel(4); },
         {":U040123456789ABCDE\r"}},
        {"ReadChannelLabel",
         [](CSystem& s) { SelectChannel(s, 0, 0, 0); },
         [](CControllerProtocol& c) { return c.ReadChannelLabel(); },
         {":K000\r"}},
        {"ReadModuleLabel",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadModuleLabel(15, 5); },
         {":Q5F\r"}},
        {"ReadSysLabel",
         NoPreparation,
         [](CControllerProtocol& c) { return c.ReadSysLabel(7); },
         {":V07\r"}},
    };
    return aCases;
}

class FrameTextTest : public LinkTest, public ::testing::WithParamInterface<FrameCase> {};

} // namespace

TEST_P(FrameTextTest, WritesExactFrameAndEndsIdle) {
    const FrameCase& frameCase = GetParam();
    frameCase.fnPrepare(sys);
    EXPECT_TRUE(frameCase.fnSend(comm));
    EXPECT_EQ(TakeFrames(), frameCase.astrFrames);
    EXPECT_EQ(host.m_nStalls, 0);
    EXPECT_EQ(comm.GetUnreadCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(EveryFrame, FrameTextTest, ::testing::ValuesIn(FrameCases()),
                         [](const auto& info) { return std::string(info.param.szName); });

TEST_F(LinkTest, FrameGoesToViewerPortAndSendMarkThenIdle) {
    comm.StartModuleLink();
    EXPECT_EQ(host.m_astrOutbound, std::vector<std::string>{":I1\r"});
    EXPECT_EQ(host.m_astrStatus, (std::vector<std::string>{"-", "LINK IDLE"}));
    EXPECT_EQ(host.m_astrInbound, std::vector<std::string>{"\r"});
}

TEST_F(LinkTest, ClosedFlagDropsFramesAndIndicationsAndReadersReturnAtOnce) {
    comm.SetPortOpen(false);
    EXPECT_FALSE(comm.SendEquation());
    EXPECT_FALSE(comm.ReadSleepEnabled());
    EXPECT_TRUE(host.m_astrFrames.empty());
    EXPECT_TRUE(host.m_astrStatus.empty());
    EXPECT_EQ(host.m_nWaits, 0);
}

TEST_F(LinkTest, VanishedDeviceEndsWaitsLikeAClosedPort) {
    host.m_fnAnswer = [](const std::string&) { return std::string(); };
    host.m_fnOnStall = [] { ADD_FAILURE() << "waited on a device that is gone"; };
    host.m_bOpen = false;
    EXPECT_FALSE(comm.ClearCpuMemory());
    EXPECT_EQ(host.m_nWaits, 0);
}

TEST_F(LinkTest, LabelsTravelWithoutControlCharacters) {
    Select(0, 0, 0);
    sys.SetCurChannelLabel("A\rB\nC\tD\x7F");
    sys.SetModuleLabel(0, 0, std::string("M\0N", 3));
    sys.SetSysLabel(0, "S\x1BT");
    comm.SendChannelLabel();
    comm.SendModuleLabel(0, 0);
    comm.SendSysLabel(0);
    EXPECT_EQ(TakeFrames(),
              (std::vector<std::string>{":L000A B C D \r", ":O00M N\r", ":U00S T\r"}));
}

TEST_F(LinkTest, CountsSentAsTheNearestAreListedOnce) {
    sys.SetTimerReload(2, 25.6f);
    sys.SetTimerCurrent(159, 3000.0f);
    sys.SetSleepWakeUp(300);
    comm.CountFrames([this] { comm.SendTimerReload(2); });
    EXPECT_TRUE(comm.TakeNearest().empty()) << "a counting run sends nothing";
    comm.SendTimerReload(2);
    comm.SendTimerReload(3);
    comm.SendTimerCurrent(159);
    comm.SendSleepWakeUp();
    EXPECT_EQ(comm.TakeNearest(),
              (std::vector<std::string>{"Timer A3's reload 25.6 s was sent as 25.4 s",
                                        "Timer P10's current value 3000 s was sent as 2540 s",
                                        "Sleep mode's wake-up interval 300 s was sent as 254 s"}));
    EXPECT_TRUE(comm.TakeNearest().empty());
}

TEST_F(LinkTest, LabelKeepsItsWesternCharacters) {
    EXPECT_EQ(CControllerProtocol::FrameLabel("Gr\xFC"
                                              "n"),
              "Gr\xFC"
              "n");
}

TEST_F(LinkTest, AcknowledgementDecidesResult) {
    host.m_fnAnswer = [](const std::string&) { return std::string("NO\r\n"); };
    EXPECT_FALSE(comm.ClearCpuMemory());
    EXPECT_EQ(host.m_astrProgress, std::vector<std::string>{"Clearing DVX CPU memory ..."});
    host.m_fnAnswer = [](const std::string&) { return std::string("\r\nOK\r\n"); };
    EXPECT_TRUE(comm.SendSleepWakeUp());
}

// Whether a frame empties the ring first or not, text that was waiting
// before it went out is not its answer.
TEST_F(LinkTest, TextWaitingBeforeAFrameIsNotItsAnswerFlushedOrNot) {
    comm.OnReceive("1\r\n");
    comm.QueryModuleLink();
    EXPECT_FALSE(sys.IsLinkActive());
    EXPECT_EQ(comm.GetUnreadCount(), 0);

    comm.OnReceive("1\r\n");
    comm.ReadSleepEnabled();
    EXPECT_FALSE(sys.GetSleepEnabled());
}

TEST_F(LinkTest, ReadsStoreWhatTheAnswersCarry) {
    host.m_fnAnswer = [](const std::string& strFrame) -> std::string {
        if (strFrame == ":I\r")
            return "1\r\n";
        if (strFrame == ":J\r")
            return "1F\r\n";
        if (strFrame == ":XE\r")
            return "1\r\n";
        if (strFrame == ":XW\r")
            return "FE\r\n";
        if (strFrame == ":XI\r")
            return "0C\r\n";
        if (strFrame == ":HI00\r")
            return "9F\r\n";
        if (strFrame == ":HO00\r")
            return "FF\r\n";
        return "\r\n";
    };
    sys.SetHiSpeedOutput(0, 7);
    comm.QueryModuleLink();
    comm.ReadProcessorTime();
    comm.ReadSleepMode();
    comm.ReadHiSpeedInput(0);
    comm.ReadHiSpeedOutput(0);
    EXPECT_TRUE(sys.IsLinkActive());
    EXPECT_EQ(sys.GetBoolProcTime(), 31);
    EXPECT_TRUE(sys.GetSleepEnabled());
    EXPECT_EQ(sys.GetSleepWakeUp(), 254);
    EXPECT_EQ(sys.GetSleepInactivity(), 12);
    EXPECT_EQ(sys.GetHiSpeedInput(0), 159);
    EXPECT_EQ(sys.GetHiSpeedOutput(0), -1);
}

TEST_F(LinkTest, HiSpeedReadOutsideBlueLoopIsStoredAsNone) {
    for (const char* szAnswer : {"A0\r\n", "FE\r\n"}) {
        sys.SetHiSpeedInput(1, 5);
        host.m_fnAnswer = [szAnswer](const std::string&) { return std::string(szAnswer); };
        comm.ReadHiSpeedInput(1);
        EXPECT_EQ(sys.GetHiSpeedInput(1), -1) << szAnswer;
    }
}

TEST_F(LinkTest, MalformedHexAnswerLeavesFieldUnchanged) {
    host.m_fnAnswer = [](const std::string&) { return std::string("G1\r\n"); };
    comm.ReadSleepWakeUp();
    comm.ReadHiSpeedInput(0);
    EXPECT_FALSE(comm.ReadTimerReload(0).has_value());
    EXPECT_EQ(sys.GetSleepWakeUp(), 10);
    EXPECT_EQ(sys.GetHiSpeedInput(0), -1);
}

TEST_F(LinkTest, ReadEquationStoresEveryField) {
    Select(1, 2, 3);
    host.m_fnAnswer = [](const std::string&) {
        return std::string("FF"
                           "F3"
                           "3F"
                           "000"
                           "3BF"
                           "3C0"
                           "0A0"
                           "FFF"
                           "001"
                           "3300\r\n");
    };
    comm.ReadEquation();
    const CChannelRecord& record = sys.Channel(2, 3, 1);
    EXPECT_EQ(record.m_bEquationNot, 1);
    EXPECT_EQ(record.m_bOutput, 1);
    EXPECT_EQ(record.m_bPowerUpOn, 1);
    EXPECT_EQ(record.m_bMomentaryLatch, 1);
    EXPECT_EQ(record.m_bGroupNotA, 1);
    EXPECT_EQ(record.m_bGroupNotB, 1);
    EXPECT_EQ(record.m_nEquationType, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(record.m_abTermNotA[i], 1);
        EXPECT_EQ(record.m_abTermNotB[i], 1);
        EXPECT_EQ(record.m_abTermPrA[i], 1);
        EXPECT_EQ(record.m_abTermPrB[i], 1);
    }
    EXPECT_EQ(record.m_anTermA[0], 0);
    EXPECT_EQ(record.m_anTermA[1], 959);
    EXPECT_EQ(record.m_anTermA[2], -1);
    EXPECT_EQ(record.m_anTermB[0], 160);
    EXPECT_EQ(record.m_anTermB[1], -1);
    EXPECT_EQ(record.m_anTermB[2], 1);
}

TEST_F(LinkTest, ReadEquationCutShortByClosingLeavesEquation) {
    Select(0, 0, 0);
    sys.SetTermA(0, 42);
    host.m_fnAnswer = [](const std::string&) { return std::string("0000"); };
    comm.ReadEquation();
    EXPECT_EQ(host.m_nStalls, 1);
    EXPECT_EQ(sys.GetTermA(0), 42);
}

TEST_F(LinkTest, SentEquationReadsBackUnchanged) {
    Select(2, 7, 4);
    sys.SetGroupNotB(true);
    sys.SetTermNotA(1, true);
    sys.SetTermPrB(0, true);
    sys.SetTermA(1, 333);
    sys.SetTermB(0, 900);
    sys.SetCurEquationType(2);
    std::string strFrame = CControllerProtocol::EquationFrame(sys);
    CChannelRecord original = sys.CurRecord();
    sys.ClearCurEquation();
    sys.SetCurEquationType(0);
    host.m_fnAnswer = [strFrame](const std::string&) { return strFrame.substr(5) + "\n"; };
    comm.ReadEquation();
    const CChannelRecord& record = sys.CurRecord();
    EXPECT_EQ(record.m_bGroupNotB, original.m_bGroupNotB);
    EXPECT_EQ(record.m_abTermNotA[1], 1);
    EXPECT_EQ(record.m_abTermPrB[0], 1);
    EXPECT_EQ(record.m_anTermA[1], 333);
    EXPECT_EQ(record.m_anTermB[0], 900);
    EXPECT_EQ(record.m_nEquationType, 2);
}

TEST_F(LinkTest, LabelReadsGoThroughTheSetters) {
    host.m_fnAnswer = [](const std::string& strFrame) -> std::string {
        if (strFrame == ":K000\r")
            return "\r\n";
        if (strFrame == ":Q11\r")
            return "A MODULE LABEL THAT IS LONG\r\n";
        return "  BUS 12  \r\n";
    };
    Select(0, 0, 0);
    sys.SetCurChannelLabel("custom");
    EXPECT_TRUE(comm.ReadChannelLabel());
    EXPECT_FALSE(comm.ReadModuleLabel(1, 1)) << "longer than a label";
    EXPECT_TRUE(comm.ReadSysLabel(5));
    EXPECT_EQ(sys.GetCurChannelLabel(), "Blue_Chl_A1");
    EXPECT_EQ(sys.GetModuleLabel(1, 1), CSystem::DefaultModuleLabel(1, 1));
    EXPECT_EQ(sys.GetSysLabel(5), "BUS 12");
    EXPECT_EQ(sys.GetFilePath(), "BUS 12.DVX");
}

TEST_F(LinkTest, LinkSuspensionSendsItsFramesThroughTheLink) {
    sys.SetLinkActive(true);
    sys.SuspendLink();
    sys.SetLinkActive(false);
    sys.ResumeLink();
    EXPECT_TRUE(sys.IsLinkActive());
    EXPECT_EQ(TakeFrames(), (std::vector<std::string>{":I0\r", ":I1\r"}));
    host.m_bOpen = false;
    sys.SuspendLink();
    EXPECT_TRUE(TakeFrames().empty());
}
