#include "editors/EditorFixture.h"
#include "editors/TimerDlg.h"
#include "editors/TimerSetupCommand.h"
#include "shell/CommandIds.h"
#include "support/Screenshot.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace {

const char* const kSaveQuestion =
    "Changes have been made to timer values. Do you wish to save your changes?";

QString Reload(QWidget& dialog, int nRow) {
    return Edit(dialog, QString("editReload%1").arg(nRow)).text();
}

QString Current(QWidget& dialog, int nRow) {
    return Edit(dialog, QString("editCurrent%1").arg(nRow)).text();
}

class TimerSetupTest : public EditorCommandTest {
protected:
    TimerSetupTest() { ClosePort(); }

    std::unique_ptr<CTimerDlg> Dialog() {
        return std::make_unique<CTimerDlg>(
            sys, m_shell, [this] { ++m_nRetrieves; }, [this] { ++m_nTransmits; });
    }
    static void Click(QWidget& dialog, const char* szName) {
        dialog.findChild<QPushButton*>(szName)->click();
    }
    static void SetChangeCurrent(QWidget& dialog, bool bOn) {
        dialog.findChild<QCheckBox*>("checkChangeCurrent")->setChecked(bOn);
    }
    static QScrollBar& Bar(QWidget& dialog) {
        return *dialog.findChild<QScrollBar*>("scrollModule");
    }

    int m_nRetrieves = 0;
    int m_nTransmits = 0;
};

// A field typed at the edge of its range, with a second field of the form
// changed too: a refused field stores neither.
struct TimerCase {
    int nRow; // 1..6 FAST, 7..10 SLOW
    bool bReload;
    const char* szText;
    const char* szMessage; // "" when accepted
    float fStored;
};

const TimerCase kTimerCases[] = {
    {1, true, "0.1", "", 0.1f},
    {1, true, "25.4", "", 25.4f},
    {6, true, "0", "Please enter a number between 0.1 and 25.4.", 0},
    {6, true, "25.5", "Please enter a number between 0.1 and 25.4.", 0},
    {2, false, "0", "", 0.0f},
    {2, false, "25.4", "", 25.4f},
    {2, false, "25.5", "Please enter a number between 0 and 25.4.", 0},
    {7, true, "10", "", 10.0f},
    {7, true, "2540", "", 2540.0f},
    {7, true, "5", "Please enter a number between 10 and 2540.", 0},
    {10, true, "2550", "Please enter a number between 10 and 2540.", 0},
    {8, false, "2540", "", 2540.0f},
    {8, false, "2541", "Please enter a number between 0 and 2540.", 0},
    {9, false, "-10", "Please enter a number between 0 and 2540.", 0},
    {3, true, "ten", "Please enter a number.", 0},
    {9, false, "", "Please enter a number.", 0},
};

} // namespace

TEST_F(TimerSetupTest, TheTableShowsTheModulesTimersInSeconds) {
    sys.SetCurLoop(0);
    sys.SetCurModule(2);
    sys.SetTimerReload(20, 0.7f);
    sys.SetTimerCurrent(29, 2540.0f);
    sys.StoreChannelLabel(2, 0, 3, "DELAY ON");
    sys.Channel(2, 0, 3).m_anTermA[0] = CSystem::MakeIndex(0, 0, 0);
    auto pDialog = Dialog();
    SaveScreenshot(*pDialog, "TimerDlg");
    EXPECT_EQ(pDialog->windowTitle(), "TIMERS  SETUP");
    EXPECT_EQ(sys.GetCurLoop(), 3) << "the timer loop becomes current";
    EXPECT_EQ(Edit(*pDialog, "editModuleLetter").text(), "C");
    EXPECT_EQ(Edit(*pDialog, "editModuleLabel").text(), "TmrEnbl_Modul_C");
    EXPECT_EQ(Edit(*pDialog, "editLabel1").text(), "DELAY ON");
    EXPECT_EQ(Reload(*pDialog, 1), "0.7");
    EXPECT_EQ(Reload(*pDialog, 2), "10");
    EXPECT_EQ(Current(*pDialog, 10), "2540");
    EXPECT_EQ(Current(*pDialog, 1), "0");
    EXPECT_EQ(Edit(*pDialog, "editEquation1").text().toStdString(), sys.GetEquationText(2, 0, 3));
    EXPECT_EQ(pDialog->findChild<QLabel*>("labelRow6")->text(), "FAST 6");
    EXPECT_EQ(pDialog->findChild<QLabel*>("labelRow7")->text(), "SLOW 1");
    EXPECT_EQ(pDialog->findChild<QLabel*>("labelUnits7")->text(), "Seconds");
    EXPECT_FALSE(pDialog->findChild<QCheckBox*>("checkChangeCurrent")->isChecked());
    EXPECT_FALSE(pDialog->m_bTimersChanged);
}

