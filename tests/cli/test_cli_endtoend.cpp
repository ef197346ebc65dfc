#include "cli/CliOptions.h"
#include "cli/CliRun.h"
#include "controls/SerialControl.h"
#include "dvxsim/DvxSimProcess.h"
#include "link/SimLog.h"
#include "model/System.h"
#include "model/SystemDiff.h"
#include "support/PtyPeer.h"
#include "support/ShellRecorder.h"
#include "support/TempDir.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <memory>
#include <regex>

namespace {

// corvel-cli run as a program against dvxsim on a pseudo-terminal.
class CliEndToEnd : public ::testing::Test {
protected:
    CTempDir m_dir;
    CShellRecorder m_shell;
    std::unique_ptr<CDvxSimProcess> m_pSim;

    bool Start(std::vector<std::string> astrArgs = {}) {
        astrArgs.insert(astrArgs.end(), {"--log", m_dir.File("dvxsim.log")});
        m_pSim.reset();
        m_pSim = std::make_unique<CDvxSimProcess>(Link(), astrArgs, false);
        return m_pSim->IsStarted();
    }
    std::string Link() const { return m_dir.File("dvx-com1"); }
    std::unique_ptr<CSystem> NewSystem() {
        return std::make_unique<CSystem>(m_shell, CSystem::CScratch{}, m_dir.Str());
    }
    // A small system with something of every kind that travels.
    std::string SaveSystem(const std::string& strName) {
        auto pSystem = NewSystem();
        CChannelRecord& record = pSystem->Channel(2, 3, 0);
        record.m_anTermA[0] = 200;
        record.m_abTermNotA[0] = 1;
        record.m_anTermB[1] = 5;
        record.m_abTermPrB[1] = 1;
        record.m_bOutput = 1;
        pSystem->Channel(1, 1, 3).m_bMomentaryLatch = 1;
        pSystem->SetModuleLabel(4, 1, "REAR");
        pSystem->SetCurLoop(0);
        pSystem->SetCurModule(2);
        pSystem->SetCurChannel(3);
        pSystem->SetCurChannelLabel("HEADLAMP");
        pSystem->SetSysLabel(0, "COACH 7");
        pSystem->SetTimerReloadFromCount(12, 42);
        pSystem->SetSleepEnabled(true);
        pSystem->SetHiSpeedInput(0, 3);
        pSystem->SetHiSpeedOutput(0, 9);
        EXPECT_TRUE(pSystem->SaveSystemFile(m_dir.File(strName)));
        return m_dir.File(strName);
    }
    CCliResult Cli(std::vector<std::string> astrArgs) {
        astrArgs.insert(astrArgs.end(), {"--device", Link()});
        return RunCliProgram(astrArgs);
    }
};

QJsonArray Differences(const CCliResult& result) {
    return QJsonDocument::fromJson(QByteArray::fromStdString(result.strOut))
        .object()["differences"]
        .toArray();
}

TEST_F(CliEndToEnd, TransferThenVerifyFindsNothingUntilALabelChanges) {
    ASSERT_TRUE(Start());
    std::string strFile = SaveSystem("BUS.DVX");
    CCliResult transfer = Cli({"transfer", strFile, "--quiet"});
    ASSERT_EQ(transfer.nExit, kExitOk) << transfer.strErr;
    EXPECT_EQ(transfer.strErr, "");
    CCliResult same = Cli({"verify", strFile, "--json", "--quiet"});
    EXPECT_EQ(same.nExit, kExitOk) << same.strErr << same.strOut;
    EXPECT_TRUE(Differences(same).isEmpty()) << same.strOut;

    EXPECT_EQ(m_pSim->Console("label 0 C 4 HORN"), "ok HORN");
    CCliResult changed = Cli({"verify", strFile, "--json", "--quiet"});
    EXPECT_EQ(changed.nExit, kExitDifferences) << changed.strErr;
    QJsonArray differences = Differences(changed);
    ASSERT_EQ(differences.size(), 1) << changed.strOut;
    EXPECT_EQ(differences[0].toObject()["item"].toString(), "BLUE LOOP C4 label");
    EXPECT_EQ(differences[0].toObject()["left"].toString(), "HEADLAMP");
    EXPECT_EQ(differences[0].toObject()["right"].toString(), "HORN");
}

TEST_F(CliEndToEnd, RetrieveWritesWhatTheControllerHolds) {
    ASSERT_TRUE(Start());
    std::string strFile = SaveSystem("BUS.DVX");
    ASSERT_EQ(Cli({"transfer", strFile, "--quiet"}).nExit, kExitOk);
    CCliResult retrieve = Cli({"retrieve", m_dir.File("BACK.DVX"), "--quiet"});
    ASSERT_EQ(retrieve.nExit, kExitOk) << retrieve.strErr;
    auto pSent = NewSystem();
    auto pBack = NewSystem();
    ASSERT_TRUE(pSent->ReadSystemFile(strFile));
    ASSERT_TRUE(pBack->ReadSystemFile(m_dir.File("BACK.DVX")));
    auto aDiffs = CSystemDiff::Compare(*pSent, *pBack, CSystemDiff::EScope::Controller);
    EXPECT_EQ(CSystemDiff::CountDifferences(aDiffs), 0);
    EXPECT_EQ(pBack->GetChannelLabel(2, 3, 0), "HEADLAMP");
}

// The progress total is the frames of the transfer sequence the controller
// received: all it logged but the two queries of the opening and the six
// frames that pause and continue the controller around the sequence.
TEST_F(CliEndToEnd, ProgressCountsEveryFrameOfTheSequence) {
    ASSERT_TRUE(Start());
    CCliResult transfer = Cli({"transfer", SaveSystem("BUS.DVX")});
    ASSERT_EQ(transfer.nExit, kExitOk) << transfer.strErr;
    int nLines = 0;
    int nFrames = 0;
    for (const CSimLogEntry& entry : ReadSimLog(m_dir.File("dvxsim.log"), 0, nLines))
        nFrames += entry.bFromPc ? 1 : 0;
    const int nOutsideTheSequence = 2 + 6;
    std::string strTotal = std::to_string(nFrames - nOutsideTheSequence);
    EXPECT_NE(transfer.strErr.find("transfer: " + strTotal + " of " + strTotal + " frames\n"),
              std::string::npos)
        << transfer.strErr;
}

TEST_F(CliEndToEnd, ANonexistentDeviceExitsFourWithOneLine) {
    std::string strFile = SaveSystem("BUS.DVX");
    for (const char* szCommand : {"transfer", "verify"}) {
        CCliResult result =
            RunCliProgram({szCommand, strFile, "--device", m_dir.File("no-such-port"), "--quiet"});
        EXPECT_EQ(result.nExit, kExitController) << szCommand;
        EXPECT_EQ(result.ErrLines(), 1) << result.strErr;
        EXPECT_EQ(result.strErr.rfind(
                      "corvel-cli: could not open the comm port " + m_dir.File("no-such-port"), 0),
                  0u)
            << result.strErr;
    }
    CCliResult retrieve =
        RunCliProgram({"retrieve", m_dir.File("NEW.DVX"), "--device", m_dir.File("none")});
    EXPECT_EQ(retrieve.nExit, kExitController);
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("NEW.DVX")));
}

