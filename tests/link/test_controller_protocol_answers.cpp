#include "link/LinkFixture.h"

#include <algorithm>
#include <functional>

namespace {

using namespace std::chrono_literals;

// Flags 0A 21 53, terms A 00C 3C0 FFF, terms B 001 FFF FFF, the tail 3300.
const std::string kBlock = "0A215300C3C0FFF001FFFFFF3300";

// Which traces name a field the controller answered badly.
std::vector<std::string> NotReadTraces(const std::vector<std::string>& astrTraces) {
    std::vector<std::string> astrNotRead;
    const std::string strStart = "Malformed answer from the DVX CPU, not stored: ";
    for (const std::string& strTrace : astrTraces)
        if (strTrace.rfind(strStart, 0) == 0)
            astrNotRead.push_back(
                strTrace.substr(strStart.size(), strTrace.size() - strStart.size() - 1));
    return astrNotRead;
}

class AnswerTest : public LinkTest {
protected:
    // Every frame is answered with strAnswer.
    void AnswerAll(const std::string& strAnswer) {
        host.m_fnAnswer = [strAnswer](const std::string&) { return strAnswer; };
    }
};

// One read operation, what it stores, and a value that differs from every
// answer of the cases.
struct CReadOp {
    const char* szName;
    std::function<bool(CControllerProtocol&)> fnRead;
    std::function<std::string(CSystem&)> fnField;
    std::function<void(CSystem&)> fnPreset;
};

std::string Number(int nValue) { return std::to_string(nValue); }

const std::vector<CReadOp>& ReadOps() {
    static const std::vector<CReadOp> aOps = {
        {"sleep mode wake-up interval", [](CControllerProtocol& c) { return c.ReadSleepWakeUp(); },
         [](CSystem& s) { return Number(s.GetSleepWakeUp()); },
         [](CSystem& s) { s.SetSleepWakeUp(99); }},
        {"sleep mode inactivity interval",
         [](CControllerProtocol& c) { return c.ReadSleepInactivity(); },
         [](CSystem& s) { return Number(s.GetSleepInactivity()); },
         [](CSystem& s) { s.SetSleepInactivity(99); }},
        {"high speed pair 1 input", [](CControllerProtocol& c) { return c.ReadHiSpeedInput(1); },
         [](CSystem& s) { return Number(s.GetHiSpeedInput(1)); },
         [](CSystem& s) { s.SetHiSpeedInput(1, 99); }},
        {"timer 7 reload", [](CControllerProtocol& c) { return c.ReadModuleTimers(); },
         [](CSystem& s) { return Number(s.GetTimerReloadCount(7)); },
         [](CSystem& s) { s.SetTimerReloadFromCount(7, 99); }},
    };
    return aOps;
}

} // namespace

// Only the two digits and the line end make an answer to a number read;
// anything else leaves the field as it was and is named.
TEST_F(AnswerTest, MalformedNumberAnswersStoreNothingAndAreNamed) {
    struct Case {
        const char* szAnswer;
        bool bWellFormed;
    };
    const Case aCases[] = {
        {"0A\r\n", true},           {"\r\n0A\r\n", true}, {"A\r\n", false},
        {"0AB\r\n", false},         {"0 A\r\n", false},   {"ERROR\r\n", false},
        {"#~GARBLED~#\r\n", false}, {"0a\r\n", false},    {"0\r\nA\r\n", false},
    };
    for (const CReadOp& op : ReadOps()) {
        for (const Case& c : aCases) {
            op.fnPreset(sys);
            m_shell.m_astrTraces.clear();
            AnswerAll(c.szAnswer);
            const bool bRead = op.fnRead(comm);
            EXPECT_EQ(bRead, c.bWellFormed) << op.szName << " " << c.szAnswer;
            EXPECT_EQ(op.fnField(sys), c.bWellFormed ? "10" : "99")
                << op.szName << " " << c.szAnswer;
            if (!c.bWellFormed) {
                EXPECT_NE(std::find(m_shell.m_astrTraces.begin(), m_shell.m_astrTraces.end(),
                                    "Malformed answer from the DVX CPU, not stored: " +
                                        std::string(op.szName) + "\n"),
                          m_shell.m_astrTraces.end())
                    << op.szName << " " << c.szAnswer;
            }
        }
    }
    EXPECT_EQ(host.m_nStalls, 0);
    EXPECT_TRUE(comm.GetPortOpen());
}

