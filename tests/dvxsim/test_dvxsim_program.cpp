#include "FailureModes.h"
#include "dvxsim/DvxSimProcess.h"
#include "dvxsim/FrameCase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

std::string ReadFile(const std::string& strPath) {
    std::ifstream file(strPath, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs dvxsim without a line and returns what it printed and its status.
std::string RunAlone(const std::string& strArgs, int& nStatus) {
    std::FILE* pPipe = popen((std::string(DVXSIM_PATH) + " " + strArgs + " 2>&1").c_str(), "r");
    std::string strOutput;
    char acBuffer[512];
    while (std::fgets(acBuffer, sizeof acBuffer, pPipe) != nullptr) {
        strOutput += acBuffer;
    }
    nStatus = WEXITSTATUS(pclose(pPipe));
    return strOutput;
}

} // namespace

TEST(DvxSimProgram, LinksItsTerminalAndRemovesTheLinkWhenStopped) {
    CTempDir dir;
    const std::string strLink = dir.File("com1");
    CDvxSimProcess sim(strLink);
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.TerminalPath().rfind("/dev/pts/", 0), 0u) << sim.TerminalPath();
    EXPECT_EQ(std::filesystem::read_symlink(strLink).string(), sim.TerminalPath());
    sim.Terminate();
    EXPECT_EQ(sim.WaitExit(), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(strLink));
}

TEST(DvxSimProgram, NeverReplacesAFileThatIsNotALink) {
    CTempDir dir;
    const std::string strPath = dir.File("com1");
    std::ofstream(strPath) << "keep me";
    int nStatus = 0;
    const std::string strOutput = RunAlone("--link " + strPath, nStatus);
    EXPECT_EQ(nStatus, 1);
    EXPECT_NE(strOutput.find("exists and is not a symbolic link"), std::string::npos) << strOutput;
    EXPECT_EQ(ReadFile(strPath), "keep me");
}

TEST(DvxSimProgram, HelpDescribesCommandsAndWhatTheSimulationDoes) {
    int nStatus = 0;
    const std::string strHelp = RunAlone("--help", nStatus);
    EXPECT_EQ(nStatus, 0);
    for (const char* szText :
         {"--link PATH", "--device DEV", "--baud N", "--log FILE", "--memory FILE",
          "--refuse PATTERN", "--garble PATTERN", "--drop-char PATTERN", "--stop-after N",
          "--close-after N", "--garbage-every N", "set LOOP MODULE CHANNEL", "loop LOOP",
          "equation LOOP MODULE CHANNEL", "quit", "The \"Pr\" flag", "Sleep mode"}) {
        EXPECT_NE(strHelp.find(szText), std::string::npos) << szText;
    }
    EXPECT_EQ(RunAlone("--baud fast", nStatus).rfind("dvxsim: unknown option or bad value", 0), 0u);
    EXPECT_EQ(nStatus, 2);
}

TEST(DvxSimProgram, KeepsItsMemoryAcrossRuns) {
    CTempDir dir;
    const std::string strMemory = dir.File("memory.txt");
    const std::string strBlock = "0C"
                                 "00"
                                 "00"
                                 "000"
                                 "FFFFFFFFFFFFFFF"
                                 "3300";
    {
        CDvxSimProcess sim(dir.File("com1"), {"--memory", strMemory});
        ASSERT_TRUE(sim.IsStarted());
        ExpectAnswers(sim, {{":B005" + strBlock, "OK"},
                            {":L005Horn", "OK"},
                            {":O05Cab", "OK"},
                            {":U00Bus 12", "OK"},
                            {":TR0707", "OK"},
                            {":HI01FF", "OK"},
                            {":X1", "OK"}});
        EXPECT_EQ(sim.Console("quit"), "bye");
        EXPECT_EQ(sim.WaitExit(), 0);
    }
    CDvxSimProcess sim(dir.File("com1"), {"--memory", strMemory});
    ASSERT_TRUE(sim.IsStarted());
    ExpectAnswers(sim, {{":B005", strBlock},
                        {":K005", "Horn"},
                        {":Q05", "Cab"},
                        {":V00", "Bus 12"},
                        {":TR07", "07"},
                        {":XE", "1"}});
    // Channel A6 is on at power up (flags 0C: power up and latch).
    EXPECT_EQ(sim.Console("equation 0 A 6"), "Horn: Q=(Blue_Chl_A1)");
    EXPECT_EQ(sim.ReadOutputLine(), "  output off, on at power up on, latch on, state on");
}

TEST(DvxSimProgram, RefusesToStartOnADamagedMemoryFileAndLeavesIt) {
    CTempDir dir;
    const std::string strMemory = dir.File("memory.txt");
    std::ofstream(strMemory) << ":B005\n:ZZ\n";
    int nStatus = 0;
    const std::string strOutput =
        RunAlone("--link " + dir.File("com1") + " --memory " + strMemory, nStatus);
    EXPECT_EQ(nStatus, 1);
    EXPECT_NE(strOutput.find("line 1 is damaged"), std::string::npos) << strOutput;
    EXPECT_EQ(ReadFile(strMemory), ":B005\n:ZZ\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("com1")));
}

TEST(DvxSimProgram, LogsEveryFrameAndLineWithATimeStamp) {
    CTempDir dir;
    const std::string strLog = dir.File("frames.log");
    {
        CDvxSimProcess sim(dir.File("com1"), {"--log", strLog});
        ASSERT_TRUE(sim.IsStarted());
        EXPECT_EQ(sim.Exchange(":K000"), "Blue_Chl_A1");
    }
    const std::string strText = ReadFile(strLog);
    EXPECT_NE(strText.find(" < :K000\n"), std::string::npos) << strText;
    EXPECT_NE(strText.find(" > Blue_Chl_A1\\r\\n\n"), std::string::npos) << strText;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(strText[0]))) << strText;
}