// What only shows a value looks it: the window's colour, not an entry
// field's white; the reload and current fields stay white.
TEST_F(TimerSetupTest, ReadOnlyFieldsLookReadOnly) {
    auto pDialog = Dialog();
    const QColor window = pDialog->palette().color(QPalette::Window);
    for (const char* szName :
         {"editModuleLetter", "editModuleLabel", "editLabel1", "editEquation10"})
        EXPECT_EQ(Edit(*pDialog, szName).palette().color(QPalette::Base), window) << szName;
    EXPECT_NE(Edit(*pDialog, "editReload1").palette().color(QPalette::Base), window);
}

TEST_F(TimerSetupTest, FieldsAreCheckedAtTheirLimitsBeforeAnythingIsStored) {
    for (const TimerCase& c : kTimerCases) {
        sys.ResetToDefaults();
        sys.SetCurModule(4);
        auto pDialog = Dialog();
        SetChangeCurrent(*pDialog, true);
        const QString strField = QString(c.bReload ? "editReload%1" : "editCurrent%1").arg(c.nRow);
        const int nOtherRow = c.nRow == 5 ? 4 : 5;
        Edit(*pDialog, QString("editReload%1").arg(nOtherRow)).setText("1.5");
        Edit(*pDialog, strField).setText(c.szText);
        const bool bAccepted = std::string(c.szMessage).empty();
        if (!bAccepted)
            m_shell.ExpectBox(c.szMessage);
        pDialog->accept();
        const short nTimer = static_cast<short>(40 + c.nRow - 1);
        EXPECT_EQ(pDialog->result(), bAccepted ? QDialog::Accepted : QDialog::Rejected)
            << strField.toStdString() << " " << c.szText;
        const float fDefault = c.bReload ? 10.0f : 0.0f;
        EXPECT_EQ(c.bReload ? sys.GetTimerReload(nTimer) : sys.GetTimerCurrent(nTimer),
                  bAccepted ? c.fStored : fDefault)
            << strField.toStdString() << " " << c.szText;
        EXPECT_EQ(sys.GetTimerReload(static_cast<short>(40 + nOtherRow - 1)),
                  bAccepted ? 1.5f : 10.0f)
            << "no partial store";
    }
}

// The system keeps what was typed; the status bar says what the
// controller's whole steps make of it.
TEST_F(TimerSetupTest, SaveSaysWhatTheControllerWillRun) {
    const struct {
        const char* szField;
        const char* szTyped;
        const char* szStatus; // "" when the value is whole steps
        short nTimer;
        float fStored;
    } aCases[] = {
        {"editReload1", "0.35", "FAST 1: 0.35 s runs as 0.3 s", 10, 0.35f},
        {"editReload8", "15", "SLOW 2: 15 s runs as 10 s", 17, 15.0f},
        {"editCurrent3", "1.25", "FAST 3 current: 1.25 s runs as 1.2 s", 12, 1.25f},
        {"editReload2", "0.4", "", 11, 0.4f},
        {"editReload10", "2540", "", 19, 2540.0f},
    };
    for (const auto& c : aCases) {
        sys.ResetToDefaults();
        sys.SetCurModule(1);
        m_shell.m_astrStatus.clear();
        auto pDialog = Dialog();
        SetChangeCurrent(*pDialog, true);
        Edit(*pDialog, c.szField).setText(c.szTyped);
        Click(*pDialog, "buttonSave");
        const std::string strStored = std::string(c.szField).find("Reload") != std::string::npos
                                          ? std::to_string(sys.GetTimerReload(c.nTimer))
                                          : std::to_string(sys.GetTimerCurrent(c.nTimer));
        EXPECT_EQ(std::to_string(c.fStored), strStored) << "kept as typed";
        if (*c.szStatus)
            EXPECT_EQ(m_shell.m_astrStatus, std::vector<std::string>{c.szStatus}) << c.szTyped;
        else
            EXPECT_TRUE(m_shell.m_astrStatus.empty()) << c.szTyped;
    }
}