TEST_F(AnswerTest, BitAnswerWithoutABitStoresNothing) {
    struct Case {
        const char* szAnswer;
        std::optional<bool> bit;
    };
    for (const Case& c : {Case{"1\r\n", true}, Case{"x1\r\n", true}, Case{"\r\n0\r\n", false},
                          Case{"ERROR\r\n", std::nullopt}, Case{"#~GARBLED~#\r\n", std::nullopt}}) {
        sys.SetSleepEnabled(true);
        sys.SetLinkActive(true);
        AnswerAll(c.szAnswer);
        EXPECT_EQ(comm.ReadSleepEnabled(), c.bit.has_value()) << c.szAnswer;
        EXPECT_EQ(sys.GetSleepEnabled(), c.bit.value_or(true)) << c.szAnswer;
        EXPECT_EQ(comm.QueryModuleLink(), c.bit.has_value()) << c.szAnswer;
        EXPECT_EQ(sys.IsLinkActive(), c.bit.value_or(true)) << c.szAnswer;
    }
    EXPECT_EQ(NotReadTraces(m_shell.m_astrTraces),
              (std::vector<std::string>{"sleep mode enabled", "module link state",
                                        "sleep mode enabled", "module link state"}));
    EXPECT_EQ(host.m_nStalls, 0);
}

// A block one digit short or long, refused or garbled stores none of its
// fields and ends at its line end instead of waiting for digits that never
// come; a well-formed term beyond the channels still becomes no term.
TEST_F(AnswerTest, EquationBlockIsStoredWholeOrNotAtAll) {
    Select(1, 2, 3);
    struct Case {
        std::string strAnswer;
        bool bWellFormed;
    };
    const Case aCases[] = {
        {kBlock + "\r\n", true},
        {kBlock.substr(0, kBlock.size() - 1) + "\r\n", false},
        {kBlock.substr(0, 10) + "\r\n", false},
        {kBlock + "0\r\n", false},
        {kBlock.substr(0, 5) + "G" + kBlock.substr(6) + "\r\n", false},
        {"ERROR\r\n", false},
        {"#~GARBLED~#\r\n", false},
    };
    for (const Case& c : aCases) {
        sys.ClearCurEquation();
        sys.SetTermA(2, 5);
        AnswerAll(c.strAnswer);
        EXPECT_EQ(comm.ReadEquation(), c.bWellFormed) << c.strAnswer;
        const CChannelRecord& record = sys.CurRecord();
        if (c.bWellFormed) {
            EXPECT_TRUE(record.m_bOutput);
            EXPECT_EQ(record.m_anTermA[0], 12);
            EXPECT_EQ(record.m_anTermA[1], -1) << "3C0 is no channel";
            EXPECT_EQ(record.m_anTermA[2], -1);
            EXPECT_EQ(record.m_anTermB[0], 1);
            EXPECT_EQ(sys.GetCurEquationType(), 1);
        } else {
            EXPECT_FALSE(record.m_bOutput) << c.strAnswer;
            EXPECT_EQ(record.m_anTermA[2], 5) << c.strAnswer;
            EXPECT_EQ(NotReadTraces(m_shell.m_astrTraces).back(), "equation of YELLOW LOOP C4");
        }
    }
    EXPECT_EQ(host.m_nStalls, 0);
}

