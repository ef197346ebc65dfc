#include "editors/EditorFixture.h"
#include "editors/HiSpeedDlg.h"
#include "editors/HiSpeedRules.h"
#include "shell/CommandIds.h"
#include "support/Screenshot.h"

#include <QGroupBox>
#include <QScrollBar>

namespace {

using Coordinates = std::pair<short, short>;

class HighSpeedTest : public EditorCommandTest {
protected:
    HighSpeedTest() {
        ClosePort();
        // Module B of the Blue loop holds a type without outputs, so strict
        // checking refuses its channels as high speed outputs.
        EXPECT_TRUE(m_types.AddType());
        m_types.SetTypeName("INPUTS");
        sys.SetModuleType(1, 0, 1);
        m_types.SetStrictChecking(true);
    }

    void DefineEquation(short nModule, short nChannel) {
        sys.Channel(nModule, nChannel, 0).m_anTermA[0] = CSystem::MakeIndex(1, 0, 0);
    }
    void Apply(short nPair, const CHiSpeedChoice& choice) {
        CHiSpeedRules rules(sys, m_types, m_shell, [this](short nModule, short nChannel) {
            m_aSent.emplace_back(nModule, nChannel);
        });
        rules.Apply(nPair, choice);
    }
    static QScrollBar& Bar(QWidget& dialog, const QString& strName) {
        return *dialog.findChild<QScrollBar*>(strName);
    }

    std::vector<Coordinates> m_aSent;
};

// What a pair held before (P1 to P2) and what the rules leave.
constexpr short kOldInput = 150;
constexpr short kOldOutput = 151;

struct PairCase {
    const char* szName;
    short nPair;
    CHiSpeedChoice choice;
    std::vector<Coordinates> aEquations; // Blue loop channels carrying one
    std::vector<std::pair<std::string, EBoxAnswer>> aBoxes;
    short nInput, nOutput; // stored afterwards
    std::vector<Coordinates> aSent;
};

const PairCase kPairCases[] = {
    {"a pair missing one coordinate is removed", 1, {-1, 2, 3, 3}, {}, {}, -1, -1, {}},
    {"pair 1 without equations is set even where strict checking refuses",
     0,
     {0, 0, 1, 1},
     {},
     {},
     0,
     11,
     {}},
    {"pair 1 with an equation is refused by strict checking",
     0,
     {0, 0, 1, 1},
     {{1, 1}},
     {{"CHANNEL 1 CAN NOT BE DEFINED AS A HIGH SPEED OUTPUT. STRICT MODULE TYPE CHECKING IS "
       "ENABLED.",
       EBoxAnswer::Ok}},
     kOldInput,
     kOldOutput,
     {}},
    {"pair 3 is refused by strict checking without any equation",
     2,
     {0, 0, 1, 1},
     {},
     {{"CHANNEL 3 CAN NOT BE DEFINED AS A HIGH SPEED OUTPUT. STRICT MODULE TYPE CHECKING IS "
       "ENABLED.",
       EBoxAnswer::Ok}},
     kOldInput,
     kOldOutput,
     {}},
    {"pair 1 with equations is set after OK, both channels cleared and sent",
     0,
     {0, 0, 0, 1},
     {{0, 0}, {0, 1}},
     {{"BOOLEAN(S) EXISTS FOR CHANNEL 1, CLEAR AND CONTINUE?", EBoxAnswer::Ok}},
     0,
     1,
     {{0, 0}, {0, 1}}},
    {"pair 4 keeps its old value after Cancel",
     3,
     {2, 4, 3, 5},
     {{3, 5}},
     {{"BOOLEAN(S) EXISTS FOR CHANNEL 4, CLEAR AND CONTINUE?", EBoxAnswer::Cancel}},
     kOldInput,
     kOldOutput,
     {}},
    {"pair 2 may use one channel as input and output",
     1,
     {4, 4, 4, 4},
     {{4, 4}},
     {{"BOOLEAN(S) EXISTS FOR CHANNEL 2, CLEAR AND CONTINUE?", EBoxAnswer::Ok}},
     44,
     44,
     {{4, 4}, {4, 4}}},
};

} // namespace

