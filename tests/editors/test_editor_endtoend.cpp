#include "editors/EditorFixture.h"
#include "link/LinkedFrameFixture.h"
#include "shell/CommandIds.h"

#include <QCheckBox>
#include <QScrollBar>

#include <functional>

namespace {

bool IsSleepRead(const std::string& strFrame) {
    return strFrame == ":XE\r" || strFrame == ":XW\r" || strFrame == ":XI\r";
}

// Each editor command is run from its menu item, and what the controller
// keeps is read back afterwards through the same port.
class EditorEndToEnd : public SimFrameTest {
protected:
    using Frames = CSimOnPort::Frames;

    EditorEndToEnd() { m_shell.AllowOkBoxes(); }

    bool Open() {
        if (!StartSim())
            return false;
        Trigger(ID_PORT_OPEN);
        // A running processor would count the timers down.
        comm.SendBoolProcessor(false);
        Received();
        return frame.IsPortOpen();
    }
    void Run(int nId, CModalScript::Step step) {
        CModalScript script;
        script.Then(std::move(step));
        Trigger(nId);
    }
    // The frames that write into the controller's memory: all but the reads
    // and the pause, continue and module link frames.
    static Frames Writes(const Frames& astrFrames,
                         const std::function<bool(const std::string&)>& isRead) {
        Frames astrWrites;
        for (const std::string& strFrame : astrFrames) {
            const bool bLink = strFrame.rfind(":E", 0) == 0 || strFrame.rfind(":I", 0) == 0;
            if (!bLink && !isRead(strFrame))
                astrWrites.push_back(strFrame);
        }
        return astrWrites;
    }
    // Reads are the short frames: a command and an address, no value, then
    // the carriage return.
    static bool IsShort(const std::string& strFrame) { return strFrame.size() <= 6; }
};

} // namespace

TEST_F(EditorEndToEnd, SleepModeReachesTheControllerOnlyAfterOk) {
    ASSERT_TRUE(Open());
    Run(ID_SLEEP_MODE, CModalScript::Reject());
    EXPECT_TRUE(Writes(Received(), IsSleepRead).empty()) << "Cancel sends no write frame";

    Run(ID_SLEEP_MODE, [](QDialog& dialog) {
        dialog.findChild<QCheckBox*>("checkSleepEnabled")->setChecked(true);
        Edit(dialog, "editInactivity").setText("2540");
        Edit(dialog, "editWakeUp").setText("254");
        dialog.accept();
    });
    EXPECT_EQ(Writes(Received(), IsSleepRead), (Frames{":X1\r", ":XWFE\r", ":XIFE\r"}));
    sys.ResetToDefaults();
    ASSERT_TRUE(comm.ReadSleepMode());
    EXPECT_TRUE(sys.GetSleepEnabled());
    EXPECT_EQ(sys.GetSleepInactivity(), 254);
    EXPECT_EQ(sys.GetSleepWakeUp(), 254);
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(EditorEndToEnd, LabelEditorsReadAndSendTheirLabels) {
    ASSERT_TRUE(Open());
    Run(ID_SYSTEM_LABELS, [](QDialog& dialog) {
        EXPECT_EQ(Edit(dialog, "editFileName").text(), "SysLabel_5") << "read from the controller";
        Edit(dialog, "editVehicleModel").setText("COACH 9");
        Edit(dialog, "editFileName").setText("BUS 12");
        dialog.accept();
    });
    sys.SetCurLoop(1);
    sys.SetCurModule(2);
    m_shell.ExpectBox("Do you wish to save your changes?", EBoxAnswer::Yes);
    Run(ID_CHANNEL_LABELS, TypeAndAccept({{"editLabel4", "WIPER"}}));
    Run(ID_MODULE_LABELS, TypeAndAccept({{"editLabelP", "TRAILER"}}));
    for (int nId : {ID_CHANNEL_LABELS, ID_MODULE_LABELS, ID_SYSTEM_LABELS})
        Run(nId, CModalScript::Reject());
    const Frames astrWrites = Writes(Received(), IsShort);
    EXPECT_EQ(astrWrites.size(), 10u + 10u + 96u) << "Cancel sends no write frame";

    sys.ResetToDefaults();
    ASSERT_TRUE(comm.ReadSysLabels());
    EXPECT_EQ(sys.GetSysLabel(0), "COACH 9");
    EXPECT_EQ(sys.GetFilePath(), "BUS 12.DVX");
    ASSERT_TRUE(comm.ReadAllModuleLabels());
    EXPECT_EQ(sys.GetModuleLabel(15, 1), "TRAILER");
    sys.SetCurLoop(1);
    sys.SetCurModule(2);
    ASSERT_TRUE(comm.ReadModuleChannelLabels());
    EXPECT_EQ(sys.GetChannelLabel(2, 3, 1), "WIPER");
}

TEST_F(EditorEndToEnd, TimerSetupSendsAllTimersAfterOk) {
    ASSERT_TRUE(Open());
    Run(ID_TIMER_SETUP, CModalScript::Reject());
    EXPECT_TRUE(Writes(Received(), IsShort).empty()) << "Cancel sends no write frame";

    sys.SetCurModule(15);
    Run(ID_TIMER_SETUP, [](QDialog& dialog) {
        dialog.findChild<QCheckBox*>("checkChangeCurrent")->setChecked(true);
        Edit(dialog, "editReload1").setText("25.4");
        Edit(dialog, "editReload10").setText("2540");
        Edit(dialog, "editCurrent10").setText("30");
        dialog.accept();
    });
    EXPECT_EQ(Writes(Received(), IsShort).size(), 320u);
    sys.ResetToDefaults();
    ASSERT_TRUE(comm.ReadAllTimers());
    EXPECT_EQ(sys.GetTimerReloadCount(150), 254);
    EXPECT_EQ(sys.GetTimerReloadCount(159), 254);
    EXPECT_EQ(sys.GetTimerCurrentCount(159), 3);
    EXPECT_EQ(sys.GetTimerReload(151), 10.0f);
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(EditorEndToEnd, HighSpeedPairsAreSentAfterOk) {
    ASSERT_TRUE(Open());
    Run(ID_HIGH_SPEED_CHANNELS, CModalScript::Reject());
    EXPECT_TRUE(Writes(Received(), IsShort).empty()) << "Cancel sends no write frame";

    Run(ID_HIGH_SPEED_CHANNELS, [](QDialog& dialog) {
        for (const char* szBar :
             {"scrollInModule3", "scrollInChannel3", "scrollOutModule3", "scrollOutChannel3"})
            dialog.findChild<QScrollBar*>(szBar)->triggerAction(QAbstractSlider::SliderPageStepAdd);
        dialog.accept();
    });
    EXPECT_EQ(Writes(Received(), IsShort),
              (Frames{":HI00FF\r", ":HO00FF\r", ":HI01FF\r", ":HO01FF\r", ":HI0215\r", ":HO0215\r",
                      ":HI03FF\r", ":HO03FF\r"}));
    sys.ResetToDefaults();
    ASSERT_TRUE(comm.ReadHiSpeedPairs());
    EXPECT_EQ(sys.GetHiSpeedInput(2), CSystem::MakeIndex(0, 2, 1));
    EXPECT_EQ(sys.GetHiSpeedOutput(2), CSystem::MakeIndex(0, 2, 1));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}
