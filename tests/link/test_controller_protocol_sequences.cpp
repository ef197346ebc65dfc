#include "link/LinkFixture.h"

#include <algorithm>

namespace {

long CountStartingWith(const std::vector<std::string>& astrFrames, const std::string& strStart) {
    return std::count_if(astrFrames.begin(), astrFrames.end(),
                         [&](const std::string& s) { return s.rfind(strStart, 0) == 0; });
}

// Answers "NO" to the frames that start with strFailing, as the default
// controller otherwise.
std::function<std::string(const std::string&)> FailOn(const std::string& strFailing) {
    return [strFailing](const std::string& strFrame) {
        if (strFrame.rfind(strFailing, 0) == 0)
            return std::string("NO\r\n");
        return CScriptedController::DefaultAnswer(strFrame);
    };
}

} // namespace

TEST_F(LinkTest, SendAllModuleLabelsFailureEndsOnlyThatLoop) {
    host.m_fnAnswer = FailOn(":O13");
    EXPECT_FALSE(comm.SendAllModuleLabels());
    std::vector<std::string> astrFrames = TakeFrames();
    EXPECT_EQ(astrFrames.size(), 16u + 4u + 4u * 16u);
    EXPECT_EQ(CountStartingWith(astrFrames, ":O1"), 4);
    auto itFailed = std::find(astrFrames.begin(), astrFrames.end(), ":O13Yellow_Modul_D\r");
    ASSERT_NE(itFailed, astrFrames.end());
    EXPECT_EQ(*(itFailed + 1), ":O20Virtual_Modul_A\r");
    EXPECT_EQ(host.m_astrProgress,
              std::vector<std::string>{"Transmitting module labels to DVX CPU..."});
    EXPECT_EQ(host.m_astrStatus.back(), "LINK IDLE");
}

TEST_F(LinkTest, SendSleepModeStopsAtTheFirstRefusal) {
    sys.SetSleepEnabled(true);
    host.m_fnAnswer = FailOn(":X1");
    EXPECT_FALSE(comm.SendSleepMode());
    EXPECT_EQ(TakeFrames(), std::vector<std::string>{":X1\r"});

    host.m_fnAnswer = CScriptedController::DefaultAnswer;
    EXPECT_TRUE(comm.SendSleepMode());
    EXPECT_EQ(TakeFrames(), (std::vector<std::string>{":X1\r", ":XW0A\r", ":XI02\r"}));
}

TEST_F(LinkTest, SendAllTimersSendsReloadThenCurrentAndStopsOnARefusedReload) {
    EXPECT_TRUE(comm.SendAllTimers());
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 320u);
    EXPECT_EQ(astrFrames[0], ":TR0064\r");
    EXPECT_EQ(astrFrames[1], ":T0000\r");
    EXPECT_EQ(astrFrames[319], ":T9F00\r");

    host.m_fnAnswer = FailOn(":TR05");
    EXPECT_FALSE(comm.SendAllTimers());
    astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 11u);
    EXPECT_EQ(astrFrames.back(), ":TR0564\r");
}

TEST_F(LinkTest, ModuleTimersAreTheTenOfTheCurrentModule) {
    Select(0, 2, 0);
    comm.SendModuleTimers();
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 20u);
    EXPECT_EQ(astrFrames.front(), ":TR1464\r");
    EXPECT_EQ(astrFrames.back(), ":T1D00\r");
    comm.ReadModuleTimers();
    EXPECT_EQ(TakeFrames().front(), ":TR14\r");
}

TEST_F(LinkTest, ReadAllTimersStoresEachCountInItsUnit) {
    host.m_fnAnswer = [](const std::string& strFrame) {
        return std::string(strFrame.rfind(":TR", 0) == 0 ? "07\r\n" : "03\r\n");
    };
    EXPECT_TRUE(comm.ReadAllTimers());
    EXPECT_EQ(TakeFrames().size(), 320u);
    EXPECT_FLOAT_EQ(sys.GetTimerReload(0), 0.7f);
    EXPECT_FLOAT_EQ(sys.GetTimerCurrent(0), 0.3f);
    EXPECT_FLOAT_EQ(sys.GetTimerReload(159), 70.0f);
    EXPECT_FLOAT_EQ(sys.GetTimerCurrent(159), 30.0f);
}