TEST_F(HighSpeedTest, PairRules) {
    for (const PairCase& c : kPairCases) {
        SCOPED_TRACE(c.szName);
        sys.ResetToDefaults();
        sys.SetModuleType(1, 0, 1);
        sys.ClearModified();
        m_aSent.clear();
        sys.SetHiSpeedInput(c.nPair, kOldInput);
        sys.SetHiSpeedOutput(c.nPair, kOldOutput);
        for (const auto& [nModule, nChannel] : c.aEquations)
            DefineEquation(nModule, nChannel);
        for (const auto& [strText, answer] : c.aBoxes)
            m_shell.ExpectBox(strText, answer);
        const std::size_t nBoxesBefore = m_shell.m_aBoxes.size();
        Apply(c.nPair, c.choice);
        EXPECT_EQ(m_shell.m_aBoxes.size() - nBoxesBefore, c.aBoxes.size());
        EXPECT_EQ(sys.GetHiSpeedInput(c.nPair), c.nInput);
        EXPECT_EQ(sys.GetHiSpeedOutput(c.nPair), c.nOutput);
        const bool bChanged = c.nInput != kOldInput;
        EXPECT_EQ(sys.IsModified(), bChanged);
        EXPECT_EQ(m_aSent, c.aSent);
        for (const auto& [nModule, nChannel] : c.aEquations)
            EXPECT_EQ(sys.IsEquationDefined(nModule, nChannel, 0), !bChanged)
                << "equations are cleared only with the pair set";
    }
}

TEST_F(HighSpeedTest, QuestionHasOkCancelAndAnExclamationAndAClearedChannelKeepsItsLabel) {
    DefineEquation(2, 2);
    sys.Channel(2, 2, 0).m_bMomentaryLatch = 1;
    sys.StoreChannelLabel(2, 2, 0, "BRAKE SW");
    m_shell.ExpectBox("BOOLEAN(S) EXISTS FOR CHANNEL 2, CLEAR AND CONTINUE?", EBoxAnswer::Ok);
    Apply(1, {2, 2, 3, 3});
    ASSERT_EQ(m_shell.m_aBoxes.size(), 1u);
    EXPECT_EQ(m_shell.m_aBoxes[0].buttons, EBoxButtons::OkCancel);
    EXPECT_EQ(m_shell.m_aBoxes[0].icon, EBoxIcon::Exclamation);
    const CChannelRecord& record = sys.Channel(2, 2, 0);
    EXPECT_EQ(record.m_anTermA[0], -1);
    EXPECT_EQ(record.m_bMomentaryLatch, 0);
    EXPECT_EQ(sys.GetChannelLabel(2, 2, 0), "BRAKE SW");
    // The pair's channels are high speed channels of the Blue loop only.
    EXPECT_TRUE(sys.IsHiSpeedChannel(2, 2, 0));
    EXPECT_TRUE(sys.IsHiSpeedChannel(3, 3, 0));
    EXPECT_FALSE(sys.IsHiSpeedChannel(2, 2, 1));
}

TEST_F(HighSpeedTest, DialogShowsThePairsAndUnusedOnesAsNone) {
    sys.SetHiSpeedInput(0, CSystem::MakeIndex(0, 2, 6));
    sys.SetHiSpeedOutput(0, CSystem::MakeIndex(0, 3, 0));
    sys.StoreChannelLabel(2, 6, 0, "IGNITION");
    CHiSpeedDlg dialog(sys, m_types, m_shell, [](short, short) {});
    SaveScreenshot(dialog, "HiSpeedDlg");
    EXPECT_EQ(dialog.windowTitle(), "HIGH SPEED CHANNEL SELECTOR - BLUE LOOP");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("groupOutChannel3")->title(), "OUTPUT CHANNEL 3");
    EXPECT_EQ(Edit(dialog, "editInDesignation1").text(), "C7");
    EXPECT_EQ(Edit(dialog, "editInChannelLabel1").text(), "IGNITION");
    EXPECT_EQ(Edit(dialog, "editInModuleLetter1").text(), "C");
    EXPECT_EQ(Edit(dialog, "editInModuleLabel1").text(), "Blue_Modul_C");
    EXPECT_EQ(Edit(dialog, "editOutDesignation1").text(), "D1");
    EXPECT_EQ(Bar(dialog, "scrollInChannel1").value(), 6);
    EXPECT_EQ(Bar(dialog, "scrollInModule1").minimum(), -1);
    EXPECT_EQ(Edit(dialog, "editInDesignation2").text(), "_");
    EXPECT_EQ(Edit(dialog, "editInModuleLetter2").text(), "");
    EXPECT_EQ(Bar(dialog, "scrollOutModule4").value(), -1);
    EXPECT_EQ(Bar(dialog, "scrollOutChannel4").value(), -1);
}

// A module label longer than its field, as an old file may hold, is cut
// alike when the dialog opens and after a bar moves.
TEST_F(HighSpeedTest, ALongModuleLabelIsCutAlikeAtOpeningAndAfterAMove) {
    sys.SetModuleLabel(2, 0, "FRONT LIGHTING BAR LEFT");
    sys.SetHiSpeedInput(0, CSystem::MakeIndex(0, 2, 6));
    sys.SetHiSpeedOutput(0, CSystem::MakeIndex(0, 3, 0));
    CHiSpeedDlg dialog(sys, m_types, m_shell, [](short, short) {});
    EXPECT_EQ(Edit(dialog, "editInModuleLabel1").text(), "FRONT LIGHTING ");
    Bar(dialog, "scrollInModule1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Edit(dialog, "editInModuleLabel1").text(), "Blue_Modul_D");
    Bar(dialog, "scrollInModule1").triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Edit(dialog, "editInModuleLabel1").text(), "FRONT LIGHTING ");
}