// Eleven bits a character at 9600 baud: twenty exchanges of 6 characters
// in and 13 out are at least 17 character times each, about 390 ms.
TEST(DvxSimProgram, PacesTheLineAtTheGivenSpeed) {
    CTempDir dir;
    CDvxSimProcess sim(dir.File("com1"), {"--baud", "9600"});
    ASSERT_TRUE(sim.IsStarted());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(sim.Exchange(":K000"), "Blue_Chl_A1");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);
}

TEST(DvxSimFailureModes, RefusesFramesMatchingThePattern) {
    CTempDir dir;
    CDvxSimProcess sim(dir.File("com1"), {"--refuse", ":TR00??"});
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":TR0005"), "ERROR");
    EXPECT_EQ(sim.Exchange(":TR00"), "64");
    EXPECT_EQ(sim.Exchange(":TR0105"), "OK");
}

TEST(DvxSimFailureModes, GarblesOrShortensTheAnswersOfMatchingFrames) {
    CTempDir dir;
    CDvxSimProcess sim(dir.File("com1"), {"--garble", ":TR00", "--drop-char", ":V0?"});
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":TR00"), "#~GARBLED~#");
    EXPECT_EQ(sim.Exchange(":TR01"), "64");
    EXPECT_EQ(sim.Exchange(":V03"), "SysLabel_");
    EXPECT_EQ(sim.Exchange(":TR0005"), "OK");
}

TEST(DvxSimFailureModes, DroppedCharacterIsTheLastBeforeTheLineEnd) {
    EXPECT_EQ(CFailureModes::DropOneChar("OK\r\n"), "O\r\n");
    EXPECT_EQ(CFailureModes::DropOneChar("\r\n"), "\r\n");
    EXPECT_EQ(CFailureModes::DropOneChar(""), "");
}

TEST(DvxSimFailureModes, StopsAnsweringAfterNFrames) {
    CTempDir dir;
    CDvxSimProcess sim(dir.File("com1"), {"--stop-after", "2"});
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":I"), "0");
    EXPECT_EQ(sim.Exchange(":L01"), "OK");
    EXPECT_EQ(sim.ReadUntilCr(), ">L0" + std::string(40, '0'));
    sim.Send(":I");
    EXPECT_EQ(sim.Collect(600ms), "");
}

TEST(DvxSimFailureModes, ClosesTheLineAfterNFrames) {
    CTempDir dir;
    CDvxSimProcess sim(dir.File("com1"), {"--close-after", "2"});
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":I"), "0");
    EXPECT_EQ(sim.Exchange(":I"), "0");
    EXPECT_TRUE(sim.WaitLineClosed());
    EXPECT_EQ(sim.WaitExit(), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.File("com1")));
}

TEST(DvxSimFailureModes, SendsAGarbageLineEveryNFrames) {
    CTempDir dir;
    CDvxSimProcess sim(dir.File("com1"), {"--garbage-every", "2"});
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":I"), "0");
    EXPECT_EQ(sim.Exchange(":I"), "#~GARBLED~#");
    EXPECT_EQ(sim.ReadAnswer(), "0");
    EXPECT_EQ(sim.Exchange(":I"), "0");
    EXPECT_EQ(sim.Exchange(":I"), "#~GARBLED~#");
}

TEST(DvxSimProgram, ServesASerialDevice) {
    CTempDir dir;
    const int fdPc = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(fdPc, 0);
    ASSERT_EQ(grantpt(fdPc), 0);
    ASSERT_EQ(unlockpt(fdPc), 0);
    CDvxSimProcess sim("", {"--device", ptsname(fdPc)}, false);
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.TerminalPath(), ptsname(fdPc));
    const std::string strFrame = ":V03\r";
    ASSERT_EQ(write(fdPc, strFrame.data(), strFrame.size()), 5);
    std::string strAnswer;
    char c = 0;
    while (strAnswer.find('\n') == std::string::npos) {
        pollfd poll{fdPc, POLLIN, 0};
        ASSERT_GT(::poll(&poll, 1, 3000), 0) << strAnswer;
        ASSERT_EQ(read(fdPc, &c, 1), 1);
        strAnswer += c;
    }
    EXPECT_EQ(strAnswer, "SysLabel_3\r\n");
    close(fdPc);
}

TEST(DvxSimProgram, HoldsStatusLinesWhileNobodyTakesThem) {
    CTempDir dir;
    CDvxSimProcess sim(dir.File("com1"));
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":L01"), "OK");
    // Refreshes fall due four times meanwhile; only the first one waits.
    std::this_thread::sleep_for(1300ms);
    const std::string strLine = ">L0" + std::string(40, '0') + "\r";
    const std::string strWaiting = sim.Collect(5ms);
    EXPECT_GE(strWaiting.size(), strLine.size());
    EXPECT_LE(strWaiting.size(), 2 * strLine.size());
    EXPECT_EQ(strWaiting.substr(0, strLine.size()), strLine);
}
