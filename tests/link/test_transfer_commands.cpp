#include "link/FrameLists.h"
#include "link/FullSystem.h"
#include "link/LinkFixture.h"
#include "link/ScriptedTransferHost.h"
#include "link/TransferCommands.h"

#include <algorithm>
#include <functional>

namespace {

Frames Starting(const Frames& astrFrames, const std::string& strStart) {
    Frames astrFound;
    std::copy_if(astrFrames.begin(), astrFrames.end(), std::back_inserter(astrFound),
                 [&](const std::string& s) { return s.rfind(strStart, 0) == 0; });
    return astrFound;
}

class TransferTest : public LinkTest {
protected:
    TransferTest() { m_shell.AllowOkBoxes(); }

    CScriptedTransferHost m_host{sys, comm, m_shell, host};
    CTransferCommands m_commands{sys, comm, m_shell, m_host};

    // Answers as the default controller, and closes the port instead of
    // answering the first frame that starts with strAt.
    void ClosePortAt(const std::string& strAt) {
        host.m_fnAnswer = [this, strAt](const std::string& strFrame) {
            if (strFrame.rfind(strAt, 0) != 0)
                return CScriptedController::DefaultAnswer(strFrame);
            host.Close();
            return std::string();
        };
    }
    // Answers "NO" to the frames that start with strFailing.
    void RefuseFrames(const std::string& strFailing) {
        host.m_fnAnswer = [strFailing](const std::string& strFrame) {
            if (strFrame.rfind(strFailing, 0) == 0)
                return std::string("NO\r\n");
            return CScriptedController::DefaultAnswer(strFrame);
        };
    }
    void DefineEquation(short nLoop, short nModule, short nChannel, short nSource) {
        Select(nLoop, nModule, nChannel);
        sys.SetOutput(true);
        sys.SetTermA(0, nSource);
    }
};

} // namespace

// --- transfer ---

TEST_F(TransferTest, TransferWithThePortClosedSaysSoAndDoesNothingElse) {
    host.m_bOpen = false;
    m_commands.OnTransfer();
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"COM PORT NOT OPEN."});
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Exclamation);
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_TRUE(m_host.m_astrCalls.empty()) << "no cursor, no pause, no picker";
    EXPECT_EQ(m_shell.m_nTitleUpdates, 1);
}

TEST_F(TransferTest, SystemTransferOfAFreshSystemSendsItsPhasesInOrder) {
    sys.ResetToDefaults();
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();

    Frames astrFrames = TakeFrames();
    ASSERT_EQ(astrFrames.size(), 2u + 1 + 1 + 3 + 10 + 320 + 8 + 2 + 1);
    Frames astrExpected = kPause;
    for (const char* szFrame : {":I0\r", ":CA\r", ":X0\r", ":XW0A\r", ":XI02\r"})
        astrExpected.push_back(szFrame);
    EXPECT_TRUE(std::equal(astrExpected.begin(), astrExpected.end(), astrFrames.begin()));
    EXPECT_EQ(CountStartingWith(astrFrames, ":U"), 10);
    EXPECT_EQ(astrFrames[7], ":U00" + sys.GetSysLabel(0) + "\r");
    EXPECT_EQ(CountStartingWith(astrFrames, ":TR"), 160);
    EXPECT_EQ(CountStartingWith(astrFrames, ":H"), 8);
    EXPECT_EQ(CountStartingWith(astrFrames, ":B") + CountStartingWith(astrFrames, ":L") +
                  CountStartingWith(astrFrames, ":O"),
              0);
    EXPECT_EQ(Frames(astrFrames.end() - 3, astrFrames.end()), (Frames{":E1\r", ":E1\r", ":I0\r"}));
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(m_host.m_astrCalls,
              (Frames{"busy", "pause", "pick group", "continue", "not busy", "close wait"}));
    EXPECT_EQ(host.m_astrProgress,
              (Frames{"Clearing DVX CPU memory ...", "Transmitting Booleans to DVX CPU ...",
                      "Transmitting channel labels to DVX CPU ...",
                      "Transmitting module labels to DVX CPU...",
                      "Transmitting system labels to DVX CPU ...", "Transmitting all timers ..."}));
}

TEST_F(TransferTest, TransferRestartsAModuleLinkThatRan) {
    sys.SetLinkActive(true);
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();
    Frames astrFrames = TakeFrames();
    EXPECT_EQ(astrFrames[2], ":I0\r");
    EXPECT_EQ(astrFrames.back(), ":I1\r");
    EXPECT_TRUE(sys.IsLinkActive());
}

