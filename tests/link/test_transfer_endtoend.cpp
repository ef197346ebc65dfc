#include "link/ControllerProtocol.h"
#include "link/FrameLists.h"
#include "link/FullSystem.h"
#include "link/SimSerialFixture.h"
#include "link/TransferCommands.h"
#include "model/SystemFixture.h"

#include <QTimer>

#include <algorithm>
#include <memory>

namespace {

// The transfer commands on Corvel's protocol object and serial control,
// port 1 pointed at dvxsim; the pickers answer as the test says.
class TransferEndToEnd : public SimSerialTest<SystemTest> {
protected:
    TransferEndToEnd() { m_shell.AllowOkBoxes(); }

    void Transfer(int nGroup) {
        m_host.m_nGroup = nGroup;
        m_commands.OnTransfer();
    }
    void Retrieve(int nGroup) {
        m_host.m_nGroup = nGroup;
        m_commands.OnRetrieve();
    }

    // The wait indicator's bar as the link host last showed it.
    int m_nProgressDone = 0;
    int m_nProgressTotal = 0;
    void WatchProgress() {
        link.m_fnFrameProgress = [this](int nDone, int nTotal, std::chrono::milliseconds) {
            m_nProgressDone = nDone;
            m_nProgressTotal = nTotal;
        };
    }
    CTransferCommands m_commands{sys, comm, m_shell, m_host};
};

Frames Bracketed(const Frames& astrBody, const char* szRestore = ":I0\r") {
    Frames astrFrames{":E0\r", ":E0\r", ":I0\r"};
    astrFrames.insert(astrFrames.end(), astrBody.begin(), astrBody.end());
    for (const char* szFrame : {":E1\r", ":E1\r", szRestore})
        astrFrames.push_back(szFrame);
    return astrFrames;
}

} // namespace

TEST_F(TransferEndToEnd, SystemTransferOfAFreshSystemSendsExactlyItsFrames) {
    ASSERT_TRUE(Start()) << port.ErrorString().toStdString();
    sys.ResetToDefaults();
    Frames astrBody{":CA\r", ":X0\r", ":XW0A\r", ":XI02\r"};
    for (short nLabel = 0; nLabel < CSystem::kSysLabels; ++nLabel) {
        char szFrame[40];
        std::snprintf(szFrame, sizeof szFrame, ":U%02X%s\r", nLabel,
                      sys.GetSysLabel(nLabel).c_str());
        astrBody.push_back(szFrame);
    }
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        char szReload[16], szCurrent[16];
        std::snprintf(szReload, sizeof szReload, ":TR%02X%02X\r", nTimer,
                      sys.GetTimerReloadCount(nTimer));
        std::snprintf(szCurrent, sizeof szCurrent, ":T%02X00\r", nTimer);
        astrBody.insert(astrBody.end(), {szReload, szCurrent});
    }
    for (const char* szPair : {"00", "01", "02", "03"})
        astrBody.insert(astrBody.end(), {std::string(":HI") + szPair + "FF\r",
                                         std::string(":HO") + szPair + "FF\r"});

    WatchProgress();
    Transfer(CSystem::GroupSystem);
    EXPECT_EQ(Received(), Bracketed(astrBody));
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(m_nProgressTotal, static_cast<int>(astrBody.size()));
    EXPECT_EQ(m_nProgressDone, m_nProgressTotal);
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Information);

    // With the module link running, it is stopped for the transfer and
    // started again after it.
    sys.SetLinkActive(true);
    Transfer(CSystem::GroupSystem);
    EXPECT_EQ(Received(), Bracketed(astrBody, ":I1\r"));
    EXPECT_NE(m_pSim->Console("status").find("module link on"), std::string::npos);
}

TEST_F(TransferEndToEnd, ModuleTransferOfYellowModuleC) {
    ASSERT_TRUE(Start());
    Select(1, 2, 0);
    sys.SetChannelLabelInCurModule(0, "DOOR LOCK");
    sys.SetOutput(true);
    sys.SetTermA(0, 12);
    m_host.m_module = {1, 2};
    Transfer(CSystem::GroupModule);
    Frames astrFrames = Received();
    ASSERT_EQ(astrFrames.size(), 3u + 10 + 3 + 10 + 320 + 8 + 3);
    for (int i = 0; i < 10; ++i) {
        char szIndex[8];
        std::snprintf(szIndex, sizeof szIndex, "%03X", 0xB4 + i);
        EXPECT_EQ(astrFrames[3 + i].substr(0, 5), std::string(":B") + szIndex);
        EXPECT_EQ(astrFrames[16 + i].substr(0, 5), std::string(":L") + szIndex);
    }
    EXPECT_EQ(Frames(astrFrames.begin() + 13, astrFrames.begin() + 16),
              (Frames{":X0\r", ":XW0A\r", ":XI02\r"}));
    EXPECT_EQ(CountStartingWith(astrFrames, ":TR"), 160);
    EXPECT_EQ(CountStartingWith(astrFrames, ":H"), 8);
    EXPECT_EQ(m_shell.BoxTexts(), Frames{"UPLOAD SUCCESSFUL"});
    EXPECT_EQ(m_pSim->Console("equation yellow C 1"), "DOOR LOCK: " + sys.GetEquationText(2, 0, 1));
    EXPECT_EQ(m_pSim->ReadOutputLine(), "  output on, on at power up off, latch off, state off");
}

