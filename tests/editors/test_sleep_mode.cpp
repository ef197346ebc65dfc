#include "editors/EditorFixture.h"
#include "editors/SleepModeDlg.h"
#include "shell/CommandIds.h"
#include "support/Screenshot.h"

#include <QCheckBox>

namespace {

class SleepModeTest : public EditorCommandTest {
protected:
    SleepModeTest() { ClosePort(); }
};

struct IntervalCase {
    const char* szInactivity;
    const char* szWakeUp;
    const char* szMessage; // "" when accepted
    short nStoredInactivity;
    short nStoredWakeUp;
};

const IntervalCase kIntervalCases[] = {
    {"10", "1", "", 1, 1},
    {"2540", "254", "", 254, 254},
    {"25", "10", "", 2, 10},
    {"15", "10", "", 1, 10},
    {"9", "10", "Please enter an integer between 10 and 2540.", 0, 0},
    {"2541", "10", "Please enter an integer between 10 and 2540.", 0, 0},
    {"20", "0", "Please enter an integer between 1 and 254.", 0, 0},
    {"20", "255", "Please enter an integer between 1 and 254.", 0, 0},
    {"twenty", "10", "Please enter a positive integer.", 0, 0},
    {"20", "-1", "Please enter a positive integer.", 0, 0},
};

} // namespace

TEST_F(SleepModeTest, DialogShowsInactivityInSecondsAndTheWakeUpInterval) {
    sys.SetSleepEnabled(true);
    sys.SetSleepInactivity(7);
    sys.SetSleepWakeUp(33);
    CSleepModeDlg dialog(sys, m_shell);
    SaveScreenshot(dialog, "SleepModeDlg");
    EXPECT_EQ(dialog.windowTitle(), "SLEEP MODE PARAMETERS");
    auto* pEnabled = dialog.findChild<QCheckBox*>("checkSleepEnabled");
    EXPECT_EQ(pEnabled->text(), "SLEEP MODE  ENABLED");
    EXPECT_TRUE(pEnabled->isChecked());
    EXPECT_EQ(Edit(dialog, "editInactivity").text(), "70");
    EXPECT_EQ(Edit(dialog, "editWakeUp").text(), "33");
}

// A refused field keeps the dialog open and stores nothing, not even the
// fields that were in range.
TEST_F(SleepModeTest, IntervalsAreCheckedBeforeAnythingIsStored) {
    for (const IntervalCase& c : kIntervalCases) {
        sys.SetSleepEnabled(false);
        sys.SetSleepInactivity(0);
        sys.SetSleepWakeUp(0);
        sys.ClearModified();
        CSleepModeDlg dialog(sys, m_shell);
        dialog.findChild<QCheckBox*>("checkSleepEnabled")->setChecked(true);
        Edit(dialog, "editInactivity").setText(c.szInactivity);
        Edit(dialog, "editWakeUp").setText(c.szWakeUp);
        const bool bAccepted = std::string(c.szMessage).empty();
        if (!bAccepted)
            m_shell.ExpectBox(c.szMessage);
        dialog.accept();
        EXPECT_EQ(dialog.result(), bAccepted ? QDialog::Accepted : QDialog::Rejected)
            << c.szInactivity << " " << c.szWakeUp;
        EXPECT_EQ(sys.GetSleepEnabled(), bAccepted);
        EXPECT_EQ(sys.GetSleepInactivity(), c.nStoredInactivity) << c.szInactivity;
        EXPECT_EQ(sys.GetSleepWakeUp(), c.nStoredWakeUp) << c.szWakeUp;
        EXPECT_EQ(sys.IsModified(), bAccepted) << "only an accepted change marks the system";
    }
}

TEST_F(SleepModeTest, InactivityOfFifteenSecondsOpensAsTen) {
    {
        CModalScript script;
        script.Then(TypeAndAccept({{"editInactivity", "15"}}));
        Trigger(ID_SLEEP_MODE);
    }
    EXPECT_EQ(sys.GetSleepInactivity(), 1);
    CSleepModeDlg dialog(sys, m_shell);
    EXPECT_EQ(Edit(dialog, "editInactivity").text(), "10");
}

TEST_F(SleepModeTest, WithThePortClosedOkStoresAndSendsNothingAndCancelStoresNothing) {
    sys.ClearModified();
    {
        CModalScript script;
        script.Then(CModalScript::Reject());
        Trigger(ID_SLEEP_MODE);
    }
    EXPECT_EQ(sys.GetSleepWakeUp(), 10);
    EXPECT_FALSE(sys.IsModified());
    {
        CModalScript script;
        script.Then(TypeAndAccept({{"editWakeUp", "254"}}));
        Trigger(ID_SLEEP_MODE);
    }
    EXPECT_EQ(sys.GetSleepWakeUp(), 254);
    EXPECT_TRUE(sys.IsModified()) << "an unsaved sleep mode change is offered for saving";
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

class SleepModeLinkTest : public EditorCommandTest {};

TEST_F(SleepModeLinkTest, ReadsBeforeTheDialogAndSendsAfterOk) {
    sys.SetLinkActive(true);
    host.m_fnAnswer = CScriptedController::DefaultExcept({{":XE\r", "1\r\n"}, {":XW\r", "21\r\n"}});
    CModalScript script;
    script.Then([](QDialog& dialog) {
        EXPECT_EQ(Edit(dialog, "editWakeUp").text(), "33") << "the controller's value";
        EXPECT_EQ(Edit(dialog, "editInactivity").text(), "20");
        Edit(dialog, "editInactivity").setText("100");
        dialog.accept();
    });
    Trigger(ID_SLEEP_MODE);
    EXPECT_EQ(TakeFrames(), (Frames{":E0\r", ":E0\r", ":XE\r", ":XW\r", ":XI\r", ":I0\r", ":X1\r",
                                    ":XW21\r", ":XI0A\r", ":I1\r", ":E1\r", ":E1\r"}));
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(SleepModeLinkTest, CancelSendsNoWriteFrame) {
    CModalScript script;
    script.Then(CModalScript::Reject());
    Trigger(ID_SLEEP_MODE);
    EXPECT_EQ(TakeDataFrames(), (Frames{":XE\r", ":XW\r", ":XI\r"}));
}

TEST_F(SleepModeLinkTest, ARefusedFrameIsReportedAndEndsTheSend) {
    host.m_fnAnswer = [](const std::string& strFrame) {
        return strFrame.rfind(":XW", 0) == 0 && strFrame.size() > 4
                   ? std::string("NO\r\n")
                   : CScriptedController::DefaultAnswer(strFrame);
    };
    m_shell.ExpectBox("ERROR WHILE TRANSMITTING TO DVX CPU");
    CModalScript script;
    script.Then(CModalScript::Accept());
    Trigger(ID_SLEEP_MODE);
    EXPECT_EQ(TakeDataFrames(), (Frames{":XE\r", ":XW\r", ":XI\r", ":X0\r", ":XW0A\r"}));
}