TEST_F(AnswerTest, ReadSequencesGoOnAfterAFieldNotReadAndReportIt) {
    host.m_fnAnswer = CScriptedController::DefaultExcept({{":TR03\r", "ERROR\r\n"},
                                                          {":HO02\r", "ERROR\r\n"},
                                                          {":B005\r", "ERROR\r\n"},
                                                          {":K0A1\r", "ERROR\r\n"},
                                                          {":Q12\r", "ERROR\r\n"},
                                                          {":V04\r", "ERROR\r\n"}});
    sys.SetTimerReloadFromCount(3, 7);
    sys.SetTimerReloadFromCount(4, 7);
    EXPECT_FALSE(comm.ReadAllTimers());
    EXPECT_EQ(sys.GetTimerReloadCount(3), 7);
    EXPECT_EQ(sys.GetTimerReloadCount(4), 100);
    EXPECT_FALSE(comm.ReadHiSpeedPairs());
    EXPECT_TRUE(comm.ReadSleepMode());
    Select(0, 0, 0);
    EXPECT_FALSE(comm.ReadModuleEquations());
    EXPECT_FALSE(comm.ReadAllEquations());
    sys.StoreChannelLabel(0, 1, 1, "KEEP");
    sys.StoreModuleLabel(2, 1, "KEEP");
    EXPECT_FALSE(comm.ReadAllLabels());
    EXPECT_EQ(sys.GetChannelLabel(0, 1, 1), "KEEP");
    EXPECT_EQ(sys.GetModuleLabel(2, 1), "KEEP");
    EXPECT_EQ(NotReadTraces(m_shell.m_astrTraces),
              (std::vector<std::string>{"timer 3 reload", "high speed pair 2 output",
                                        "equation of BLUE LOOP A6", "equation of BLUE LOOP A6",
                                        "label of YELLOW LOOP A2", "label of YELLOW LOOP module C",
                                        "system label 4"}));
}

// A label read back is stored only when the controller could keep it as a
// label: its refusal, a control character or more characters than the field
// holds make a damaged answer, which leaves the label as it was and is named.
// Text within those rules is a label, even garbage.
TEST_F(AnswerTest, LabelAnswersThatCannotBeLabelsStoreNothingAndAreNamed) {
    struct Case {
        std::string strAnswer;
        std::optional<std::string> label;
    };
    const Case aCases[] = {
        {"HORN\r\n", "HORN"},
        {"FIFTEEN CHARS!!\r\n", "FIFTEEN CHARS!!"},
        {"#~GARBLED~#\r\n", "#~GARBLED~#"},
        {"ERROR\r\n", std::nullopt},
        {"SIXTEEN CHARS!!!\r\n", std::nullopt},
        {"HORN\tLEFT\r\n", std::nullopt},
        {"\x1B[2JHORN\r\n", std::nullopt},
        {"HO\x7FRN\r\n", std::nullopt},
    };
    const struct {
        const char* szField;
        std::function<bool(CControllerProtocol&)> fnRead;
        std::function<std::string(CSystem&)> fnLabel;
    } aOps[] = {
        {"label of YELLOW LOOP C4", [](CControllerProtocol& c) { return c.ReadChannelLabel(); },
         [](CSystem& s) { return s.GetChannelLabel(2, 3, 1); }},
        {"label of TIMER LOOP module P",
         [](CControllerProtocol& c) { return c.ReadModuleLabel(15, 3); },
         [](CSystem& s) { return s.GetModuleLabel(15, 3); }},
        {"system label 3", [](CControllerProtocol& c) { return c.ReadSysLabel(3); },
         [](CSystem& s) { return s.GetSysLabel(3); }},
    };
    Select(1, 2, 3);
    for (const auto& op : aOps) {
        for (const Case& c : aCases) {
            sys.SetCurChannelLabel("KEEP");
            sys.SetModuleLabel(15, 3, "KEEP");
            sys.SetSysLabel(3, "KEEP");
            m_shell.m_astrTraces.clear();
            AnswerAll(c.strAnswer);
            EXPECT_EQ(op.fnRead(comm), c.label.has_value()) << op.szField << " " << c.strAnswer;
            EXPECT_EQ(op.fnLabel(sys), c.label.value_or("KEEP"))
                << op.szField << " " << c.strAnswer;
            EXPECT_EQ(NotReadTraces(m_shell.m_astrTraces),
                      c.label ? std::vector<std::string>{} : std::vector<std::string>{op.szField})
                << op.szField << " " << c.strAnswer;
        }
    }
    EXPECT_EQ(host.m_nStalls, 0);
}