TEST_F(TransferEndToEnd, AnUnacknowledgedClearIsReportedAndTheRestStillSent) {
    ASSERT_TRUE(Start({"--refuse", ":CA"}));
    Transfer(CSystem::GroupSystem);
    Frames astrFrames = Received();
    EXPECT_EQ(astrFrames[3], ":CA\r");
    EXPECT_EQ(CountStartingWith(astrFrames, ":TR"), 160);
    EXPECT_EQ(CountStartingWith(astrFrames, ":H"), 8);
    EXPECT_EQ(m_shell.BoxTexts(), (Frames{"ERROR WHILE TRANSMITTING TO DVX CPU",
                                          "UPLOAD COMPLETED BUT ERRORS OCCURED\n"
                                          "the DVX CPU's memory was not cleared"}));
    EXPECT_EQ(m_shell.m_aBoxes.back().icon, EBoxIcon::Exclamation);
}

TEST_F(TransferEndToEnd, AFullSystemComesBackFieldForField) {
    ASSERT_TRUE(Start());
    FillSystem(sys);
    const Frames astrSent = TransferredFields(sys);
    // A running processor would count the timers the equations enable.
    ASSERT_TRUE(comm.SendBoolProcessor(false));
    Received();
    WatchProgress();
    m_shell.ExpectBox(kFullSystemQuestion, EBoxAnswer::Yes);
    Transfer(CSystem::GroupSystem);
    EXPECT_EQ(m_shell.BoxTexts(), (Frames{kFullSystemQuestion, "UPLOAD SUCCESSFUL"}));
    const int nBracketFrames = 6;
    EXPECT_EQ(m_nProgressTotal, static_cast<int>(Received().size()) - nBracketFrames);
    EXPECT_EQ(m_nProgressDone, m_nProgressTotal);

    sys.ResetToDefaults();
    sys.ClearModified();
    ASSERT_NE(TransferredFields(sys), astrSent);
    Retrieve(CSystem::GroupSystem);
    EXPECT_EQ(TransferredFields(sys), astrSent);
    EXPECT_EQ(m_nProgressTotal, static_cast<int>(Received().size()) - nBracketFrames);
    EXPECT_EQ(sys.GetFilePath(), "Coach 77 text 5.DVX") << "system label 5 names the file";
    EXPECT_EQ(m_shell.BoxTexts().back(), "DOWNLOAD SUCCESSFUL");
}

TEST_F(TransferEndToEnd, ChannelRetrieveAndCancelledScopeSendOnlyTheirFrames) {
    ASSERT_TRUE(Start());
    m_host.m_module = {0, 0};
    m_host.m_nChannel = 0;
    Retrieve(CSystem::GroupChannel);
    EXPECT_EQ(Received(),
              (Frames{":E0\r", ":E0\r", ":I0\r", ":B000\r", ":K000\r", ":I0\r", ":E1\r", ":E1\r"}));
    EXPECT_TRUE(m_shell.BoxTexts().empty());
    EXPECT_EQ(sys.GetChannelLabel(0, 0, 0), "Blue_Chl_A1");

    m_host.m_nGroup.reset();
    m_commands.OnRetrieve();
    EXPECT_EQ(Received(), (Frames{":E0\r", ":E0\r", ":I0\r", ":I0\r", ":E1\r", ":E1\r"}));
    m_commands.OnTransfer();
    EXPECT_EQ(Received(), (Frames{":E0\r", ":E0\r", ":I0\r", ":E1\r", ":E1\r", ":I0\r"}));
    EXPECT_TRUE(m_shell.BoxTexts().empty());
}

TEST_F(TransferEndToEnd, SystemRetrieveAsksToSaveFirst) {
    ASSERT_TRUE(Start());
    sys.SetModuleLabel(3, 1, "UNSAVED");
    sys.SetModified();
    m_shell.ExpectBox("Changes have been made. Do you wish to save?", EBoxAnswer::No);
    Retrieve(CSystem::GroupSystem);
    EXPECT_EQ(sys.GetModuleLabel(3, 1), "Yellow_Modul_D");
    EXPECT_TRUE(sys.IsModified());
    EXPECT_EQ(m_shell.BoxTexts().back(), "DOWNLOAD SUCCESSFUL");
}