TEST_F(LinkTest, HiSpeedPairsInputThenOutputPerPair) {
    sys.SetHiSpeedInput(0, 1);
    sys.SetHiSpeedOutput(0, 2);
    EXPECT_TRUE(comm.SendHiSpeedPairs());
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 8u);
    EXPECT_EQ(astrFrames[0], ":HI0001\r");
    EXPECT_EQ(astrFrames[1], ":HO0002\r");
    EXPECT_EQ(astrFrames[4], ":HI02FF\r");

    EXPECT_TRUE(comm.ReadHiSpeedPairs());
    EXPECT_EQ(TakeFrames()[7], ":HO03\r");
    EXPECT_EQ(sys.GetHiSpeedInput(0), -1);
}

TEST_F(LinkTest, SendAllLabelsSendsCustomChannelThenCustomModuleThenSystemLabels) {
    sys.StoreChannelLabel(2, 3, 1, "DOOR");
    sys.SetModuleLabel(4, 5, "REAR");
    Select(2, 9, 8);
    EXPECT_TRUE(comm.SendAllLabels());
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 12u);
    EXPECT_EQ(astrFrames[0], ":L0B7DOOR\r");
    EXPECT_EQ(astrFrames[1], ":O54REAR\r");
    EXPECT_EQ(astrFrames[2], ":U00SysLabel_0\r");
    EXPECT_EQ(astrFrames[11], ":U09SysLabel_9\r");
    EXPECT_EQ(host.m_astrProgress,
              (std::vector<std::string>{"Transmitting channel labels to DVX CPU ...",
                                        "Transmitting module labels to DVX CPU...",
                                        "Transmitting system labels to DVX CPU ..."}));
    EXPECT_EQ(sys.GetCurLoop(), 2);
    EXPECT_EQ(sys.GetCurModule(), 9);
    EXPECT_EQ(sys.GetCurChannel(), 8);
}

TEST_F(LinkTest, SendAllLabelsFailureEndsThatLoopAndSkipsModuleAndSystemLabels) {
    sys.StoreChannelLabel(0, 0, 0, "FIRST");
    sys.StoreChannelLabel(1, 0, 0, "SKIPPED");
    sys.StoreChannelLabel(0, 0, 1, "NEXT LOOP");
    sys.SetModuleLabel(0, 0, "NOT SENT");
    host.m_fnAnswer = FailOn(":L000");
    EXPECT_FALSE(comm.SendAllLabels());
    EXPECT_EQ(TakeFrames(), (std::vector<std::string>{":L000FIRST\r", ":L0A0NEXT LOOP\r"}));
}

TEST_F(LinkTest, ReadSysLabelsFlushesOnceAndShowsEachLabel) {
    comm.OnReceive("STALE\r\n");
    host.m_fnAnswer = [](const std::string& strFrame) { return strFrame.substr(1, 3) + "\r\n"; };
    EXPECT_TRUE(comm.ReadSysLabels());
    EXPECT_EQ(sys.GetSysLabel(0), "V00");
    EXPECT_EQ(sys.GetSysLabel(9), "V09");
    EXPECT_EQ(CountStartingWith(host.m_astrStatus, "RECEIVING system label "), 10);
    EXPECT_NE(
        std::find(host.m_astrStatus.begin(), host.m_astrStatus.end(), "RECEIVING system label 9"),
        host.m_astrStatus.end());
}

TEST_F(LinkTest, ReadAllLabelsReadsEveryLabelAndRestoresTheSelection) {
    Select(4, 11, 6);
    host.m_fnAnswer = [](const std::string& strFrame) { return strFrame.substr(1, 4) + "\r\n"; };
    EXPECT_TRUE(comm.ReadAllLabels());
    std::vector<std::string> astrFrames = TakeFrames();
    EXPECT_EQ(CountStartingWith(astrFrames, ":K"), 960);
    EXPECT_EQ(CountStartingWith(astrFrames, ":Q"), 96);
    EXPECT_EQ(CountStartingWith(astrFrames, ":V"), 10);
    EXPECT_EQ(sys.GetChannelLabel(15, 9, 5), "K3BF");
    EXPECT_EQ(sys.GetModuleLabel(15, 5), "Q5F");
    EXPECT_EQ(sys.GetCurLoop(), 4);
    EXPECT_EQ(sys.GetCurModule(), 11);
    EXPECT_EQ(sys.GetCurChannel(), 6);
}

