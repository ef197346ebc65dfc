#include "link/LinkFixture.h"

#include <algorithm>

namespace {

std::string StatusLine(const std::string& strLoopAndData) { return ">L" + strLoopAndData + "\r"; }

std::string Zeros(int nCount) { return std::string(nCount, '0'); }

class StatusLineTest : public LinkTest {
protected:
    long InvalidTraces() const {
        return std::count_if(m_shell.m_astrTraces.begin(), m_shell.m_astrTraces.end(),
                             [](const std::string& s) { return s.rfind("Invalid", 0) == 0; });
    }
};

} // namespace

TEST_F(LinkTest, RingKeepsOrderAndGetCharOnEmptyRingChangesNothing) {
    comm.OnReceive("AB");
    EXPECT_EQ(comm.GetChar(), 'A');
    EXPECT_EQ(comm.GetChar(), 'B');
    EXPECT_EQ(comm.GetChar(), '\0');
    EXPECT_EQ(comm.GetUnreadCount(), 0);
}

// What arrived first is the answer being waited for: a full ring keeps it,
// in order, and lets the newest characters go, but still takes a line end.
TEST_F(LinkTest, FullRingKeepsTheOldestInOrderAndStillTakesALineEnd) {
    const std::size_t nRing = CControllerProtocol::kRingSize;
    std::string strText;
    for (std::size_t i = 0; i < nRing + 5; ++i)
        strText += static_cast<char>('a' + i % 26);
    comm.OnReceive(strText + "\r\n");
    EXPECT_EQ(comm.GetUnreadCount(), CControllerProtocol::kRingSize);
    std::string strRead;
    while (comm.GetUnreadCount() > 0)
        strRead += comm.GetChar();
    EXPECT_EQ(strRead, strText.substr(0, nRing - 2) + "\r\n");
}

TEST_F(LinkTest, InboundLineEndsAtCarriageReturnAndSurvivesFlush) {
    comm.OnReceive("AB");
    comm.GetChar();
    comm.Flush();
    comm.OnReceive("C\r\nD\r");
    while (comm.GetUnreadCount() > 0)
        comm.GetChar();
    EXPECT_EQ(host.m_astrInbound, (std::vector<std::string>{"AC\r", "\nD\r"}));
}

// The delay pumps until a pass dispatches nothing, never more than a
// thousand passes, and never waits.
TEST_F(LinkTest, LinkDelayEndsWhenNothingIsLeftToDispatch) {
    struct Case {
        int nPending;
        bool bAlwaysBusy;
        int nPumps;
    };
    for (const Case& c : {Case{0, false, 1}, Case{3, false, 4}, Case{0, true, 1000}}) {
        host.m_nPumps = 0;
        host.m_bAlwaysBusy = c.bAlwaysBusy;
        for (int i = 0; i < c.nPending; ++i)
            host.Say("x");
        comm.LinkDelay();
        EXPECT_EQ(host.m_nPumps, c.nPumps) << c.nPending << c.bAlwaysBusy;
        EXPECT_EQ(host.m_nWaits, 0);
        EXPECT_EQ(comm.GetUnreadCount(), c.nPending);
        comm.Flush();
    }
}

// Noise on the line (a break reads as NUL) is no part of an answer, and
// noise arriving behind the answer in the same read, however long, does not
// push it out.
TEST_F(LinkTest, ReadOkSkipsLineEndsAndNoiseAndComparesTwoLetters) {
    struct Case {
        std::string szAnswer;
        bool bOk;
    };
    std::string strNoiseLines;
    for (int i = 0; i < 500; ++i)
        strNoiseLines += "#~\r\n";
    for (const Case& c :
         {Case{"OK\r\n", true}, Case{"\r\nOK\r\n", true}, Case{"\r\r\nOK", true},
          Case{std::string("\0OK\r\n", 5), true}, Case{"\x1A\r\nOK\r\n", true},
          Case{"OK\r\n" + std::string(3000, 'Z'), true}, Case{"OK\r\n" + strNoiseLines, true},
          Case{"NO\r\n", false}, Case{"OX\r\n", false}, Case{"KO\r\n", false}}) {
        host.Say(c.szAnswer);
        host.Say("\n");
        EXPECT_EQ(comm.ReadOk(), c.bOk) << c.szAnswer;
        EXPECT_EQ(comm.GetUnreadCount(), 0);
    }
    EXPECT_EQ(host.m_nStalls, 0);
}

TEST_F(LinkTest, ReadBitSkipsLettersBeforeTheBit) {
    host.Say("x1\r\n");
    EXPECT_EQ(comm.ReadBit(), true);
    host.Say("\r\n0\r\n");
    EXPECT_EQ(comm.ReadBit(), false);
}