TEST_F(TransferTest, SystemTransferSendsDefinedEquationsAndCustomLabelsOnly) {
    DefineEquation(1, 2, 3, 12);
    DefineEquation(3, 15, 9, 0);
    sys.SetChannelLabelInCurModule(0, "HORN");
    sys.SetModuleLabel(4, 5, "ENGINE");
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();
    Frames astrFrames = TakeFrames();
    Frames astrEquations = Starting(astrFrames, ":B");
    ASSERT_EQ(astrEquations.size(), 2u);
    EXPECT_EQ(astrEquations[0].substr(0, 5), ":B0B7");
    EXPECT_EQ(astrEquations[1].substr(0, 5), ":B27F");
    EXPECT_EQ(Starting(astrFrames, ":L"), Frames{":L276HORN\r"});
    EXPECT_EQ(Starting(astrFrames, ":O"), Frames{":O54ENGINE\r"});
}

TEST_F(TransferTest, ModuleTransferSendsTheModuleThenTheSystemWideSettings) {
    m_host.m_nGroup = CSystem::GroupModule;
    m_host.m_module = {1, 2};
    m_commands.OnTransfer();

    Frames astrFrames = TakeFrames();
    Frames astrBody(astrFrames.begin() + 3, astrFrames.end() - 3);
    ASSERT_EQ(astrBody.size(), 10u + 3 + 10 + 320 + 8);
    for (int i = 0; i < 10; ++i) {
        char szIndex[8];
        std::snprintf(szIndex, sizeof szIndex, "%03X", 0xB4 + i);
        EXPECT_EQ(astrBody[i].substr(0, 5), std::string(":B") + szIndex);
        EXPECT_EQ(astrBody[13 + i],
                  ":L" + std::string(szIndex) + sys.GetChannelLabel(2, i, 1) + "\r");
    }
    EXPECT_EQ(Frames(astrBody.begin() + 10, astrBody.begin() + 13),
              (Frames{":X0\r", ":XW0A\r", ":XI02\r"}));
    EXPECT_EQ(astrBody[23], ":TR0064\r");
    EXPECT_EQ(astrBody.back(), ":HO03FF\r");
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(sys.GetCurLoop(), 1);
    EXPECT_EQ(sys.GetCurModule(), 2);
}

TEST_F(TransferTest, ChannelTransferSendsEquationAndLabelWithoutAFinalMessage) {
    DefineEquation(0, 0, 4, 12);
    m_host.m_nGroup = CSystem::GroupChannel;
    m_host.m_module = {0, 0};
    m_host.m_nChannel = 4;
    m_commands.OnTransfer();
    Frames astrFrames = TakeFrames();
    EXPECT_EQ(Frames(astrFrames.begin() + 3, astrFrames.end() - 3),
              (Frames{":B004"
                      "020000"
                      "00C" +
                          std::string(15, 'F') + "3300\r",
                      ":L004Blue_Chl_A5\r"}));
    EXPECT_TRUE(m_shell.BoxTexts().empty());
}

// Virtual A1 = NOT Virtual A1 flips on every scan: an error of Virtual
// module A.
TEST_F(TransferTest, ErrorsAskOnceTheScopeIsKnownAndNoSendsNothing) {
    const Frames kBracketOnly{":E0\r", ":E0\r", ":I0\r", ":E1\r", ":E1\r", ":I0\r"};
    const std::string strQuestion =
        "THE SYSTEM HAS 1 ERRORS (Utility > Check system). TRANSFER ANYWAY?";
    struct Case {
        const char* szName;
        int nGroup;
        short nLoop;
        short nModule;
        bool bAsks;
    };
    for (const Case& c : {Case{"system", CSystem::GroupSystem, 0, 0, true},
                          Case{"the module with the error", CSystem::GroupModule, 2, 0, true},
                          Case{"another module", CSystem::GroupModule, 2, 1, false},
                          Case{"channel", CSystem::GroupChannel, 0, 3, true}}) {
        sys.Channel(0, 0, 2).m_anTermA[0] = 320;
        sys.Channel(0, 0, 2).m_abTermNotA[0] = 1;
        for (EBoxAnswer answer : {EBoxAnswer::No, EBoxAnswer::Yes}) {
            m_host.m_nGroup = c.nGroup;
            m_host.m_module = {c.nLoop, c.nModule};
            m_host.m_nChannel = 2;
            m_shell.m_aBoxes.clear();
            if (c.bAsks)
                m_shell.ExpectBox(strQuestion, answer);
            m_commands.OnTransfer();
            const Frames astrFrames = TakeFrames();
            const bool bSent = !c.bAsks || answer == EBoxAnswer::Yes;
            EXPECT_EQ(astrFrames == kBracketOnly, !bSent) << c.szName;
            if (!c.bAsks)
                continue;
            ASSERT_FALSE(m_shell.m_aBoxes.empty()) << c.szName;
            EXPECT_EQ(m_shell.m_aBoxes[0].buttons, EBoxButtons::YesNo);
            if (answer == EBoxAnswer::No) {
                EXPECT_EQ(m_shell.BoxTexts(), Frames{strQuestion}) << c.szName;
            }
        }
    }
}