TEST_F(TimerSetupTest, SaveWithoutChangeCurrentStoresTheReloadsOnly) {
    sys.SetCurModule(1);
    auto pDialog = Dialog();
    Edit(*pDialog, "editReload3").setText("2.5");
    Edit(*pDialog, "editCurrent3").setText("1.5");
    Click(*pDialog, "buttonSave");
    EXPECT_EQ(sys.GetTimerReload(12), 2.5f);
    EXPECT_EQ(sys.GetTimerCurrent(12), 0.0f);
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(Current(*pDialog, 3), "1.5") << "the typed value stays until the next refresh";
    Bar(*pDialog).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Bar(*pDialog).triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Current(*pDialog, 3), "0");
    EXPECT_EQ(Reload(*pDialog, 3), "2.5");
    SetChangeCurrent(*pDialog, true);
    Edit(*pDialog, "editCurrent3").setText("1.5");
    Click(*pDialog, "buttonSave");
    EXPECT_EQ(sys.GetTimerCurrent(12), 1.5f);
}

TEST_F(TimerSetupTest, ScrolledFieldsCountAsChangedForTheModuleButtons) {
    auto pDialog = Dialog();
    Click(*pDialog, "buttonRetrieve");
    EXPECT_EQ(m_nRetrieves, 1) << "nothing changed: no question";
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    Bar(*pDialog).triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(sys.GetCurModule(), 1);
    EXPECT_EQ(Edit(*pDialog, "editModuleLetter").text(), "B");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::No);
    Click(*pDialog, "buttonRetrieve");
    EXPECT_EQ(m_nRetrieves, 2);
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::No);
    Click(*pDialog, "buttonTransmit");
    EXPECT_EQ(m_nTransmits, 1);
}

// A save wanted but refused stops the button, so the typed values are not
// refilled away.
TEST_F(TimerSetupTest, ARefusedSaveStopsTheModuleButton) {
    auto pDialog = Dialog();
    Edit(*pDialog, "editReload1").setText("30");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    m_shell.ExpectBox("Please enter a number between 0.1 and 25.4.");
    Click(*pDialog, "buttonTransmit");
    EXPECT_EQ(m_nTransmits, 0);
    EXPECT_EQ(Reload(*pDialog, 1), "30");
    Edit(*pDialog, "editReload1").setText("3");
    m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::Yes);
    Click(*pDialog, "buttonTransmit");
    EXPECT_EQ(m_nTransmits, 1);
    EXPECT_EQ(sys.GetTimerReload(0), 3.0f);
}

TEST_F(TimerSetupTest, ModulePRowSlowFourIsTheLastTimer) {
    sys.SetCurModule(15);
    auto pDialog = Dialog();
    Edit(*pDialog, "editReload10").setText("2530");
    pDialog->accept();
    EXPECT_EQ(sys.GetTimerReload(159), 2530.0f);
    EXPECT_EQ(sys.GetTimerReloadCount(159), 253);
}

TEST_F(TimerSetupTest, WithThePortClosedOkStoresAndCancelKeepsWhatSaveStored) {
    sys.SetCurLoop(1);
    sys.SetCurModule(6);
    {
        CModalScript script;
        script.Then([](QDialog& dialog) {
            Edit(dialog, "editReload1").setText("12.5");
            dialog.findChild<QPushButton*>("buttonSave")->click();
            Edit(dialog, "editReload2").setText("13.5");
            dialog.reject();
        });
        Trigger(ID_TIMER_SETUP);
    }
    EXPECT_EQ(sys.GetTimerReload(60), 12.5f);
    EXPECT_EQ(sys.GetTimerReload(61), 10.0f);
    {
        CModalScript script;
        script.Then([](QDialog& dialog) {
            dialog.findChild<QScrollBar*>("scrollModule")
                ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
            Edit(dialog, "editReload2").setText("13.5");
            dialog.accept();
        });
        Trigger(ID_TIMER_SETUP);
    }
    EXPECT_EQ(sys.GetTimerReload(71), 13.5f);
    EXPECT_EQ(sys.GetCurLoop(), 3) << "the timer loop stays current";
    EXPECT_EQ(sys.GetCurModule(), 6) << "the module is put back";
    EXPECT_TRUE(TakeFrames().empty());
}