// Line ends before the digits end earlier lines; one among the digits ends
// the answer too soon.
TEST_F(LinkTest, HexReadersSkipLineEndsBeforeTheDigitsOnly) {
    host.Say("FF");
    EXPECT_EQ(comm.ReadHexByteOrNone(), -1);
    host.Say("\r\n7F");
    EXPECT_EQ(comm.ReadHexByteOrNone(), 127);
    host.Say(std::string("\0\x1A"
                         "7E",
                         4));
    EXPECT_EQ(comm.ReadHexByteOrNone(), 126);
    host.Say("7\r\nF");
    EXPECT_EQ(comm.ReadHexByteOrNone(), std::nullopt);
    comm.Flush();
    host.Say("FF");
    EXPECT_EQ(comm.ReadHexByte(), 255);
    host.Say("3C0");
    EXPECT_EQ(comm.ReadHex3(), 960);
    host.Say("0g");
    EXPECT_EQ(comm.ReadHexByte(), std::nullopt);
    EXPECT_EQ(host.m_nStalls, 0);
}

TEST_F(LinkTest, ReadLineReturnsTextAndTheNextReadStartsAfterTheLineFeed) {
    host.Say("MY\nLABEL\r");
    host.Say("\n");
    std::string strLine;
    EXPECT_TRUE(comm.ReadLine(strLine));
    EXPECT_EQ(strLine, "MYLABEL");
    host.Say(std::string("\0HORN\x1A\r\n", 8));
    EXPECT_TRUE(comm.ReadLine(strLine));
    EXPECT_EQ(strLine, "HORN") << "noise is no part of a label";
    host.Say("OK\r\n");
    EXPECT_TRUE(comm.ReadOk());
    EXPECT_EQ(host.m_nStalls, 0);
}

TEST_F(LinkTest, EndlessTextLineIsHeldToTheRingSize) {
    host.m_bTrickle = true;
    host.Say(std::string(3 * CControllerProtocol::kRingSize, 'A') + "\r\n");
    std::string strLine;
    EXPECT_TRUE(comm.ReadLine(strLine));
    EXPECT_EQ(strLine, std::string(CControllerProtocol::kRingSize, 'A'));
    ASSERT_EQ(host.m_astrInbound.size(), 1u);
    EXPECT_EQ(host.m_astrInbound[0].size(),
              static_cast<std::size_t>(CControllerProtocol::kRingSize));
}

TEST_F(LinkTest, ClosingThePortMidReadLineReturnsWhatArrived) {
    host.Say("ABC");
    std::string strLine;
    EXPECT_FALSE(comm.ReadLine(strLine));
    EXPECT_EQ(strLine, "ABC");
    EXPECT_EQ(host.m_nStalls, 1);
}

TEST_F(LinkTest, ClosingThePortMidLabelReadLeavesTheLabel) {
    Select(0, 0, 0);
    sys.SetCurChannelLabel("KEEP");
    host.m_fnAnswer = [](const std::string&) { return std::string("HALF"); };
    comm.ReadChannelLabel();
    EXPECT_EQ(sys.GetCurChannelLabel(), "KEEP");
}

TEST_F(LinkTest, ReadersOnAClosedPortReturnAtOnceWithNoValue) {
    comm.SetPortOpen(false);
    std::string strLine;
    EXPECT_FALSE(comm.ReadOk());
    EXPECT_EQ(comm.ReadBit(), std::nullopt);
    EXPECT_EQ(comm.ReadHexByte(), std::nullopt);
    EXPECT_EQ(comm.ReadHexByteOrNone(), std::nullopt);
    EXPECT_EQ(comm.ReadHex3(), std::nullopt);
    EXPECT_FALSE(comm.ReadLine(strLine));
    EXPECT_EQ(host.m_nWaits, 0);
}

TEST_F(LinkTest, ClosedPortLeavesReadFieldsUnchanged) {
    host.m_fnAnswer = [](const std::string&) { return std::string(); };
    sys.SetLinkActive(true);
    sys.SetSleepEnabled(true);
    sys.SetBoolProcTime(7);
    sys.SetTimerReload(3, 2.5f);
    comm.QueryModuleLink();
    comm.ReadSleepEnabled();
    comm.ReadProcessorTime();
    comm.ReadAllTimers();
    EXPECT_TRUE(sys.IsLinkActive());
    EXPECT_TRUE(sys.GetSleepEnabled());
    EXPECT_EQ(sys.GetBoolProcTime(), 7);
    EXPECT_FLOAT_EQ(sys.GetTimerReload(3), 2.5f);
}

TEST_F(StatusLineTest, ValidStatusLineSetsTheLoopsStates) {
    sys.SetChannelStateAt(15, 9, 2, 1);
    sys.SetChannelStateAt(0, 0, 3, 1);
    comm.OnReceive(StatusLine("280" + Zeros(38)));
    EXPECT_EQ(sys.GetChannelStateAt(0, 0, 2), 1);
    EXPECT_EQ(sys.GetModuleStateBits(0, 2), 1);
    EXPECT_EQ(sys.GetChannelStateAt(15, 9, 2), 0);
    EXPECT_EQ(sys.GetChannelStateAt(0, 0, 3), 1);
    EXPECT_EQ(InvalidTraces(), 0);
}