// Loading a simulated controller sends what a system transfer sends, without
// the scope picker and without the check's question, errors or not.
TEST_F(TransferTest, LoadingSendsTheSystemTransferWithoutPickerOrQuestion) {
    sys.Channel(0, 0, 2).m_anTermA[0] = 320;
    sys.Channel(0, 0, 2).m_abTermNotA[0] = 1;
    m_shell.ExpectBox("THE SYSTEM HAS 1 ERRORS (Utility > Check system). TRANSFER ANYWAY?",
                      EBoxAnswer::Yes);
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();
    const Frames astrTransferred = TakeFrames();
    m_shell.m_aBoxes.clear();
    m_host.m_astrCalls.clear();

    m_commands.LoadSystem();
    EXPECT_EQ(TakeFrames(), astrTransferred);
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(m_host.m_astrCalls, (Frames{"busy", "pause", "continue", "not busy", "close wait"}));

    host.m_bOpen = false;
    m_shell.m_aBoxes.clear();
    m_commands.LoadSystem();
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_TRUE(m_shell.m_aBoxes.empty());
}

TEST_F(TransferTest, WarningsAndNotesDoNotAsk) {
    DefineEquation(0, 0, 0, 321);
    sys.SetChannelLabelInCurModule(1, "DOOR");
    sys.SetChannelLabelInCurModule(2, "DOOR");
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(CountStartingWith(TakeFrames(), ":B"), 1);
}

TEST_F(TransferTest, CancelledPickersSendOnlyTheBracketFrames) {
    const Frames kBracketOnly{":E0\r", ":E0\r", ":I0\r", ":E1\r", ":E1\r", ":I0\r"};
    struct Case {
        const char* szName;
        std::optional<int> nGroup;
        bool bModule;
    };
    for (const Case& c : {Case{"group cancelled", std::nullopt, false},
                          Case{"module cancelled", CSystem::GroupModule, false},
                          Case{"channel cancelled", CSystem::GroupChannel, true}}) {
        m_host.m_nGroup = c.nGroup;
        m_host.m_module.reset();
        if (c.bModule)
            m_host.m_module = {0, 0};
        m_host.m_nChannel.reset();
        m_commands.OnTransfer();
        EXPECT_EQ(TakeFrames(), kBracketOnly) << c.szName;
        EXPECT_TRUE(m_shell.BoxTexts().empty()) << c.szName;
    }
}

TEST_F(TransferTest, EveryFailedStepIsReportedAndTheTransferGoesOn) {
    RefuseFrames(":CA");
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();
    Frames astrFrames = TakeFrames();
    EXPECT_EQ(CountStartingWith(astrFrames, ":TR"), 160) << "the rest is still sent";
    EXPECT_EQ(m_shell.BoxTexts(), (Frames{"ERROR WHILE TRANSMITTING TO DVX CPU",
                                          "UPLOAD COMPLETED BUT ERRORS OCCURED\n"
                                          "the DVX CPU's memory was not cleared"}));

    m_shell.m_aBoxes.clear();
    RefuseFrames(":L");
    m_host.m_nGroup = CSystem::GroupChannel;
    m_host.m_module = {0, 0};
    m_host.m_nChannel = 0;
    m_commands.OnTransfer();
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"ERROR WHILE TRANSMITTING TO DVX CPU"});
}

