#include "editors/BooleanCommands.h"
#include "editors/BooleanEditorFixture.h"
#include "link/FrameLists.h"
#include "link/SimSerialFixture.h"
#include "moduletypes/ModuleTypes.h"
#include "support/ModalScript.h"

#include <memory>

namespace {

// The console's picture of a loop in which only module A shows strModuleA.
std::string LoopLine(int nLoop, const std::string& strModuleA, char cOther = 0,
                     const std::string& strOther = {}) {
    std::string strLine = "loop " + std::to_string(nLoop);
    for (char cModule = 'A'; cModule <= 'P'; ++cModule) {
        std::string strBits = cModule == 'A' ? strModuleA : std::string(10, '0');
        if (cModule == cOther)
            strBits = strOther;
        strLine += std::string(" ") + cModule + ":" + strBits;
    }
    return strLine;
}

// The Booleans menu's commands on Corvel's protocol object and serial
// control, port 1 pointed at dvxsim; the dialogs answer as the test says.
class BooleanEndToEnd : public SimSerialTest<BooleanEditorTest> {
protected:
    BooleanEndToEnd() {
        m_shell.AllowOkBoxes();
        m_commands.SetLink(&m_host, &comm);
    }

    std::string Controller(const std::string& strChannel) {
        return m_pSim->Console("equation " + strChannel);
    }

    CModuleTypes m_types{m_dir.Str(), m_shell};
    CBooleanCommands m_commands{sys, m_types, m_shell, nullptr};
};

} // namespace

TEST_F(BooleanEndToEnd, TheEditorEditsTheControllersEquationAndTheProcessorRunsTheNewOne) {
    ASSERT_TRUE(Start()) << port.ErrorString().toStdString();
    // The controller runs Q = Blue B3 on Blue A1; the PC knows nothing of it.
    Select(0, 0, 0);
    sys.SetTermA(0, 12);
    sys.SetOutput(true);
    ASSERT_TRUE(comm.SendEquation());
    sys.ClearCurEquation();
    Received();

    CModalScript script;
    script.Then([](QDialog& dialog) {
        EXPECT_EQ("B3", Term(dialog, "A1")) << "read from the controller before the dialog";
        EXPECT_TRUE(Box(dialog, "checkOutput").isChecked());
        Bar(dialog, "A1").triggerAction(QAbstractSlider::SliderSingleStepAdd);
        dialog.accept();
    });
    m_commands.EditCurrentEquation();

    EXPECT_EQ(13, sys.GetTermA(0));
    EXPECT_EQ(Received(), Joined({kPause,
                                  {":B000\r"},
                                  kContinue,
                                  kPause,
                                  {CControllerProtocol::EquationFrame(sys)},
                                  kContinue}));
    EXPECT_EQ(Controller("blue A 1"), "Blue_Chl_A1: Q=(Blue_Chl_B4)");
    EXPECT_EQ(m_pSim->ReadOutputLine(), "  output on, on at power up off, latch off, state off");
    EXPECT_TRUE(m_shell.m_aBoxes.empty());

    EXPECT_EQ(m_pSim->Console("set blue B 4 1"), "ok Blue_Chl_B4 1");
    const std::string strOn = LoopLine(0, "1000000000", 'B', "0001000000");
    EXPECT_EQ(m_pSim->ConsoleUntil("loop 0", strOn), strOn);
}

TEST_F(BooleanEndToEnd, CancelSendsNothingAndAnUnacknowledgedSendIsReported) {
    ASSERT_TRUE(Start({"--refuse", ":B0C1?*"}));
    Select(1, 3, 3);
    Received();
    {
        CModalScript script;
        script.Then(CModalScript::Reject());
        m_commands.EditCurrentEquation();
        EXPECT_EQ(Received(), Joined({kPause, {":B0C1\r"}, kContinue}));
    }
    CModalScript script;
    script.Then([](QDialog& dialog) {
        Type(dialog, "editModuleA1", "A");
        Box(dialog, "checkOutput").click();
        dialog.accept();
    });
    m_shell.ExpectBox("ERROR WHILE TRANSMITTING TO DVX CPU");
    m_commands.EditCurrentEquation();
    EXPECT_EQ(sys.GetTermA(0), 160) << "the edit stays in the system";
}

TEST_F(BooleanEndToEnd, ClearSendsTheEmptiedChannel) {
    ASSERT_TRUE(Start());
    Select(0, 1, 4);
    sys.SetTermA(2, 7);
    sys.SetOutput(true);
    ASSERT_TRUE(comm.SendEquation());
    ASSERT_EQ(Controller("blue B 5"), "Blue_Chl_B5: Q=(Blue_Chl_A8)");
    m_pSim->ReadOutputLine();
    Received();

    m_shell.ExpectBox(CBooleanCommands::kClearAnotherText, EBoxAnswer::No);
    CModalScript script;
    script.Then(CModalScript::Accept());
    m_commands.OnBooleanClear();
    EXPECT_EQ(Received(), Joined({kPause, {CControllerProtocol::EquationFrame(sys)}, kContinue}));
    EXPECT_EQ(Controller("blue B 5"), "Blue_Chl_B5: no equation");
}

TEST_F(BooleanEndToEnd, CopyOntoThreeDestinationsSendsExactlyThoseInOrder) {
    ASSERT_TRUE(Start());
    Select(0, 0, 0);
    sys.SetTermA(0, 12);
    sys.SetOutput(true);
    sys.StoreChannelLabel(9, 1, 1, "MIRROR HEAT");
    Received();

    struct Channel {
        short nLoop, nModule, nChannel;
    };
    CModalScript script;
    script.Then([](QDialog& dialog) {
        for (const Channel& to : {Channel{1, 9, 1}, Channel{0, 2, 4}, Channel{0, 2, 0}}) {
            auto* pLoops = dialog.findChild<QComboBox*>("comboDestinationLoop");
            pLoops->setCurrentIndex(to.nLoop);
            emit pLoops->activated(to.nLoop);
            dialog.findChild<QScrollBar*>("scrollDestinationModule")->setSliderPosition(to.nModule);
            dialog.findChild<QScrollBar*>("scrollDestinationChannel")
                ->setSliderPosition(to.nChannel);
            Button(dialog, "buttonCopy").click();
        }
        dialog.accept();
    });
    m_commands.OnBooleanCopy();

    Frames astrSent = Joined({kPause, {":I0\r"}});
    for (const Channel& sent : {Channel{0, 2, 0}, Channel{0, 2, 4}, Channel{1, 9, 1}}) {
        Select(sent.nLoop, sent.nModule, sent.nChannel);
        char szLabel[8];
        std::snprintf(szLabel, sizeof szLabel, ":L%03X", sys.GetCurIndex());
        astrSent.push_back(CControllerProtocol::EquationFrame(sys));
        astrSent.push_back(szLabel + sys.GetCurChannelLabel() + "\r");
    }
    astrSent = Joined({astrSent, {":I0\r"}, kContinue});
    EXPECT_EQ(Received(), astrSent);
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
    EXPECT_EQ(Controller("yellow J 2"), "MIRROR HEAT: Q=(Blue_Chl_B3)");
    EXPECT_EQ(m_pSim->ReadOutputLine(), "  output on, on at power up off, latch off, state off");
}
