#include "link/TransferFixture.h"

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
    std::string strLastCallAtBox;
    m_shell.m_fnWhileBoxShown = [&] { strLastCallAtBox = m_host.m_astrCalls.back(); };
    m_commands.OnTransfer();
    EXPECT_EQ(strLastCallAtBox, "close wait") << "the result stands alone, without the indicator";

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
    EXPECT_EQ(m_host.m_astrCalls, (Frames{"busy", "pause", "pick group", "close wait", "continue",
                                          "not busy", "close wait"}));
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
    EXPECT_EQ(m_host.m_astrCalls,
              (Frames{"busy", "pause", "close wait", "continue", "not busy", "close wait"}));

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
// once, not once for each step that could not go. A port opened again at
// once is a new link: nothing more of the interrupted command reaches it.
TEST_F(TransferTest, ClosingThePortDuringATransferSaysOnceItWasInterrupted) {
    struct Case {
        const char* szName;
        bool bRetrieve;
        const char* szAt;
        bool bReopen;
        const char* szText;
    };
    const Case aCases[] = {
        {"transfer", false, ":TR05", false, CTransferCommands::kUploadInterruptedText},
        {"transfer, port opened again", false, ":TR05", true,
         CTransferCommands::kUploadInterruptedText},
        {"system retrieve, port opened again", true, ":K1", true,
         CTransferCommands::kSystemPutBackText},
    };
    for (const Case& c : aCases) {
        host.m_bOpen = true;
        comm.SetPortOpen(true);
        m_shell.m_aBoxes.clear();
        TakeFrames();
        ClosePortAt(c.szAt, c.bReopen);
        m_host.m_nGroup = CSystem::GroupSystem;
        if (c.bRetrieve)
            m_commands.OnRetrieve();
        else
            m_commands.OnTransfer();
        Frames astrFrames = TakeFrames();
        ASSERT_FALSE(astrFrames.empty()) << c.szName;
        EXPECT_EQ(astrFrames.back().rfind(c.szAt, 0), 0u)
            << c.szName << ": nothing is written after the port closed, " << astrFrames.back();
        ASSERT_EQ(m_shell.m_aBoxes.size(), 1u) << c.szName;
        EXPECT_EQ(m_shell.m_aBoxes[0].strText.rfind(c.szText, 0), 0u) << c.szName;
        EXPECT_EQ(m_shell.m_aBoxes[0].icon, EBoxIcon::Stop) << c.szName;
    }
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
        {"download with a refused label", true, CSystem::GroupModule,
         [this] {
             host.m_fnAnswer = CScriptedController::DefaultExcept({{":K003\r", "ERROR\r\n"}});
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