// A refused frame stops its step where the step's sequence stops; the final
// box names everything the controller is then missing, not just the frame.
TEST_F(TransferTest, TheFinalBoxSaysWhatTheControllerIsMissing) {
    for (short nChannel = 0; nChannel < 10; ++nChannel) {
        Select(0, 0, nChannel);
        sys.SetCurChannelLabel("LAMP");
    }
    sys.SetModuleLabel(3, 1, "REAR");
    DefineEquation(2, 1, 2, 5);
    const struct {
        int nGroup;
        const char* szRefused;
        const char* szMissing;
    } aCases[] = {
        {CSystem::GroupSystem, ":L005",
         "BLUE LOOP channel labels from A6 on, module labels and system labels were not sent"},
        {CSystem::GroupSystem, ":O13",
         "YELLOW LOOP module labels from module D on and system "
         "labels were not sent"},
        {CSystem::GroupSystem, ":U03", "system labels from label 4 on were not sent"},
        {CSystem::GroupSystem, ":B14C", "VIRTUAL LOOP equations from B3 on were not sent"},
        {CSystem::GroupSystem, ":XW",
         "the sleep mode wake-up and inactivity intervals were not sent"},
        {CSystem::GroupSystem, ":X", "sleep mode was not sent"},
        {CSystem::GroupSystem, ":TR10", "timers from timer 17 on were not sent"},
        {CSystem::GroupSystem, ":HI02", "high speed pairs from pair 3 on were not sent"},
        {CSystem::GroupModule, ":L002", "BLUE LOOP channel labels from A3 on were not sent"},
    };
    for (const auto& c : aCases) {
        m_shell.m_aBoxes.clear();
        RefuseFrames(c.szRefused);
        m_host.m_nGroup = c.nGroup;
        m_host.m_module = {0, 0};
        m_commands.OnTransfer();
        EXPECT_EQ(m_shell.BoxTexts().back(),
                  std::string(CTransferCommands::kUploadErrorsText) + "\n" + c.szMissing)
            << c.szRefused;
    }
}

// A transfer the technician let go on despite the check sends the nearest
// count the controller holds, and says which values it changed.
TEST_F(TransferTest, TheFinalBoxListsTheCountsSentAsTheNearest) {
    sys.SetTimerReload(2, 25.6f);
    sys.SetTimerCurrent(9, -20.0f);
    m_shell.ExpectBox("THE SYSTEM HAS 2 ERRORS (Utility > Check system). TRANSFER ANYWAY?",
                      EBoxAnswer::Yes);
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();
    const Frames astrFrames = TakeFrames();
    EXPECT_NE(std::find(astrFrames.begin(), astrFrames.end(), ":TR02FE\r"), astrFrames.end());
    EXPECT_NE(std::find(astrFrames.begin(), astrFrames.end(), ":T0900\r"), astrFrames.end());
    EXPECT_EQ(m_shell.BoxTexts().back(), "UPLOAD SUCCESSFUL\n"
                                         "Timer A3's reload 25.6 s was sent as 25.4 s\n"
                                         "Timer A10's current value -20 s was sent as 0 s");
    EXPECT_EQ(m_commands.NearestTexts().size(), 2u);
}

// The controller then holds part of the system: the technician hears that
// once, not once for each step that could not go.
TEST_F(TransferTest, ClosingThePortDuringATransferSaysOnceItWasInterrupted) {
    ClosePortAt(":TR05");
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnTransfer();
    Frames astrFrames = TakeFrames();
    EXPECT_EQ(astrFrames.back(), ":TR0564\r") << "nothing is written after the port closed";
    EXPECT_EQ(m_shell.BoxTexts(), Frames{CTransferCommands::kUploadInterruptedText});
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Stop);
}