TEST_F(LinkTest, SendAllEquationsSendsDefinedEquationsOfLoopsZeroToThree) {
    sys.Channel(3, 4, 0).m_anTermA[0] = 1;
    sys.Channel(0, 0, 3).m_bMomentaryLatch = 1;
    sys.Channel(0, 0, 4).m_anTermA[0] = 1;
    sys.Channel(1, 1, 1).m_bOutput = 1;
    Select(5, 1, 2);
    EXPECT_TRUE(comm.SendAllEquations());
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 2u);
    EXPECT_EQ(astrFrames[0].substr(0, 5), ":B022");
    EXPECT_EQ(astrFrames[1].substr(0, 5), ":B1E0");
    EXPECT_EQ(host.m_astrProgress,
              std::vector<std::string>{"Transmitting Booleans to DVX CPU ..."});
    EXPECT_EQ(sys.GetCurLoop(), 5);
    EXPECT_EQ(sys.GetCurModule(), 1);
    EXPECT_EQ(sys.GetCurChannel(), 2);
}

TEST_F(LinkTest, SendAllEquationsFailureEndsThatLoopOnly) {
    sys.Channel(0, 0, 0).m_bMomentaryLatch = 1;
    sys.Channel(0, 1, 0).m_bMomentaryLatch = 1;
    sys.Channel(5, 0, 0).m_bMomentaryLatch = 1;
    sys.Channel(0, 0, 1).m_bMomentaryLatch = 1;
    host.m_fnAnswer = FailOn(":B000");
    EXPECT_FALSE(comm.SendAllEquations());
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 2u);
    EXPECT_EQ(astrFrames[1].substr(0, 5), ":B0A0");
}

TEST_F(LinkTest, ModuleEquationsCoverAllTenChannels) {
    Select(1, 2, 7);
    EXPECT_TRUE(comm.SendModuleEquations());
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 10u);
    EXPECT_EQ(astrFrames.front().substr(0, 5), ":B0B4");
    EXPECT_EQ(astrFrames.back().substr(0, 5), ":B0BD");
    EXPECT_EQ(sys.GetCurChannel(), 7);

    Select(3, 15, 0);
    EXPECT_TRUE(comm.ReadModuleEquations());
    astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 10u);
    EXPECT_EQ(astrFrames.front(), ":B276\r");
    EXPECT_EQ(astrFrames.back(), ":B27F\r");
}

TEST_F(LinkTest, ReadAllEquationsReadsLoopsZeroToThree) {
    EXPECT_TRUE(comm.ReadAllEquations());
    std::vector<std::string> astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 640u);
    EXPECT_EQ(astrFrames.back(), ":B27F\r");
}

TEST_F(LinkTest, ModuleChannelLabelsRestoreTheChannel) {
    Select(0, 1, 4);
    sys.SetChannelLabelInCurModule(9, "LAST");
    EXPECT_TRUE(comm.SendModuleCustomChannelLabels());
    EXPECT_EQ(TakeFrames(), std::vector<std::string>{":L013LAST\r"});
    EXPECT_TRUE(comm.SendModuleChannelLabels());
    EXPECT_EQ(TakeFrames().size(), 10u);
    EXPECT_TRUE(comm.ReadModuleChannelLabels());
    EXPECT_EQ(TakeFrames().back(), ":K013\r");
    EXPECT_EQ(sys.GetCurChannel(), 4);
}

TEST_F(LinkTest, SendEquationAtRestoresTheSelection) {
    Select(2, 3, 4);
    EXPECT_TRUE(comm.SendEquationAt(15, 9, 3));
    EXPECT_EQ(TakeFrames().front().substr(0, 5), ":B27F");
    EXPECT_EQ(sys.GetCurLoop(), 2);
    EXPECT_EQ(sys.GetCurModule(), 3);
    EXPECT_EQ(sys.GetCurChannel(), 4);
}