TEST_F(HighSpeedTest, ScrollingAModuleToNoneRemovesThePairWhileItsChannelsShow) {
    sys.SetHiSpeedInput(1, CSystem::MakeIndex(0, 0, 2));
    sys.SetHiSpeedOutput(1, CSystem::MakeIndex(0, 5, 3));
    CHiSpeedDlg dialog(sys, m_types, m_shell, [](short, short) {});
    Bar(dialog, "scrollInModule2").triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(Bar(dialog, "scrollInModule2").value(), -1);
    EXPECT_EQ(Edit(dialog, "editInModuleLetter2").text(), "");
    EXPECT_EQ(Edit(dialog, "editInDesignation2").text(), "");
    EXPECT_EQ(Edit(dialog, "editOutDesignation2").text(), "F4") << "the other side still shows";
    Bar(dialog, "scrollOutChannel1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    Bar(dialog, "scrollOutModule1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Edit(dialog, "editOutDesignation1").text(), "A1");
    EXPECT_EQ(Edit(dialog, "editOutChannelLabel1").text(), "Blue_Chl_A1");
    dialog.accept();
    EXPECT_EQ(sys.GetHiSpeedInput(1), -1);
    EXPECT_EQ(sys.GetHiSpeedOutput(1), -1);
    EXPECT_EQ(sys.GetHiSpeedInput(0), -1) << "pair 1 has no input yet";
}

class HighSpeedLinkTest : public EditorCommandTest {};

TEST_F(HighSpeedLinkTest, PairsAreReadBeforeAndSentAfterOkWithTheClearedEquations) {
    host.m_fnAnswer =
        CScriptedController::DefaultExcept({{":HI00\r", "00\r\n"}, {":HO00\r", "01\r\n"}});
    sys.Channel(1, 0, 0).m_anTermA[0] = 5;
    CModalScript script;
    script.Then([](QDialog& dialog) {
        EXPECT_EQ(Edit(dialog, "editOutDesignation1").text(), "A2") << "the controller's pair";
        for (const char* szBar : {"scrollInModule2", "scrollOutModule2"})
            dialog.findChild<QScrollBar*>(szBar)->triggerAction(
                QAbstractSlider::SliderSingleStepAdd);
        dialog.findChild<QScrollBar*>("scrollInChannel2")
            ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        dialog.findChild<QScrollBar*>("scrollOutModule2")
            ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        dialog.findChild<QScrollBar*>("scrollOutChannel2")
            ->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        dialog.accept();
    });
    m_shell.ExpectBox("BOOLEAN(S) EXISTS FOR CHANNEL 2, CLEAR AND CONTINUE?", EBoxAnswer::Ok);
    Trigger(ID_HIGH_SPEED_CHANNELS);
    const Frames astrFrames = TakeDataFrames();
    const Frames astrReads{":HI00\r", ":HO00\r", ":HI01\r", ":HO01\r",
                           ":HI02\r", ":HO02\r", ":HI03\r", ":HO03\r"};
    ASSERT_GE(astrFrames.size(), 8u);
    EXPECT_EQ(Frames(astrFrames.begin(), astrFrames.begin() + 8), astrReads);
    const Frames astrAfter(astrFrames.begin() + 8, astrFrames.end());
    ASSERT_EQ(astrAfter.size(), 10u);
    EXPECT_EQ(astrAfter[0].substr(0, 5), ":B000") << "the cleared input A1";
    EXPECT_EQ(astrAfter[1].substr(0, 5), ":B00A") << "the cleared output B1";
    EXPECT_EQ(Frames(astrAfter.begin() + 2, astrAfter.end()),
              (Frames{":HI0000\r", ":HO0001\r", ":HI0100\r", ":HO010A\r", ":HI02FF\r", ":HO02FF\r",
                      ":HI03FF\r", ":HO03FF\r"}));
    EXPECT_FALSE(sys.IsEquationDefined(1, 0, 0));
}

TEST_F(HighSpeedLinkTest, CancelSendsNoWriteFrame) {
    CModalScript script;
    script.Then(CModalScript::Reject());
    Trigger(ID_HIGH_SPEED_CHANNELS);
    for (const std::string& strFrame : TakeDataFrames())
        EXPECT_EQ(strFrame.size(), 6u) << strFrame;
}
