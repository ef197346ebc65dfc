#include "link/TransferFixture.h"

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