// Each outcome is told with the icon of its kind: a result Information, a
// refusal or a result with errors Exclamation, a lost port Stop.
TEST_F(TransferTest, EveryOutcomeIsToldWithTheIconOfItsKind) {
    struct Case {
        const char* szName;
        bool bRetrieve;
        int nGroup;
        std::function<void()> fnSetUp;
        const char* szText;
        EBoxIcon icon;
    };
    const Case aCases[] = {
        {"transfer, port closed", false, CSystem::GroupSystem, [this] { host.m_bOpen = false; },
         CTransferCommands::kPortNotOpenText, EBoxIcon::Exclamation},
        {"retrieve, port closed", true, CSystem::GroupModule, [this] { host.m_bOpen = false; },
         CTransferCommands::kPortNotOpenText, EBoxIcon::Exclamation},
        {"upload", false, CSystem::GroupSystem, [] {}, CTransferCommands::kUploadSuccessfulText,
         EBoxIcon::Information},
        {"upload refused", false, CSystem::GroupSystem, [this] { RefuseFrames(":CA"); },
         CTransferCommands::kUploadErrorsText, EBoxIcon::Exclamation},
        {"upload, port lost", false, CSystem::GroupSystem, [this] { ClosePortAt(":TR05"); },
         CTransferCommands::kUploadInterruptedText, EBoxIcon::Stop},
        {"download", true, CSystem::GroupModule, [] {}, CTransferCommands::kDownloadSuccessfulText,
         EBoxIcon::Information},
        {"download with a damaged answer", true, CSystem::GroupModule,
         [this] {
             host.m_fnAnswer = [](const std::string& strFrame) {
                 return strFrame == ":TR05\r" ? std::string("ZZ\r\n")
                                              : CScriptedController::DefaultAnswer(strFrame);
             };
         },
         CTransferCommands::kDownloadErrorsText, EBoxIcon::Exclamation},
        {"download, port lost", true, CSystem::GroupModule, [this] { ClosePortAt(":K"); },
         CTransferCommands::kDownloadInterruptedText, EBoxIcon::Stop},
        {"system download, port lost", true, CSystem::GroupSystem, [this] { ClosePortAt(":K1"); },
         CTransferCommands::kSystemPutBackText, EBoxIcon::Stop},
        {"upload of a count sent as the nearest", false, CSystem::GroupSystem,
         [this] {
             sys.SetTimerReload(2, 25.6f);
             m_shell.ExpectBox("THE SYSTEM HAS 1 ERRORS (Utility > Check system). TRANSFER ANYWAY?",
                               EBoxAnswer::Yes);
         },
         CTransferCommands::kUploadSuccessfulText, EBoxIcon::Exclamation},
    };
    for (const Case& c : aCases) {
        host.m_bOpen = true;
        comm.SetPortOpen(true);
        host.m_fnAnswer = CScriptedController::DefaultAnswer;
        m_shell.m_aBoxes.clear();
        c.fnSetUp();
        m_host.m_nGroup = c.nGroup;
        m_host.m_module = {0, 0};
        if (c.bRetrieve)
            m_commands.OnRetrieve();
        else
            m_commands.OnTransfer();
        ASSERT_FALSE(m_shell.m_aBoxes.empty()) << c.szName;
        const std::string& strText = m_shell.m_aBoxes.back().strText;
        EXPECT_EQ(strText.rfind(c.szText, 0), 0u) << c.szName << ": " << strText;
        EXPECT_EQ(m_shell.m_aBoxes.back().icon, c.icon) << c.szName;
    }
}

// --- retrieve ---

TEST_F(TransferTest, RetrieveWithThePortClosedSaysSoAndChangesNothing) {
    host.m_bOpen = false;
    m_commands.OnRetrieve();
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"COM PORT NOT OPEN."});
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_TRUE(m_host.m_astrCalls.empty());
}

TEST_F(TransferTest, ChannelRetrieveReadsEquationAndLabelBetweenTheBracketFrames) {
    const std::string strEquation = "060000"
                                    "002" +
                                    std::string(15, 'F') + "3300\r\n";
    host.m_fnAnswer = CScriptedController::DefaultExcept(
        {{":B000\r", strEquation}, {":K000\r", "FRONT DOOR\r\n"}});
    m_host.m_nGroup = CSystem::GroupChannel;
    m_host.m_module = {0, 0};
    m_host.m_nChannel = 0;
    m_commands.OnRetrieve();
    EXPECT_EQ(TakeFrames(),
              (Frames{":E0\r", ":E0\r", ":I0\r", ":B000\r", ":K000\r", ":I0\r", ":E1\r", ":E1\r"}));
    EXPECT_TRUE(m_shell.BoxTexts().empty());
    EXPECT_EQ(sys.GetChannelLabel(0, 0, 0), "FRONT DOOR");
    Select(0, 0, 0);
    EXPECT_TRUE(sys.GetOutput());
    EXPECT_TRUE(sys.GetPowerUpOn());
    EXPECT_EQ(sys.GetTermA(0), 2);
    EXPECT_EQ(m_host.m_astrCalls, (Frames{"pause", "busy", "pick group", "pick module",
                                          "pick channel", "not busy", "continue"}));
    EXPECT_EQ(m_shell.m_nTitleUpdates, 1);
}

