#include "dvxsim/DvxSimProcess.h"
#include "dvxsim/FrameCase.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <regex>

namespace {

std::string Repeat(const std::string& strText, int nTimes) {
    std::string strOut;
    for (int i = 0; i < nTimes; ++i) {
        strOut += strText;
    }
    return strOut;
}

class DvxSimFrames : public ::testing::Test {
protected:
    CTempDir dir;
    CDvxSimProcess sim{dir.File("com1")};
};

} // namespace

// Every frame the PC sends, in an order where each write is read back.
TEST_F(DvxSimFrames, AnswersEveryFrameKindAsThePcReadsIt) {
    ASSERT_TRUE(sim.IsStarted());
    const std::string strEmptyBlock = "000000" + Repeat("FFF", 6) + "3300";
    const std::string strBlock = "020000" + std::string("00C") + Repeat("FFF", 5) + "3300";
    const std::string strWrite = ":B005" + strBlock;
    const std::initializer_list<FrameCase> aEveryKind = {
        {":I", "0"},
        {":I1", "OK"},
        {":I", "1"},
        {":I0", "OK"},
        {":I", "0"},
        {":E0", "OK"},
        {":E1", "OK"},
        {":P0", "OK"},
        {":P1", "OK"},
        {":L20", "OK"},
        {":S0B31", "OK"},
        {":CA", "OK"},
        {":XE", "0"},
        {":XW", "0A"},
        {":XI", "02"},
        {":X1", "OK"},
        {":XW1E", "OK"},
        {":XI05", "OK"},
        {":XE", "1"},
        {":XW", "1E"},
        {":XI", "05"},
        {":X0", "OK"},
        {":XE", "0"},
        {":HI02", "FF"},
        {":HI0209", "OK"},
        {":HI02", "09"},
        {":HO03", "FF"},
        {":HO039F", "OK"},
        {":HO03", "9F"},
        {":HO03FF", "OK"},
        {":HO03", "FF"},
        {":TR00", "64"},
        {":TR06", "01"},
        {":TR9F", "01"},
        {":TR0019", "OK"},
        {":TR00", "19"},
        {":T05", "00"},
        {":T0507", "OK"},
        {":T05", "07"},
        {":K000", "Blue_Chl_A1"},
        {":K3BF", "TmrRun_Chl_P10"},
        {":L0B3Door switch", "OK"},
        {":K0B3", "Door switch"},
        {":Q11", "Yellow_Modul_B"},
        {":O11Rear", "OK"},
        {":Q11", "Rear"},
        {":V04", "SysLabel_4"},
        {":U04Bus 12", "OK"},
        {":V04", "Bus 12"},
        {":B005", strEmptyBlock},
        {strWrite, "OK"},
        {":B005", strBlock},
    };
    ExpectAnswers(sim, aEveryKind);
    EXPECT_TRUE(std::regex_match(sim.Exchange(":J"), std::regex("[0-9A-F]{2}")));

    // Clearing the memory brings back what a fresh system holds.
    ExpectAnswers(sim, {{":CA", "OK"},
                        {":K0B3", "Yellow_Chl_B10"},
                        {":Q11", "Yellow_Modul_B"},
                        {":V04", "SysLabel_4"},
                        {":TR00", "64"},
                        {":T05", "00"},
                        {":HI02", "FF"},
                        {":XW", "0A"},
                        {":B005", strEmptyBlock}});
}

// Whatever the controller cannot carry out or store faithfully is refused
// with a line other than "OK".
TEST_F(DvxSimFrames, RefusesUnknownAndMalformedFrames) {
    ASSERT_TRUE(sim.IsStarted());
    for (const char* szFrame :
         {":Z",    "junk", ":",       ":b005",   ":B3C0",     ":B00",      ":B0050200",
          ":K3C0", ":K00", ":Q60",    ":V0A",    ":O60Label", ":U0ALabel", ":L000Sixteen chars!!!",
          ":L61",  ":L0",  ":L2X",    ":S3C01",  ":S0002",    ":S00",      ":TR00100",
          ":TRA0", ":T0",  ":HI04FF", ":HI00A0", ":HX00",     ":XW100",    ":XQ",
          ":E2",   ":P",   ":P2",     ":CB",     ":J1",       ":I2"}) {
        EXPECT_EQ(sim.Exchange(szFrame), "ERROR") << "frame " << szFrame;
    }
    // A refused label leaves the stored one alone.
    EXPECT_EQ(sim.Exchange(":K000"), "Blue_Chl_A1");
}

// Every field of the equation block comes back as written; the tail is
// always the controller's own.
TEST_F(DvxSimFrames, ReadsBackAWrittenEquationFieldForField) {
    ASSERT_TRUE(sim.IsStarted());
    const std::string strFields = "B552"
                                  "2D"
                                  "000"
                                  "0B3"
                                  "3BF"
                                  "1E0"
                                  "FFF"
                                  "27F";
    EXPECT_EQ(sim.Exchange(":B1FF" + strFields + "1234"), "OK");
    const std::string strRead = sim.Exchange(":B1FF");
    ASSERT_EQ(strRead.size(), 28u);
    const char* aszNames[] = {"flags 0", "flags 1", "flags 2", "A1", "A2",
                              "A3",      "B1",      "B2",      "B3", "tail"};
    const std::size_t anWidth[] = {2, 2, 2, 3, 3, 3, 3, 3, 3, 4};
    const std::string strExpected = strFields + "3300";
    std::size_t nAt = 0;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(strRead.substr(nAt, anWidth[i]), strExpected.substr(nAt, anWidth[i]))
            << aszNames[i];
        nAt += anWidth[i];
    }
    EXPECT_EQ(sim.Exchange(":B1FE"), "000000" + Repeat("FFF", 6) + "3300");
}

TEST_F(DvxSimFrames, ShowsAnEquationOnTheConsoleAsThePcWritesIt) {
    ASSERT_TRUE(sim.IsStarted());
    // With the processor stopped the state stays as it was.
    EXPECT_EQ(sim.Exchange(":P0"), "OK");
    // Group A: Blue A1 and NOT Yellow B6; group B: NOT (Pr Virtual A1).
    EXPECT_EQ(sim.Exchange(":B003"
                           "42"
                           "10"
                           "08"
                           "000"
                           "0AF"
                           "FFF"
                           "140"
                           "FFF"
                           "FFF"
                           "3300"),
              "OK");
    EXPECT_EQ(sim.Console("equation blue a 4"),
              "Blue_Chl_A4: Q=(Blue_Chl_A1)*(!Yellow_Chl_B6)+!(Pr_Virtual_Chl_A1)");
    EXPECT_EQ(sim.ReadOutputLine(), "  output on, on at power up off, latch off, state off");
    EXPECT_EQ(sim.Console("equation 0 A 5"), "Blue_Chl_A5: no equation");
}

TEST_F(DvxSimFrames, SetsAChannelLabelFromTheConsole) {
    ASSERT_TRUE(sim.IsStarted());
    EXPECT_EQ(sim.Console("label yellow c 4   REAR  LAMP LEFT SIDE  "), "ok REAR  LAMP LEFT");
    EXPECT_EQ(sim.Exchange(":K0B7"), "REAR  LAMP LEFT");
    EXPECT_EQ(sim.Console("label 0 Q 1 X"), "error: use label LOOP MODULE CHANNEL TEXT");
    EXPECT_EQ(sim.Console("label 0 A 1"), "error: use label LOOP MODULE CHANNEL TEXT");
}
