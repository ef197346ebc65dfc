#include "model/LinkControl.h"
#include "model/SystemFixture.h"

#include <limits>
#include <string>
#include <vector>

TEST_F(SystemTest, FreshSystemHoldsTheDefaults) {
    for (short nLoop = 0; nLoop < 6; ++nLoop)
        for (short nModule = 0; nModule < 16; ++nModule) {
            EXPECT_EQ(CSystem::DefaultModuleLabel(nModule, nLoop),
                      sys.GetModuleLabel(nModule, nLoop));
            EXPECT_EQ(0, sys.GetModuleType(nModule, nLoop));
            for (short nChannel = 0; nChannel < 10; ++nChannel) {
                EXPECT_EQ(CSystem::DefaultChannelLabel(nModule, nChannel, nLoop),
                          sys.GetChannelLabel(nModule, nChannel, nLoop));
                EXPECT_FALSE(sys.IsEquationDefined(nModule, nChannel, nLoop));
            }
        }
    EXPECT_EQ(CSystem::TodayText(), sys.GetSysLabel(2));
    EXPECT_EQ("CorvelII 6.63", sys.GetSysLabel(3));
    EXPECT_EQ("SysLabel_9", sys.GetSysLabel(9));
    EXPECT_FALSE(sys.GetSleepEnabled());
    EXPECT_EQ(2, sys.GetSleepInactivity());
    EXPECT_EQ(10, sys.GetSleepWakeUp());
    EXPECT_EQ(-1, sys.GetHiSpeedInput(3));
    EXPECT_EQ(10.0f, sys.GetTimerReload(159));
    EXPECT_EQ(CSystem::GroupSystem, sys.GetObjectGroup());
    EXPECT_FALSE(sys.IsModified());
    EXPECT_EQ(m_dir.Str(), sys.GetLaunchDir());
    ASSERT_FALSE(m_shell.m_astrTraces.empty());
    EXPECT_EQ("Initial launch dir = " + m_dir.Str() + "\n", m_shell.m_astrTraces.front());
}

TEST_F(SystemTest, ResetLeavesCurrentLoopAndChannel) {
    Select(4, 7, 8);
    sys.SetObjectGroup(CSystem::GroupChannel);
    sys.ResetToDefaults();
    EXPECT_EQ(4, sys.GetCurLoop());
    EXPECT_EQ(8, sys.GetCurChannel());
    EXPECT_EQ(0, sys.GetCurModule());
    EXPECT_EQ(CSystem::GroupSystem, sys.GetObjectGroup());
}