TEST_F(TransferTest, CancelledRetrieveChangesNothingAndRestoresTheLink) {
    sys.SetLinkActive(true);
    DefineEquation(0, 1, 1, 5);
    m_commands.OnRetrieve();
    EXPECT_EQ(TakeFrames(), (Frames{":E0\r", ":E0\r", ":I0\r", ":I1\r", ":E1\r", ":E1\r"}));
    EXPECT_TRUE(sys.IsEquationDefined(1, 1, 0));
    EXPECT_EQ(m_shell.m_nTitleUpdates, 1);
}

TEST_F(TransferTest, ModuleRetrieveReadsTheModuleAndTheSystemWideSettings) {
    m_host.m_nGroup = CSystem::GroupModule;
    m_host.m_module = {3, 15};
    m_commands.OnRetrieve();
    Frames astrFrames = TakeFrames();
    Frames astrEquations = Starting(astrFrames, ":B");
    ASSERT_EQ(astrEquations.size(), 10u);
    EXPECT_EQ(astrEquations.front(), ":B276\r");
    EXPECT_EQ(astrEquations.back(), ":B27F\r");
    EXPECT_EQ(CountStartingWith(astrFrames, ":K27"), 10);
    EXPECT_EQ(CountStartingWith(astrFrames, ":X"), 3);
    EXPECT_EQ(CountStartingWith(astrFrames, ":T"), 320);
    EXPECT_EQ(CountStartingWith(astrFrames, ":H"), 8);
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"DOWNLOAD SUCCESSFUL"});
}

TEST_F(TransferTest, SystemRetrieveAsksToSaveThenReplacesTheSystem) {
    DefineEquation(2, 3, 4, 7);
    sys.SetModified();
    m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::No);
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnRetrieve();

    Frames astrFrames = TakeFrames();
    EXPECT_EQ(CountStartingWith(astrFrames, ":B"), 640);
    EXPECT_EQ(CountStartingWith(astrFrames, ":K"), 960);
    EXPECT_EQ(CountStartingWith(astrFrames, ":Q"), 96);
    EXPECT_EQ(CountStartingWith(astrFrames, ":V"), 10);
    EXPECT_EQ(CountStartingWith(astrFrames, ":X"), 3);
    EXPECT_EQ(CountStartingWith(astrFrames, ":T"), 320);
    EXPECT_EQ(CountStartingWith(astrFrames, ":H"), 8);
    EXPECT_FALSE(sys.IsEquationDefined(3, 4, 2)) << "replaced by the controller's empty one";
    EXPECT_TRUE(sys.IsModified()) << "a retrieve leaves the changed mark as it was";
    EXPECT_EQ(m_shell.BoxTexts(),
              (Frames{"Changes have been made. Do you wish to save?", "DOWNLOAD SUCCESSFUL"}));
    EXPECT_EQ(m_host.m_astrCalls,
              (Frames{"pause", "busy", "pick group", "wait Retrieving system ...", "close wait",
                      "not busy", "continue"}));
}

TEST_F(TransferTest, SystemRetrieveAfterTheSaveQuestion) {
    struct Case {
        const char* szName;
        CTransferHost::ESaveResult result;
        bool bRetrieved;
    };
    for (const Case& c :
         {Case{"saved", CTransferHost::ESaveResult::Saved, true},
          Case{"save dialog cancelled", CTransferHost::ESaveResult::Cancelled, true},
          Case{"save failed", CTransferHost::ESaveResult::Failed, false}}) {
        DefineEquation(2, 3, 4, 7);
        sys.SetModified();
        m_shell.m_aBoxes.clear();
        m_host.m_astrCalls.clear();
        m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::Yes);
        m_host.m_saveResult = c.result;
        m_host.m_nGroup = CSystem::GroupSystem;
        m_commands.OnRetrieve();
        Frames astrFrames = TakeFrames();
        EXPECT_EQ(CountStartingWith(astrFrames, ":B") > 0, c.bRetrieved) << c.szName;
        EXPECT_EQ(sys.IsEquationDefined(3, 4, 2), !c.bRetrieved) << c.szName;
        EXPECT_EQ(m_host.m_astrCalls[3], "save as") << c.szName;
        EXPECT_EQ(Frames(astrFrames.end() - 3, astrFrames.end()),
                  (Frames{":I0\r", ":E1\r", ":E1\r"}))
            << c.szName << ": the link is restored in every case";
    }
}

