#include "dvxsim/DvxSimProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// The console's picture of a loop with the given modules' channel bits.
std::string LoopLine(int nLoop, const std::map<char, std::string>& aModules) {
    std::string strLine = "loop " + std::to_string(nLoop);
    for (char cModule = 'A'; cModule <= 'P'; ++cModule) {
        const auto it = aModules.find(cModule);
        strLine += std::string(" ") + cModule + ":" +
                   (it == aModules.end() ? std::string("0000000000") : it->second);
    }
    return strLine;
}

// Q = Blue A1 on Blue A2, an output; with the latch flag on Blue A3.
const std::string kFollowA1 = ":B001"
                              "02"
                              "00"
                              "00"
                              "000"
                              "FFFFFFFFFFFFFFF"
                              "3300";
const std::string kLatchA1 = ":B002"
                             "08"
                             "00"
                             "00"
                             "000"
                             "FFFFFFFFFFFFFFF"
                             "3300";

class DvxSimProcessor : public ::testing::Test {
protected:
    std::string LoopUntil(int nLoop, const std::string& strBlue) {
        const std::string strWanted = LoopLine(nLoop, {{'A', strBlue}});
        return sim.ConsoleUntil("loop " + std::to_string(nLoop), strWanted);
    }

    CTempDir dir;
    CDvxSimProcess sim{dir.File("com1")};
};

} // namespace

TEST_F(DvxSimProcessor, TurnsAnOutputOnFromAForcedInputAndHoldsWhileStopped) {
    ASSERT_TRUE(sim.IsStarted());
    ASSERT_EQ(sim.Exchange(kFollowA1), "OK");
    EXPECT_EQ(sim.Exchange(":S0001"), "OK");
    EXPECT_EQ(LoopUntil(0, "1100000000"), LoopLine(0, {{'A', "1100000000"}}));

    EXPECT_EQ(sim.Exchange(":P0"), "OK");
    EXPECT_EQ(sim.Exchange(":S0000"), "OK");
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(sim.Console("loop 0"), LoopLine(0, {{'A', "0100000000"}}));

    EXPECT_EQ(sim.Exchange(":P1"), "OK");
    EXPECT_EQ(LoopUntil(0, "0000000000"), LoopLine(0, {{'A', "0000000000"}}));

    // The vehicle side switches the input from the console.
    EXPECT_EQ(sim.Console("set 0 A 1 1"), "ok Blue_Chl_A1 1");
    EXPECT_EQ(LoopUntil(0, "1100000000"), LoopLine(0, {{'A', "1100000000"}}));
}

TEST_F(DvxSimProcessor, AnEquationOverridesAForcedOutputAtTheNextScan) {
    ASSERT_TRUE(sim.IsStarted());
    ASSERT_EQ(sim.Exchange(kFollowA1), "OK");
    EXPECT_EQ(sim.Exchange(":S0011"), "OK");
    EXPECT_EQ(LoopUntil(0, "0000000000"), LoopLine(0, {{'A', "0000000000"}}));
}

TEST_F(DvxSimProcessor, ALatchTogglesOnEachRisingEdge) {
    ASSERT_TRUE(sim.IsStarted());
    ASSERT_EQ(sim.Exchange(kLatchA1), "OK");
    const struct {
        const char* szForce;
        const char* szWanted;
    } aSteps[] = {{":S0001", "1010000000"},
                  {":S0000", "0010000000"},
                  {":S0001", "1000000000"},
                  {":S0000", "0000000000"},
                  {":S0001", "1010000000"}};
    for (const auto& step : aSteps) {
        EXPECT_EQ(sim.Exchange(step.szForce), "OK");
        EXPECT_EQ(LoopUntil(0, step.szWanted), LoopLine(0, {{'A', step.szWanted}}))
            << "after " << step.szForce;
        // A few scans see the input before it changes again.
        std::this_thread::sleep_for(40ms);
    }
}