class TimerLinkTest : public EditorCommandTest {};

TEST_F(TimerLinkTest, AllTimersAreReadBeforeAndSentAfterOk) {
    host.m_fnAnswer = CScriptedController::DefaultExcept({{":TR05\r", "FE\r\n"}});
    CModalScript script;
    script.Then([](QDialog& dialog) {
        EXPECT_EQ(Reload(dialog, 6), "25.4") << "the controller's value";
        Edit(dialog, "editReload1").setText("0.7");
        dialog.accept();
    });
    Trigger(ID_TIMER_SETUP);
    Frames astrExpected;
    for (int nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        char szReload[16], szCurrent[16];
        std::snprintf(szReload, sizeof szReload, ":TR%02X\r", nTimer);
        std::snprintf(szCurrent, sizeof szCurrent, ":T%02X\r", nTimer);
        astrExpected.insert(astrExpected.end(), {szReload, szCurrent});
    }
    for (int nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        char szReload[16], szCurrent[16];
        std::snprintf(szReload, sizeof szReload, ":TR%02X%02X\r", nTimer,
                      sys.GetTimerReloadCount(static_cast<short>(nTimer)));
        std::snprintf(szCurrent, sizeof szCurrent, ":T%02X00\r", nTimer);
        astrExpected.insert(astrExpected.end(), {szReload, szCurrent});
    }
    EXPECT_EQ(TakeDataFrames(), astrExpected);
    EXPECT_EQ(sys.GetTimerReloadCount(0), 7);
    EXPECT_EQ(sys.GetTimerReloadCount(5), 254);
    EXPECT_EQ(frame.WaitIndicator(), nullptr);
}

TEST_F(TimerLinkTest, CancelSendsNoWriteFrameAndAFailedSendIsReported) {
    {
        CModalScript script;
        script.Then(CModalScript::Reject());
        Trigger(ID_TIMER_SETUP);
    }
    for (const std::string& strFrame : TakeDataFrames())
        EXPECT_EQ(strFrame.size(), strFrame.rfind(":TR", 0) == 0 ? 6u : 5u) << strFrame;
    host.m_fnAnswer = CScriptedController::DefaultExcept({{":TR0264\r", "NO\r\n"}});
    m_shell.ExpectBox("ERROR WHILE TRANSMITTING TO DVX CPU");
    CModalScript script;
    script.Then(CModalScript::Accept());
    Trigger(ID_TIMER_SETUP);
    const Frames astrFrames = TakeDataFrames();
    EXPECT_EQ(astrFrames.back(), ":TR0264\r") << "the send stops at the refused reload";
}

TEST_F(TimerLinkTest, ModuleButtonsExchangeTheModuleShown) {
    sys.SetCurModule(15);
    CModalScript script;
    script.Then([this](QDialog& dialog) {
        TakeFrames();
        dialog.findChild<QPushButton*>("buttonRetrieve")->click();
        Frames astrReads;
        for (const std::string& strFrame : TakeDataFrames())
            astrReads.push_back(strFrame);
        EXPECT_EQ(astrReads.front(), ":TR96\r");
        EXPECT_EQ(astrReads.back(), ":T9F\r");
        EXPECT_EQ(astrReads.size(), 20u);
        // The refilled fields count as changed.
        m_shell.ExpectBox(kSaveQuestion, EBoxAnswer::No);
        dialog.findChild<QPushButton*>("buttonTransmit")->click();
        const Frames astrSends = TakeDataFrames();
        EXPECT_EQ(astrSends.front(), ":TR9664\r");
        EXPECT_EQ(astrSends.back(), ":T9F00\r");
        dialog.reject();
    });
    Trigger(ID_TIMER_SETUP);
}