TEST_F(TransferTest, InterruptedSystemRetrievePutsTheSystemBack) {
    DefineEquation(2, 3, 4, 7);
    sys.SetModuleLabel(1, 0, "LIGHTS");
    sys.SetTimerReload(17, 4.5f);
    sys.SetSysLabel(CSystem::SysLabelFileName, "BUS7");
    sys.SetFilePath("/fleet/BUS7.DVX");
    ClosePortAt(":K1");
    m_host.m_nGroup = CSystem::GroupSystem;
    m_commands.OnRetrieve();

    EXPECT_EQ(m_shell.BoxTexts(),
              Frames{"DOWNLOAD INTERRUPTED: THE COM PORT CLOSED BEFORE ALL DATA WAS RECEIVED.\n"
                     "THE SYSTEM HAS BEEN PUT BACK AS IT WAS BEFORE THE RETRIEVE."});
    EXPECT_TRUE(sys.IsEquationDefined(3, 4, 2));
    EXPECT_EQ(sys.GetModuleLabel(1, 0), "LIGHTS");
    EXPECT_FLOAT_EQ(sys.GetTimerReload(17), 4.5f);
    EXPECT_EQ(sys.GetSysLabel(CSystem::SysLabelFileName), "BUS7");
    EXPECT_EQ(sys.GetFilePath(), "/fleet/BUS7.DVX");
    EXPECT_EQ(m_host.m_astrCalls.back(), "continue");
    EXPECT_NE(std::find(m_host.m_astrCalls.begin(), m_host.m_astrCalls.end(), "close wait"),
              m_host.m_astrCalls.end());
}

TEST_F(TransferTest, InterruptedModuleOrChannelRetrieveSaysSo) {
    const std::string kInterrupted =
        "DOWNLOAD INTERRUPTED: THE COM PORT CLOSED BEFORE ALL DATA WAS RECEIVED.";
    for (int nGroup : {CSystem::GroupModule, CSystem::GroupChannel}) {
        host.m_bOpen = true;
        comm.SetPortOpen(true);
        m_shell.m_aBoxes.clear();
        ClosePortAt(":K");
        m_host.m_nGroup = nGroup;
        m_host.m_module = {0, 0};
        m_host.m_nChannel = 0;
        m_commands.OnRetrieve();
        EXPECT_EQ(m_shell.BoxTexts(), Frames{kInterrupted}) << nGroup;
    }
}

// --- link and processor commands ---

TEST_F(TransferTest, LinkCommandsSendTheirFrameWithoutPauseAndMarkTheLink) {
    m_commands.OnStartLink();
    EXPECT_EQ(TakeFrames(), Frames{":I1\r"});
    EXPECT_TRUE(sys.IsLinkActive());
    m_commands.OnStopLink();
    EXPECT_EQ(TakeFrames(), Frames{":I0\r"});
    EXPECT_FALSE(sys.IsLinkActive());
    EXPECT_EQ(m_shell.m_nTitleUpdates, 2);
    EXPECT_TRUE(m_host.m_astrCalls.empty());
}

TEST_F(TransferTest, LinkCommandsWithThePortClosedSendAndChangeNothing) {
    host.m_bOpen = false;
    sys.SetLinkActive(true);
    m_commands.OnStopLink();
    EXPECT_TRUE(sys.IsLinkActive());
    sys.SetLinkActive(false);
    m_commands.OnStartLink();
    EXPECT_FALSE(sys.IsLinkActive());
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_TRUE(m_shell.BoxTexts().empty());
}

TEST_F(TransferTest, ProcessorTimeShowsSecondsWithSixDecimals) {
    host.m_bOpen = false;
    m_commands.OnCpuProcessingTime();
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"Boolean processor time 0.000000"});

    m_shell.m_aBoxes.clear();
    host.m_bOpen = true;
    host.m_fnAnswer = [](const std::string&) { return std::string("1F\r\n"); };
    m_commands.OnCpuProcessingTime();
    EXPECT_EQ(TakeFrames(), Frames{":J\r"});
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"Boolean processor time 0.031000"});

    m_shell.m_aBoxes.clear();
    host.m_bOpen = false;
    m_commands.OnCpuProcessingTime();
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"Boolean processor time 0.031000"})
        << "the last value received";
}