// The counts of a serial driver's line errors, rising at every reading.
class CRisingErrorCounts : public CLineErrorSource {
public:
    std::optional<CLineErrorCounts> Read(int) override {
        ++m_counts.nFrame;
        return m_counts;
    }

private:
    CLineErrorCounts m_counts;
};

// What goes wrong with the line itself is one line each, in corvel-cli's
// words: a device another program holds (one sentence), a device that goes
// away, a line error (named once, not changing the exit status).
TEST_F(CliEndToEnd, LineProblemsAreOneLineEach) {
    // The commands run in this process and take the current folder as their
    // launch folder, which an earlier test may have removed.
    std::filesystem::current_path(m_dir.Path());
    const struct {
        const char* szName;
        std::vector<std::string> astrSim;
        bool bHeld;
        bool bRisingErrors;
        int nExit;
        std::string strErr;
    } aCases[] = {
        {"in use",
         {},
         true,
         false,
         kExitController,
         "corvel-cli: " + Link() + " is in use by another program.\n"},
        {"lost",
         {"--close-after", "30"},
         false,
         false,
         kExitController,
         "corvel-cli: the serial device " + Link() + " was disconnected\n"},
        {"line error", {}, false, true, kExitOk, "corvel-cli: Framing Error on " + Link() + "\n"},
    };
    for (const auto& c : aCases) {
        ASSERT_TRUE(Start(c.astrSim)) << c.szName;
        CSerialControl holder;
        holder.SetDeviceName(QString::fromStdString(Link()));
        ASSERT_TRUE(!c.bHeld || holder.SetPortOpen(true)) << c.szName;
        CCliController::ErrorSourceFactory fnErrors;
        if (c.bRisingErrors)
            fnErrors = [] { return std::make_unique<CRisingErrorCounts>(); };
        std::filesystem::remove(m_dir.File("BACK.DVX"));
        CCliResult result =
            RunCli({"retrieve", m_dir.File("BACK.DVX"), "--device", Link(), "--quiet"}, fnErrors);
        EXPECT_EQ(result.nExit, c.nExit) << c.szName << ": " << result.strErr;
        EXPECT_EQ(result.strErr, c.strErr) << c.szName;
        EXPECT_EQ(std::filesystem::exists(m_dir.File("BACK.DVX")), c.nExit == kExitOk) << c.szName;
    }
    std::filesystem::current_path(std::filesystem::temp_directory_path());
}