// Timer 0 (TIMER loop A1) with a reload of three tenths of a second.
TEST_F(DvxSimProcessor, ATimerRunsFinishesAndReloadsWhenItsEnableDrops) {
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":TR0003"), "OK");
    EXPECT_EQ(sim.Exchange(":S1E01"), "OK");
    EXPECT_EQ(LoopUntil(5, "1000000000"), LoopLine(5, {{'A', "1000000000"}}));
    EXPECT_EQ(LoopUntil(4, "1000000000"), LoopLine(4, {{'A', "1000000000"}}));
    EXPECT_EQ(sim.Console("loop 5"), LoopLine(5, {}));
    EXPECT_EQ(sim.Exchange(":T00"), "00");

    EXPECT_EQ(sim.Exchange(":S1E00"), "OK");
    EXPECT_EQ(LoopUntil(4, "0000000000"), LoopLine(4, {}));
    EXPECT_EQ(sim.Exchange(":T00"), "03");
    EXPECT_EQ(sim.Console("loop 5"), LoopLine(5, {}));
}

TEST_F(DvxSimProcessor, AHighSpeedPairCopiesItsInputToItsOutput) {
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Exchange(":HI0000"), "OK");
    EXPECT_EQ(sim.Exchange(":HO0009"), "OK");
    EXPECT_EQ(sim.Console("set blue A 1 1"), "ok Blue_Chl_A1 1");
    EXPECT_EQ(LoopUntil(0, "1000000001"), LoopLine(0, {{'A', "1000000001"}}));
}

TEST_F(DvxSimProcessor, ReportsMonitoredLoopsOnlyAndNeverWhilePaused) {
    ASSERT_TRUE(sim.IsStarted());
    const std::string strQuiet = ">L2" + std::string(40, '0');
    EXPECT_EQ(sim.Exchange(":L21"), "OK");
    EXPECT_EQ(sim.ReadUntilCr(), strQuiet);

    // Refreshed at least twice a second, and only for loop 2.
    const std::string strSeen = sim.Collect(1100ms);
    EXPECT_GE(strSeen.size(), 2 * (strQuiet.size() + 1));
    EXPECT_EQ(strSeen.find_first_not_of(strQuiet + "\r"), std::string::npos) << strSeen;

    // A change is reported at once.
    sim.Send(":S1401");
    EXPECT_EQ(sim.ReadAnswer(), "OK");
    EXPECT_EQ(sim.ReadUntilCr(), ">L280" + std::string(38, '0'));

    // Paused: answers only, however the states change.
    EXPECT_EQ(sim.Exchange(":E0"), "OK");
    EXPECT_EQ(sim.Exchange(":S1400"), "OK");
    EXPECT_EQ(sim.Collect(600ms), "");
    EXPECT_EQ(sim.Exchange(":E1"), "OK");
    EXPECT_EQ(sim.ReadUntilCr(), strQuiet);

    EXPECT_EQ(sim.Exchange(":L20"), "OK");
    EXPECT_EQ(sim.Collect(600ms), "");
}

TEST_F(DvxSimProcessor, ConsoleRefusesWhatItCannotDo) {
    ASSERT_TRUE(sim.IsStarted());
    for (const char* szCommand : {"set 6 A 1 1", "set 0 Q 1 1", "set 0 A 11 1", "set 0 A 1 2"}) {
        EXPECT_EQ(sim.Console(szCommand), "error: use set LOOP MODULE CHANNEL 0|1") << szCommand;
    }
    EXPECT_EQ(sim.Console("loop"), "error: use loop LOOP");
    EXPECT_EQ(sim.Console("fly"), "error: unknown command \"fly\"; type help for the commands");
    EXPECT_EQ(sim.Console(std::string(5000, 'z')),
              "error: unknown command \"" + std::string(60, 'z') +
                  "\xE2\x80\xA6\"; type help for the commands");
    EXPECT_EQ(sim.Console("status"), "processor on, paused no, module link off, reports none");
}