TEST_F(TransferEndToEnd, ARetrieveCutOffByTheControllerPutsTheSystemBack) {
    ASSERT_TRUE(Start({"--close-after", "700"}));
    FillSystem(sys);
    const Frames astrBefore = TransferredFields(sys);
    Retrieve(CSystem::GroupSystem);
    EXPECT_EQ(m_shell.BoxTexts(), Frames{CTransferCommands::kSystemPutBackText});
    EXPECT_EQ(TransferredFields(sys), astrBefore);
    EXPECT_FALSE(link.IsPortOpen());
}

// Reads the controller answered wrongly (refused, garbled, a character
// short) store nothing; everything else comes back, and the retrieve does
// not call itself successful.
TEST_F(TransferEndToEnd, MalformedAnswersAreNotStoredAndTheRetrieveSaysSo) {
    ASSERT_TRUE(Start({"--refuse", ":TR??", "--garble", ":B00?", "--drop-char", ":B01?"}));
    FillSystem(sys);
    ASSERT_TRUE(comm.SendBoolProcessor(false));
    m_shell.ExpectBox(kFullSystemQuestion, EBoxAnswer::Yes);
    Transfer(CSystem::GroupSystem);
    ASSERT_EQ(m_shell.BoxTexts(), (Frames{kFullSystemQuestion, "UPLOAD SUCCESSFUL"}));
    const Frames astrSent = TransferredFields(sys);
    // Channel index 0x1F is the last one a character short; 0x20 is whole.
    Select(0, 3, 1);
    const std::string strSent1F = CControllerProtocol::EquationFrame(sys);
    Select(0, 3, 2);
    const std::string strSent20 = CControllerProtocol::EquationFrame(sys);
    std::vector<short> anSentCurrent;
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer)
        anSentCurrent.push_back(sys.GetTimerCurrentCount(nTimer));
    sys.ResetToDefaults();
    const Frames astrDefaults = TransferredFields(sys);
    std::vector<short> anDefaultReload;
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer)
        anDefaultReload.push_back(sys.GetTimerReloadCount(nTimer));
    Select(0, 3, 1);
    const std::string strDefault1F = CControllerProtocol::EquationFrame(sys);
    ASSERT_NE(strSent1F, strDefault1F);

    Retrieve(CSystem::GroupSystem);
    EXPECT_EQ(m_shell.BoxTexts().back(), "DOWNLOAD COMPLETED BUT ERRORS OCCURED");
    const Frames astrGot = TransferredFields(sys);
    ASSERT_EQ(astrGot.size(), astrSent.size());
    for (std::size_t i = 0; i < astrGot.size(); ++i) {
        if (astrGot[i].rfind("timer ", 0) != 0) {
            EXPECT_TRUE(astrGot[i] == astrSent[i] || astrGot[i] == astrDefaults[i]) << astrGot[i];
        }
    }
    for (short nTimer = 0; nTimer < CSystem::kTimers; ++nTimer) {
        EXPECT_EQ(sys.GetTimerReloadCount(nTimer), anDefaultReload[nTimer]) << nTimer;
        EXPECT_EQ(sys.GetTimerCurrentCount(nTimer), anSentCurrent[nTimer]) << nTimer;
    }
    Select(0, 3, 1);
    EXPECT_EQ(CControllerProtocol::EquationFrame(sys), strDefault1F);
    Select(0, 3, 2);
    EXPECT_EQ(CControllerProtocol::EquationFrame(sys), strSent20);
    const long nNamed =
        std::count_if(m_shell.m_astrTraces.begin(), m_shell.m_astrTraces.end(),
                      [](const std::string& s) { return s.rfind("Malformed answer", 0) == 0; });
    EXPECT_EQ(nNamed, 32 + 160);
    EXPECT_TRUE(link.IsPortOpen());
}

// A controller that falls silent in the middle of a retrieve is shown as
// not answering; Stop closes the port, and the retrieve puts the system
// back as an interrupted one does.
TEST_F(TransferEndToEnd, StopDuringASilentRetrievePutsTheSystemBack) {
    ASSERT_TRUE(Start({"--stop-after", "300"}));
    comm.SetNotAnsweringDelay(std::chrono::milliseconds(200));
    int nShown = 0;
    link.m_fnNotAnswering = [&](bool bNotAnswering) {
        if (!bNotAnswering)
            return;
        ++nShown;
        QTimer::singleShot(10, [&] {
            comm.SetPortOpen(false);
            port.SetPortOpen(false);
        });
    };
    FillSystem(sys);
    const Frames astrBefore = TransferredFields(sys);
    Retrieve(CSystem::GroupSystem);
    EXPECT_EQ(nShown, 1);
    EXPECT_EQ(m_shell.BoxTexts(), Frames{CTransferCommands::kSystemPutBackText});
    EXPECT_EQ(TransferredFields(sys), astrBefore);
}
