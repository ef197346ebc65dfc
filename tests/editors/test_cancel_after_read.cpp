#include "editors/EditorFixture.h"
#include "shell/CommandIds.h"

#include <QPushButton>

#include <vector>

namespace {

// Every command that shows the controller's values in a dialog reads them
// over the PC's first; Cancel then leaves the PC as it was before the
// command. The scripted controller has default memory throughout: no high
// speed pairs, empty equations and labels, sleep mode off, timers at 100
// counts, so every value set up here differs from what it answers.
class CancelAfterReadTest : public EditorCommandTest {
protected:
    void SetUpPcValues() {
        sys.SetHiSpeedInput(0, 14);
        sys.SetHiSpeedOutput(0, 15);
        sys.SetSleepEnabled(true);
        sys.SetSleepWakeUp(33);
        sys.SetSleepInactivity(9);
        for (short nTimer : {0, 15, 159}) {
            sys.SetTimerReload(nTimer, 2.5F);
            sys.SetTimerCurrent(nTimer, 1.5F);
        }
        sys.StoreChannelLabel(2, 3, 0, "HORN");
        sys.SetModuleLabel(2, 0, "FRONT");
        sys.SetModuleLabel(7, 4, "TIMERS H");
        sys.SetSysLabel(CSystem::SysLabelAuthor, "ANNA");
        sys.SetSysLabel(CSystem::SysLabelFileName, "BUS1");
        sys.SetTermA(0, 17);
        sys.SetOutput(true);
    }

    void ExpectPcValues(const char* szCommand) {
        SCOPED_TRACE(szCommand);
        EXPECT_EQ(14, sys.GetHiSpeedInput(0));
        EXPECT_EQ(15, sys.GetHiSpeedOutput(0));
        EXPECT_TRUE(sys.GetSleepEnabled());
        EXPECT_EQ(33, sys.GetSleepWakeUp());
        EXPECT_EQ(9, sys.GetSleepInactivity());
        for (short nTimer : {0, 15, 159}) {
            EXPECT_EQ(2.5F, sys.GetTimerReload(nTimer)) << nTimer;
            EXPECT_EQ(1.5F, sys.GetTimerCurrent(nTimer)) << nTimer;
        }
        EXPECT_EQ("HORN", sys.StoredChannelLabel(2, 3, 0));
        EXPECT_EQ("FRONT", sys.GetModuleLabel(2, 0));
        EXPECT_EQ("TIMERS H", sys.GetModuleLabel(7, 4));
        EXPECT_EQ("ANNA", sys.GetSysLabel(CSystem::SysLabelAuthor));
        EXPECT_EQ("BUS1", sys.GetSysLabel(CSystem::SysLabelFileName));
        EXPECT_EQ("BUS1.DVX", sys.GetFilePath());
        EXPECT_EQ(17, sys.Channel(2, 3, 0).m_anTermA[0]);
        EXPECT_TRUE(sys.Channel(2, 3, 0).m_bOutput);
    }
};

} // namespace

TEST_F(CancelAfterReadTest, CancelLeavesThePcAsItWasBeforeTheRead) {
    const struct {
        const char* szCommand;
        int nId;
        std::vector<CModalScript::Step> aSteps;
        const char* szRead;
    } aCases[] = {
        {"Boolean editor",
         ID_BOOLEAN_EDITOR,
         {CModalScript::Accept(), CModalScript::Reject(), CModalScript::Reject()},
         ":B"},
        {"High speed channels", ID_HIGH_SPEED_CHANNELS, {CModalScript::Reject()}, ":HI"},
        {"Timer setup", ID_TIMER_SETUP, {CModalScript::Reject()}, ":TR"},
        {"Sleep mode", ID_SLEEP_MODE, {CModalScript::Reject()}, ":XE"},
        {"Channel labels", ID_CHANNEL_LABELS, {CModalScript::Reject()}, ":K"},
        {"Module labels", ID_MODULE_LABELS, {CModalScript::Reject()}, ":Q"},
        {"System labels", ID_SYSTEM_LABELS, {CModalScript::Reject()}, ":V"},
    };
    for (const auto& c : aCases) {
        Select(0, 2, 3);
        SetUpPcValues();
        TakeFrames();
        {
            CModalScript script;
            for (const CModalScript::Step& step : c.aSteps)
                script.Then(step);
            Trigger(c.nId);
        }
        EXPECT_NE(std::string::npos, host.Written().find(c.szRead)) << c.szCommand;
        ExpectPcValues(c.szCommand);
    }
}

// What the timer dialog stored or sent for a module stays; the read of the
// other modules is undone.
TEST_F(CancelAfterReadTest, TimerCancelKeepsWhatTheModuleButtonsStored) {
    SetUpPcValues();
    Select(3, 0, 0);
    TakeFrames();
    CModalScript script;
    script.Then([](QDialog& dialog) {
        Edit(dialog, "editReload1").setText("0.7");
        dialog.findChild<QPushButton*>("buttonSave")->click();
        dialog.reject();
    });
    Trigger(ID_TIMER_SETUP);
    EXPECT_FLOAT_EQ(0.7F, sys.GetTimerReload(0)) << "saved";
    EXPECT_FLOAT_EQ(10.0F, sys.GetTimerReload(1)) << "read with the module saved";
    EXPECT_EQ(2.5F, sys.GetTimerReload(15)) << "read, then put back";
    EXPECT_EQ(2.5F, sys.GetTimerReload(159));
}