TEST_F(CliEndToEnd, AnUnacknowledgedFrameExitsFour) {
    ASSERT_TRUE(Start({"--refuse", ":CA"}));
    CCliResult result = Cli({"transfer", SaveSystem("BUS.DVX"), "--quiet"});
    EXPECT_EQ(result.nExit, kExitController);
    EXPECT_EQ(result.strErr, "corvel-cli: the DVX CPU did not acknowledge 1 step of the transfer\n"
                             "corvel-cli: the DVX CPU's memory was not cleared\n");
}

// A refused label stops the labels still to come: the lines say what the
// controller is missing, and the count says how many frames went out.
TEST_F(CliEndToEnd, ARefusedFrameSaysWhatWasNotSentAndCountsWhatWas) {
    ASSERT_TRUE(Start({"--refuse", ":L017*"}));
    CCliResult result = Cli({"transfer", SaveSystem("BUS.DVX")});
    EXPECT_EQ(result.nExit, kExitController);
    EXPECT_NE(result.strErr.find(
                  "corvel-cli: the DVX CPU did not acknowledge 1 step of the transfer\n"
                  "corvel-cli: BLUE LOOP channel labels from C4 on, module labels and system "
                  "labels were not sent\n"),
              std::string::npos)
        << result.strErr;
    std::smatch count;
    ASSERT_TRUE(std::regex_search(result.strErr, count,
                                  std::regex("transfer: ([0-9]+) of ([0-9]+) frames\n")))
        << result.strErr;
    EXPECT_EQ(std::stoi(count[2]) - std::stoi(count[1]), 1 + CSystem::kSysLabels)
        << "one module label and the system labels were not sent";
}

// A damaged answer is a controller problem: a retrieve writes nothing and a
// verify lists no differences. A label read the controller refuses is one:
// its refusal is no label.
TEST_F(CliEndToEnd, ADamagedAnswerExitsFourAndWritesNothing) {
    const std::vector<std::string> aFailures[] = {
        {"--garble", ":TR05"},
        {"--refuse", ":K017"},
        {"--refuse", ":Q03"},
        {"--refuse", ":V02"},
    };
    std::string strFile = SaveSystem("BUS.DVX");
    const std::string strDamaged =
        "corvel-cli: some answers from the DVX CPU were damaged; the system read is incomplete\n";
    for (const std::vector<std::string>& astrFailure : aFailures) {
        ASSERT_TRUE(Start(astrFailure));
        const std::string strRow = astrFailure[0] + " " + astrFailure[1];
        CCliResult verify = Cli({"verify", strFile, "--quiet"});
        EXPECT_EQ(verify.nExit, kExitController) << strRow;
        EXPECT_EQ(verify.strErr, strDamaged) << strRow;
        EXPECT_EQ(verify.strOut, "") << strRow;
        CCliResult retrieve = Cli({"retrieve", m_dir.File("BACK.DVX"), "--quiet"});
        EXPECT_EQ(retrieve.nExit, kExitController) << strRow;
        EXPECT_EQ(retrieve.strErr, strDamaged) << strRow;
        EXPECT_FALSE(std::filesystem::exists(m_dir.File("BACK.DVX"))) << strRow;
    }
}

// A controller that falls silent is given up after the time-out; the reads
// that failed never count as differences and nothing is written.
TEST_F(CliEndToEnd, ASilentControllerTimesOut) {
    ASSERT_TRUE(Start({"--stop-after", "20"}));
    std::string strFile = SaveSystem("BUS.DVX");
    CCliResult verify = Cli({"verify", strFile, "--timeout", "1", "--quiet"});
    EXPECT_EQ(verify.nExit, kExitController);
    EXPECT_EQ(verify.strErr,
              "corvel-cli: the DVX CPU on " + Link() + " sent nothing for 1 s; gave up\n");
    EXPECT_EQ(verify.strOut, "");
}

// A controller that starts an answer and never ends it is told apart from
// one that sends nothing at all.
TEST_F(CliEndToEnd, AnAnswerCutShortIsNotSilence) {
    CPtyPeer peer([](const std::string&) { return std::string("1"); });
    ASSERT_TRUE(peer.IsValid());
    std::string strFile = SaveSystem("BUS.DVX");
    CCliResult result = RunCliProgram(
        {"transfer", strFile, "--device", peer.SlavePath(), "--timeout", "1", "--quiet"});
    EXPECT_EQ(result.nExit, kExitController);
    EXPECT_EQ(result.strErr,
              "corvel-cli: the DVX CPU on " + peer.SlavePath() + " answered an incomplete line\n");
}

} // namespace