// Noise or an old answer waiting in the ring when a query goes out is not
// that query's answer, whether or not the query empties the ring first.
TEST_F(AnswerTest, BytesBeforeTheQueryAreNotItsAnswer) {
    Select(0, 0, 0);
    host.m_fnAnswer = CScriptedController::DefaultExcept({{":I\r", "1\r\n"},
                                                          {":K000\r", "REAL\r\n"},
                                                          {":Q00\r", "REAL\r\n"},
                                                          {":V05\r", "REAL\r\n"}});
    comm.OnReceive("NOISE0\r\n");
    comm.ReadChannelLabel();
    EXPECT_EQ(sys.GetCurChannelLabel(), "REAL");
    comm.OnReceive("0\r\n");
    comm.QueryModuleLink();
    EXPECT_TRUE(sys.IsLinkActive());
    comm.OnReceive("OLD\r\n");
    comm.ReadModuleLabel(0, 0);
    EXPECT_EQ(sys.GetModuleLabel(0, 0), "REAL");
    comm.OnReceive("77\r\n");
    comm.ReadProcessorTime();
    EXPECT_EQ(sys.GetBoolProcTime(), 0);
    EXPECT_EQ(host.m_nStalls, 0);
}

// A complete status line among the stale bytes still sets its loop's
// states; only the reader does not see it.
TEST_F(AnswerTest, StatusLineAmongStaleBytesIsStillDecoded) {
    host.m_fnAnswer = [](const std::string&) { return std::string("1\r\n"); };
    comm.OnReceive("NO\r>L380" + std::string(38, '0') + "\r");
    comm.QueryModuleLink();
    EXPECT_TRUE(sys.IsLinkActive());
    EXPECT_EQ(sys.GetChannelStateAt(0, 0, 3), 1);
}

// A controller that stays silent is shown as not answering while the wait
// goes on; it ends when the technician closes the port, and the indication
// goes with it.
TEST_F(AnswerTest, SilenceIsShownUntilThePortCloses) {
    comm.SetNotAnsweringDelay(0ms);
    AnswerAll("");
    sys.SetSleepWakeUp(99);
    EXPECT_FALSE(comm.ReadSleepWakeUp());
    EXPECT_EQ(host.m_abNotAnswering, (std::vector<bool>{true, false}));
    EXPECT_EQ(sys.GetSleepWakeUp(), 99);
    EXPECT_TRUE(NotReadTraces(m_shell.m_astrTraces).empty())
        << "a closed port is no malformed answer";
}

TEST_F(AnswerTest, AnswerAfterSilenceEndsTheIndication) {
    comm.SetNotAnsweringDelay(0ms);
    EXPECT_TRUE(comm.ReadSleepWakeUp());
    EXPECT_EQ(host.m_abNotAnswering, (std::vector<bool>{true, false}));
    EXPECT_TRUE(comm.GetPortOpen());
}

TEST_F(AnswerTest, PromptAnswersShowNoSilence) {
    EXPECT_TRUE(comm.ReadSleepMode());
    Select(0, 0, 0);
    EXPECT_TRUE(comm.ReadModuleEquations());
    EXPECT_TRUE(host.m_abNotAnswering.empty());
}