TEST_F(SystemTest, ChannelLabelRules) {
    EXPECT_EQ("", sys.GetChannelLabel(16, 0, 0));
    EXPECT_EQ("", sys.GetChannelLabel(0, 10, 0));
    EXPECT_EQ("", sys.GetChannelLabel(-1, 0, 0));

    sys.StoreChannelLabel(2, 3, 1, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ("ABCDEFGHIJKLMNO", sys.GetChannelLabel(2, 3, 1));
    EXPECT_TRUE(sys.IsChannelLabelCustom(2, 3, 1));

    Select(1, 2, 3);
    sys.SetCurChannelLabel("");
    EXPECT_EQ("Yellow_Chl_C4", sys.GetCurChannelLabel());
    EXPECT_FALSE(sys.IsChannelLabelCustom(2, 3, 1));

    sys.SetChannelLabelInCurModule(4, "");
    EXPECT_EQ("", sys.GetChannelLabelInCurModule(4));
    EXPECT_EQ("Yellow_Chl_C5", sys.GetChannelLabelOrDefault(2, 4, 1));
    EXPECT_EQ("Yellow_Chl_C5", sys.GetChannelLabel(2, 4, 1));

    sys.StoreChannelLabel(0, 0, 0, "blue_chl_a1");
    EXPECT_TRUE(sys.IsChannelLabelCustom(0, 0, 0)) << "the comparison is case-sensitive";
}

TEST_F(SystemTest, ModuleLabelRules) {
    EXPECT_EQ("", sys.GetModuleLabel(0, 6));
    EXPECT_EQ("", sys.GetModuleLabel(16, 0));
    sys.SetModuleLabel(3, 2, "DOORS");
    EXPECT_TRUE(sys.IsModuleLabelCustom(3, 2));
    sys.SetModuleLabel(3, 2, "");
    EXPECT_EQ("Virtual_Modul_D", sys.GetModuleLabel(3, 2));
    sys.SetCurLoop(2);
    sys.SetModuleLabelInCurLoop(4, "");
    EXPECT_EQ("", sys.GetModuleLabelInCurLoop(4));
}

TEST_F(SystemTest, SystemLabelFiveMakesTheFilePath) {
    sys.SetSysLabel(5, "  BUS 12  ");
    EXPECT_EQ("BUS 12", sys.GetSysLabel(5));
    EXPECT_EQ("BUS 12.DVX", sys.GetFilePath());
    EXPECT_EQ(1, m_shell.m_nTitleUpdates);

    sys.SetSysLabel(0, "\tA very long vehicle model ");
    EXPECT_EQ("A very long veh", sys.GetSysLabel(0));
    EXPECT_EQ("BUS 12.DVX", sys.GetFilePath());
    EXPECT_EQ(1, m_shell.m_nTitleUpdates);
}

TEST_F(SystemTest, FileDirAcceptsBothSeparators) {
    struct Case {
        const char* szPath;
        const char* szDir;
    } aCases[] = {{"", ""},
                  {"BUS.DVX", ""},
                  {"\\BUS.DVX", ""},
                  {"C:\\Fleet\\BUS.DVX", "C:\\Fleet\\"},
                  {"/home/tech/Fleet/BUS.DVX", "/home/tech/Fleet/"},
                  {"/BUS.DVX", ""}};
    for (const Case& c : aCases) {
        sys.SetFilePath(c.szPath);
        EXPECT_EQ(c.szDir, sys.GetFileDir()) << c.szPath;
    }
}

TEST_F(SystemTest, ModifiedStampsDateAndVersion) {
    sys.SetSysLabel(2, "old");
    sys.SetSysLabel(3, "old");
    sys.SetModified();
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(CSystem::TodayText(), sys.GetSysLabel(2));
    EXPECT_EQ("CorvelII 6.63", sys.GetSysLabel(3));
    sys.ClearModified();
    EXPECT_FALSE(sys.IsModified());
}

TEST_F(SystemTest, TimerCountsRoundTripForEveryCount) {
    for (short nTimer : {short(0), short(5), short(6), short(9), short(159)}) {
        for (short nCount = 0; nCount <= 254; ++nCount) {
            sys.SetTimerCurrentFromCount(nTimer, nCount);
            EXPECT_EQ(nCount, sys.GetTimerCurrentCount(nTimer)) << nTimer << " " << nCount;
            sys.SetTimerReloadFromCount(nTimer, nCount);
            EXPECT_EQ(nCount, sys.GetTimerReloadCount(nTimer)) << nTimer << " " << nCount;
        }
    }
}

TEST_F(SystemTest, TimerConversionsFastAndSlow) {
    struct Case {
        short nTimer;
        float fReload, fCurrent;
        short nReloadCount, nCurrentCount;
    } aCases[] = {
        {0, 0.7f, 0.7f, 7, 7},
        {5, 10.0f, 0.0f, 100, 0},
        {6, 10.0f, 25.0f, 1, 2},
        {19, 2540.0f, 10.0f, 254, 1},
        {16, 9.9f, 9.9f, 0, 0},
        // Values the controller cannot count give the nearest count it holds.
        {2, 25.6f, 30.0f, 254, 254},
        {3, -2.5f, -0.5f, 0, 0},
        {9, 1e6f, std::numeric_limits<float>::infinity(), 254, 254},
        {8, std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::infinity(), 0, 0},
    };
    for (const Case& c : aCases) {
        sys.SetTimerReload(c.nTimer, c.fReload);
        sys.SetTimerCurrent(c.nTimer, c.fCurrent);
        EXPECT_EQ(c.nReloadCount, sys.GetTimerReloadCount(c.nTimer)) << c.nTimer;
        EXPECT_EQ(c.nCurrentCount, sys.GetTimerCurrentCount(c.nTimer)) << c.nTimer;
    }
    sys.SetTimerReloadFromCount(7, 3);
    EXPECT_EQ(30.0f, sys.GetTimerReload(7));
    sys.SetTimerReloadFromCount(3, 3);
    EXPECT_EQ(3 * 0.1f, sys.GetTimerReload(3));
    EXPECT_EQ("   0.3", sys.GetTimerReloadText(3));
}

TEST_F(SystemTest, CurrentModuleTimerUsesTheTimerIndex) {
    sys.SetCurModule(4);
    sys.SetCurModuleTimerReload(7, 120.0f);
    sys.SetCurModuleTimerCurrent(7, 30.0f);
    EXPECT_EQ(120.0f, sys.GetTimerReload(47));
    EXPECT_EQ(30.0f, sys.GetCurModuleTimerCurrent(7));
}

TEST_F(SystemTest, CurrentSelectionRules) {
    struct Case {
        short nModule, nChannel, nNextModule, nNextChannel;
    } aCases[] = {{15, 9, 0, 0}, {3, 9, 4, 0}, {3, 4, 3, 5}};
    for (const Case& c : aCases) {
        Select(2, c.nModule, c.nChannel);
        sys.NextCurChannel();
        EXPECT_EQ(2, sys.GetCurLoop());
        EXPECT_EQ(c.nNextModule, sys.GetCurModule());
        EXPECT_EQ(c.nNextChannel, sys.GetCurChannel());
    }

    sys.SetCurLoop(5);
    EXPECT_EQ(0, sys.GetCurLoopLimited());
    EXPECT_EQ(0, sys.GetCurLoop());
    sys.SetCurLoop(3);
    EXPECT_EQ(3, sys.GetCurLoopLimited());

    sys.SetCurModule(17);
    EXPECT_EQ('R', sys.GetCurModuleLetter()) << "the letter does not reset";
    EXPECT_EQ(0, sys.GetCurModule());
    sys.SetCurModule(-2);
    EXPECT_EQ(0, sys.GetCurModule());

    Select(1, 1, 5);
    EXPECT_EQ(175, sys.GetCurIndex());
}

TEST_F(SystemTest, ChannelStates) {
    sys.SetChannelStateAt(4, 0, 1, 1);
    sys.SetChannelStateAt(4, 9, 1, 7);
    EXPECT_EQ(513, sys.GetModuleStateBits(4, 1));
    EXPECT_EQ(0, sys.GetModuleStateBits(4, 0));

    Select(1, 4, 0);
    sys.ToggleChannelState(9);
    EXPECT_EQ(0, sys.GetChannelState(9));
    sys.ToggleChannelState(9);
    EXPECT_EQ(1, sys.GetChannelState(9));

    sys.ToggleChannelStateAt(2, 3, 0);
    EXPECT_EQ(1, sys.GetChannelStateAt(2, 3, 0));
    ASSERT_EQ(1u, m_shell.m_aSentStates.size());
    EXPECT_EQ((CShellRecorder::SentState{0, 2, 3, 1}), m_shell.m_aSentStates[0]);

    sys.SetChannelStateByIndex(959, 1);
    sys.SetChannelStateByIndex(960, 1);
    EXPECT_EQ(1, sys.GetChannelStateAt(15, 9, 5));
}

TEST_F(SystemTest, ModuleInUse) {
    EXPECT_FALSE(sys.IsModuleInUse(3, 1));
    sys.SetModuleType(3, 1, 2);
    EXPECT_TRUE(sys.IsModuleInUse(3, 1));
    sys.SetModuleType(3, 1, 0);
    sys.StoreChannelLabel(3, 9, 1, "HORN");
    EXPECT_TRUE(sys.IsModuleInUse(3, 1));
    sys.StoreChannelLabel(3, 9, 1, CSystem::DefaultChannelLabel(3, 9, 1));
    sys.Channel(3, 2, 1).m_anTermB[1] = 4;
    EXPECT_TRUE(sys.IsModuleInUse(3, 1));
}

TEST_F(SystemTest, HighSpeedHelpers) {
    sys.SetHiSpeedInput(1, 12);
    sys.SetHiSpeedOutput(1, 159);
    EXPECT_TRUE(sys.IsHiSpeedChannel(1, 2, 0));
    EXPECT_TRUE(sys.IsHiSpeedChannel(15, 9, 0));
    EXPECT_FALSE(sys.IsHiSpeedChannel(1, 2, 1));
    EXPECT_EQ("B3", CSystem::HiSpeedDesignation(12));
    EXPECT_EQ("_", CSystem::HiSpeedDesignation(-1));
    EXPECT_EQ("", CSystem::HiSpeedModuleLetter(-1));
    EXPECT_EQ("Blue_Chl_B3", sys.HiSpeedChannelLabel(12));
    EXPECT_EQ("Blue_Modul_P", sys.HiSpeedModuleLabel(15));
    EXPECT_EQ("", sys.HiSpeedModuleLabel(-1));
    sys.SetModuleLabel(2, 0, "A module label longer than a field");
    EXPECT_EQ("A module label ", sys.HiSpeedModuleLabel(2));
    EXPECT_EQ("", sys.HiSpeedChannelLabel(2000));
    EXPECT_EQ("Input 2", CSystem::HiSpeedInputCaption(1));
    EXPECT_EQ("Output 4", CSystem::HiSpeedOutputCaption(3));
}

TEST_F(SystemTest, ProcessorTimeIsShownInSeconds) {
    sys.SetBoolProcTime(31);
    m_shell.ExpectBox("Boolean processor time 0.031000");
    sys.ShowBoolProcTime();
}

TEST_F(SystemTest, LoopMonitorSavedCopy) {
    sys.SetLoopMonitor(2, true);
    sys.SaveLoopMonitor();
    sys.SetLoopMonitor(2, false);
    EXPECT_TRUE(sys.GetLoopMonitorSaved(2));
    EXPECT_FALSE(sys.GetLoopMonitor(2));
}

namespace {

class CFakeLink : public CLinkControl {
public:
    bool m_bOpen = false;
    std::vector<std::string> m_astrSent;
    bool IsPortOpen() const override { return m_bOpen; }
    bool StartModuleLink() override {
        m_astrSent.push_back("start");
        return true;
    }
    bool StopModuleLink() override {
        m_astrSent.push_back("stop");
        return true;
    }
};

} // namespace

TEST_F(SystemTest, LinkSuspensionRemembersAndRestores) {
    CFakeLink link;
    sys.SetLinkControl(&link);

    sys.SetLinkActive(true);
    sys.SuspendLink();
    sys.SetLinkActive(false);
    sys.ResumeLink();
    EXPECT_TRUE(sys.IsLinkActive());
    EXPECT_TRUE(link.m_astrSent.empty()) << "nothing goes out while the port is closed";

    link.m_bOpen = true;
    sys.SuspendLink();
    sys.ResumeLink();
    sys.SetLinkActive(false);
    sys.SuspendLink();
    sys.ResumeLink();
    EXPECT_EQ((std::vector<std::string>{"stop", "start", "stop", "stop"}), link.m_astrSent);
}