TEST_F(LinkTest, StatusLineBitsRunMostSignificantFirstAcrossModules) {
    comm.OnReceive("\n" + StatusLine("5" + Zeros(2) + "01" + Zeros(32) + "0001"));
    EXPECT_EQ(sys.GetChannelStateAt(1, 5, 5), 1);
    EXPECT_EQ(sys.GetChannelStateAt(15, 9, 5), 1);
    EXPECT_EQ(sys.GetModuleStateBits(0, 5), 0);
}

TEST_F(LinkTest, LowerCaseStatusLineIsAccepted) {
    comm.OnReceive(">l1ff" + Zeros(38) + "\r");
    EXPECT_EQ(sys.GetModuleStateBits(0, 1), 0xFF);
}

TEST_F(LinkTest, FaultyStatusLinesAreIgnoredWithTheirTraces) {
    struct Case {
        std::string strLine;
        const char* szTrace;
    };
    const std::vector<Case> aCases = {
        {StatusLine("2" + Zeros(42)), "Invalid length = 45\n"},
        {StatusLine("2G" + Zeros(39)), "Invalid hex\n"},
        {StatusLine("6" + Zeros(40)), "Invalid loop\n"},
        {"0>L2" + Zeros(39) + "\r", "Invalid hex\n"},
    };
    for (const Case& c : aCases) {
        m_shell.m_astrTraces.clear();
        sys.SetChannelStateAt(0, 0, 2, 1);
        comm.OnReceive(c.strLine);
        EXPECT_EQ(m_shell.m_astrTraces, std::vector<std::string>{c.szTrace}) << c.strLine;
        EXPECT_EQ(sys.GetChannelStateAt(0, 0, 2), 1) << c.strLine;
    }
}

TEST_F(StatusLineTest, ShortLinesAreNotStatusLines) {
    comm.OnReceive(StatusLine("2" + Zeros(39)));
    comm.OnReceive("OK\r");
    EXPECT_EQ(InvalidTraces(), 0);
}

TEST_F(LinkTest, StatusLineStaysInTheRingForTheNextReader) {
    std::string strLine = StatusLine("0" + Zeros(40));
    comm.OnReceive(strLine);
    EXPECT_EQ(comm.GetUnreadCount(), static_cast<int>(strLine.size()));
}

// A status line before the answer holds digits a reader would take for the
// answer ("0" from the loop digit here).
TEST_F(LinkTest, StatusLineBeforeAnAnswerIsSkippedAndStillDecoded) {
    for (bool bTrickle : {false, true}) {
        sys.SetLinkActive(false);
        sys.SetChannelStateAt(0, 0, 0, 0);
        host.m_bTrickle = bTrickle;
        host.m_fnAnswer = [](const std::string&) {
            return StatusLine("0"
                              "80" +
                              Zeros(38)) +
                   "1\r\n";
        };
        comm.QueryModuleLink();
        EXPECT_TRUE(sys.IsLinkActive()) << bTrickle;
        EXPECT_EQ(sys.GetChannelStateAt(0, 0, 0), 1) << bTrickle;
        EXPECT_EQ(host.m_nStalls, 0);
    }
}

TEST_F(LinkTest, StatusLineBetweenAnswerLinesIsSkipped) {
    host.m_fnAnswer = [](const std::string&) {
        return "\r\n" + StatusLine("1" + Zeros(40)) + "OK\r\n";
    };
    EXPECT_TRUE(comm.ClearCpuMemory());
    host.m_fnAnswer = [](const std::string&) {
        return StatusLine("1" + Zeros(40)) + "\nLABEL\r\n";
    };
    Select(0, 0, 0);
    comm.ReadChannelLabel();
    EXPECT_EQ(sys.GetCurChannelLabel(), "LABEL");
}

TEST_F(LinkTest, ShortAnswerStartingLikeAStatusLineIsAnAnswer) {
    Select(0, 0, 0);
    host.m_bTrickle = true;
    host.m_fnAnswer = [](const std::string&) { return std::string(">LEFT DOOR\r\n"); };
    comm.ReadChannelLabel();
    EXPECT_EQ(sys.GetCurChannelLabel(), ">LEFT DOOR");
    EXPECT_EQ(host.m_nStalls, 0);
}

TEST_F(LinkTest, HexTextHelpers) {
    EXPECT_EQ(CControllerProtocol::HexDigitValue('0'), 0);
    EXPECT_EQ(CControllerProtocol::HexDigitValue('9'), 9);
    EXPECT_EQ(CControllerProtocol::HexDigitValue('A'), 10);
    EXPECT_EQ(CControllerProtocol::HexDigitValue('F'), 15);
    EXPECT_TRUE(CControllerProtocol::IsHexText("09AF"));
    EXPECT_FALSE(CControllerProtocol::IsHexText("0a"));
    EXPECT_EQ(CControllerProtocol::HexTextValue("3BF"), 959);
}