// --- progress ---

namespace {

struct ProgressCase {
    const char* szName;
    int nGroup;
    bool bRetrieve;
    bool bFull;
};

const ProgressCase kProgressCases[] = {
    {"fresh system transfer", CSystem::GroupSystem, false, false},
    {"full system transfer", CSystem::GroupSystem, false, true},
    {"module transfer", CSystem::GroupModule, false, true},
    {"module retrieve", CSystem::GroupModule, true, false},
    {"system retrieve", CSystem::GroupSystem, true, false},
};

class ProgressTest : public TransferTest {
protected:
    void Run(const ProgressCase& c) {
        if (c.bFull)
            FillSystem(sys);
        // The full system's logic has errors, some on Yellow module C: its
        // transfers ask first.
        if (c.bFull)
            m_shell.AnswerBox(EBoxAnswer::Yes);
        sys.ClearModified();
        m_host.m_nGroup = c.nGroup;
        m_host.m_module = {1, 2};
        if (c.bRetrieve)
            m_commands.OnRetrieve();
        else
            m_commands.OnTransfer();
    }
};

} // namespace

// The bar counts the frames between the pause and continue frames: one step
// a frame, full exactly at the last one, and full again when the sequence
// ends.
TEST_F(ProgressTest, BarStepsOncePerFrameAndIsFullAtTheLast) {
    for (const ProgressCase& c : kProgressCases) {
        Run(c);
        const std::size_t nBracketFrames = kPause.size() + kContinue.size() + 2;
        const std::size_t nFrames = TakeFrames().size() - nBracketFrames;
        const auto& aProgress = host.m_aProgress;
        ASSERT_EQ(aProgress.size(), nFrames + 2) << c.szName;
        for (std::size_t i = 0; i < aProgress.size(); ++i) {
            EXPECT_EQ(aProgress[i].nTotal, static_cast<int>(nFrames)) << c.szName;
            EXPECT_EQ(aProgress[i].nDone, static_cast<int>(std::min(i, nFrames))) << c.szName;
        }
        EXPECT_EQ(aProgress.back().timeLeft.count(), 0) << c.szName;
        EXPECT_EQ(CountStartingWith(m_shell.m_astrTraces, "Malformed"), 0)
            << c.szName << ": the count reads nothing";
        host.m_aProgress.clear();
        m_shell.m_astrTraces.clear();
    }
}

// The counting run stores nothing: a module retrieve brings back exactly
// what the controller answered.
TEST_F(ProgressTest, CountingStoresNothing) {
    FillSystem(sys);
    const Frames astrFull = TransferredFields(sys);
    CTransferProgress::CCount count = comm.CountFrames([this] { comm.ReadModuleEquations(); });
    EXPECT_EQ(count.nFrames, 10);
    EXPECT_EQ(count.nBytes, 10u * 6);
    EXPECT_EQ(TransferredFields(sys), astrFull);
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_TRUE(host.m_astrStatus.empty());
}

// On a line paced as the real one (each frame and its answer take their
// bytes' time), the time left only falls once the first frame has been
// measured, within the wobble of frames whose answers are longer or shorter
// than the ones before, and ends at zero.
TEST_F(ProgressTest, TimeLeftFallsOnAPacedLine) {
    CTransferProgress::Clock::time_point now{};
    comm.SetClock([&] { return now; });
    for (const ProgressCase& c : kProgressCases) {
        host.m_fnOnFrame = [&](const std::string& strFrame) {
            std::string strAnswer = CScriptedController::DefaultAnswer(strFrame);
            now += std::chrono::duration_cast<CTransferProgress::Clock::duration>(
                CTransferProgress::WireTime(strFrame.size() + strAnswer.size()));
        };
        Run(c);
        const auto& aProgress = host.m_aProgress;
        ASSERT_GT(aProgress.size(), 10u) << c.szName;
        const auto tolerance = aProgress[2].timeLeft / 10;
        for (std::size_t i = 3; i < aProgress.size(); ++i)
            EXPECT_LE(aProgress[i].timeLeft, aProgress[i - 1].timeLeft + tolerance)
                << c.szName << " frame " << i;
        EXPECT_GT(aProgress[aProgress.size() - 3].timeLeft.count(), 0) << c.szName;
        EXPECT_EQ(aProgress.back().timeLeft.count(), 0) << c.szName;
        host.m_aProgress.clear();
        TakeFrames();
    }
}
