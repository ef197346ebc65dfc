#include "model/CheckSystems.h"
#include "model/LogicExplanation.h"
#include "model/LogicGraph.h"
#include "model/SystemFixture.h"

#include <functional>
#include <map>

using namespace CheckSystems;

namespace {

constexpr short kBlueB1 = 10, kBlueB2 = 11, kBlueB3 = 12;
constexpr ELogicState kOn = ELogicState::On, kOff = ELogicState::Off;

class LogicExplanationTest : public SystemTest {
protected:
    LogicExplanationTest() { Label(sys, kBlueB1, "Door switch"); }

    CLogicFacts Facts(const std::map<short, ELogicState>& aStates) {
        CLogicFacts facts;
        facts.fnState = [aStates](short nIndex) {
            auto it = aStates.find(nIndex);
            return it == aStates.end() ? ELogicState::Unknown : it->second;
        };
        return facts;
    }
};

} // namespace

// Each case: the equations, the reported states and what else is known, and
// the line above the tree for Blue A3.
TEST_F(LogicExplanationTest, LineSaysWhichTermsDecideAndFollowsThemDown) {
    struct Case {
        const char* szName;
        std::function<void(CSystem&)> fnSetUp;
        std::map<short, ELogicState> aStates;
        std::function<void(CLogicFacts&)> fnFacts;
        const char* szLine;
    };
    auto plain = [](CSystem& s) { Equation(s, kBlueA3, {{kBlueB1}, {kBlueB2}}); };
    const Case aCases[] = {
        {"an off term of an AND",
         plain,
         {{kBlueA3, kOff}, {kBlueB1, kOff}, {kBlueB2, kOn}},
         {},
         "Blue A3 is off because Blue B1 (Door switch) is off"},
        {"every off term of an AND",
         plain,
         {{kBlueA3, kOff}, {kBlueB1, kOff}, {kBlueB2, kOff}},
         {},
         "Blue A3 is off because Blue B1 (Door switch) is off and Blue B2 is off"},
        {"an AND that is on needs every term",
         plain,
         {{kBlueA3, kOn}, {kBlueB1, kOn}, {kBlueB2, kOn}},
         {},
         "Blue A3 is on because Blue B1 (Door switch) is on and Blue B2 is on"},
        {"a NOT term decides by its source being on",
         [](CSystem& s) {
             Equation(s, kBlueA3, {{kBlueB1, true}});
         },
         {{kBlueA3, kOff}, {kBlueB1, kOn}},
         {},
         "Blue A3 is off because Blue B1 (Door switch) is on"},
        {"the group that is on decides an OR of groups",
         [](CSystem& s) { Equation(s, kBlueA3, {{kBlueB1}}, {{kBlueB2}}); },
         {{kBlueA3, kOn}, {kBlueB1, kOff}, {kBlueB2, kOn}},
         {},
         "Blue A3 is on because Blue B2 is on"},
        {"an OR presentation that is off: every term",
         [](CSystem& s) {
             CChannelRecord& record =
                 Equation(s, kBlueA3, {{kBlueB1, true}, {kBlueB2, true}}, {{kBlueB3, true}});
             record.m_bGroupNotA = record.m_bGroupNotB = 1;
             record.m_nEquationType = 1;
         },
         {{kBlueA3, kOff}, {kBlueB1, kOff}, {kBlueB2, kOff}, {kBlueB3, kOff}},
         {},
         "Blue A3 is off because Blue B1 (Door switch) is off and Blue B2 is off and Blue B3 "
         "is off"},
        {"an OR presentation that is on: the terms that are on",
         [](CSystem& s) {
             CChannelRecord& record = Equation(s, kBlueA3, {{kBlueB1, true}, {kBlueB2, true}});
             record.m_bGroupNotA = 1;
         },
         {{kBlueA3, kOn}, {kBlueB1, kOff}, {kBlueB2, kOn}},
         {},
         "Blue A3 is on because Blue B2 is on"},
        {"whole NOT",
         [](CSystem& s) { Equation(s, kBlueA3, {{kBlueB1}}).m_bEquationNot = 1; },
         {{kBlueA3, kOn}, {kBlueB1, kOff}},
         {},
         "Blue A3 is on because Blue B1 (Door switch) is off"},
        {"followed down through a virtual channel",
         [](CSystem& s) {
             Equation(s, kBlueA3, {{kVirtualA1}});
             Equation(s, kVirtualA1, {{kBlueB1}});
         },
         {{kBlueA3, kOff}, {kVirtualA1, kOff}, {kBlueB1, kOff}},
         {},
         "Blue A3 is off because Virtual A1 is off; Virtual A1 is off because Blue B1 (Door "
         "switch) is off"},
        {"followed down through a timer to its enable channel",
         [](CSystem& s) {
             Equation(s, kBlueA3, {{kTmrDoneA1}});
             Equation(s, kTmrEnblA1, {{kBlueB1}});
             s.SetTimerReload(0, 5.0f);
         },
         {{kBlueA3, kOff}, {kTmrDoneA1, kOff}, {kTmrEnblA1, kOff}, {kBlueB1, kOff}},
         {},
         "Blue A3 is off because TmrDone A1 is off; TmrDone A1 is off: it reports timer 0 (5 s) "
         "of TmrEnbl A1, which is off; TmrEnbl A1 is off because Blue B1 (Door switch) is off"},
        {"a latched channel is the latch's memory",
         [](CSystem& s) { Equation(s, kBlueA3, {{kBlueB1}}).m_bMomentaryLatch = 1; },
         {{kBlueA3, kOn}, {kBlueB1, kOff}},
         {},
         "Blue A3 is on: it is a momentary switch latch, its state is the latch's memory"},
        {"a forced state",
         plain,
         {{kBlueA3, kOn}, {kBlueB1, kOff}, {kBlueB2, kOff}},
         [](CLogicFacts& f) { f.fnForced = [](short n) { return n == kBlueA3; }; },
         "Blue A3 is on: its state was forced"},
        {"the processor switched off",
         plain,
         {{kBlueA3, kOn}, {kBlueB1, kOff}},
         [](CLogicFacts& f) { f.bProcessorOff = true; },
         "Blue A3 is on: the Boolean processor is switched off"},
        {"a reported state that disagrees",
         plain,
         {{kBlueA3, kOn}, {kBlueB1, kOff}, {kBlueB2, kOn}},
         {},
         "Blue A3 is reported on, but its equation gives off"},
        {"a term not reported yet",
         plain,
         {{kBlueA3, kOff}, {kBlueB2, kOn}},
         {},
         "Blue A3 is off: the states of its terms have not all been reported"},
        {"an off term decides even beside an unknown one",
         plain,
         {{kBlueA3, kOff}, {kBlueB2, kOff}},
         {},
         "Blue A3 is off because Blue B2 is off"},
        {"the channel itself not reported yet",
         plain,
         {{kBlueB1, kOn}, {kBlueB2, kOn}},
         {},
         "Blue A3 is not reported yet, its equation gives on because Blue B1 (Door switch) is on "
         "and Blue B2 is on"},
        {"the controller's equation differs",
         plain,
         {{kBlueA3, kOff}, {kBlueB1, kOff}, {kBlueB2, kOn}},
         [](CLogicFacts& f) { f.fnDiffers = [](short n) { return n == kBlueA3; }; },
         "Blue A3 is off because Blue B1 (Door switch) is off (the controller holds another "
         "equation for it)"},
        {"an input", [](CSystem&) {}, {{kBlueA3, kOn}}, {}, "Blue A3 is on: no equation drives it"},
    };
    for (const Case& c : aCases) {
        auto pSystem = std::make_unique<CSystem>(m_shell, m_dir.Str());
        Label(*pSystem, kBlueB1, "Door switch");
        c.fnSetUp(*pSystem);
        CLogicFacts facts = Facts(c.aStates);
        if (c.fnFacts)
            c.fnFacts(facts);
        const CLogicGraph graph(*pSystem);
        EXPECT_EQ(CLogicExplanation(*pSystem, graph, facts).Line(kBlueA3), c.szLine) << c.szName;
    }
}

TEST_F(LogicExplanationTest, GroupsAndResultStayUnknownUntilTheyAreDecided) {
    CChannelRecord& record = Equation(sys, kBlueA3, {{kBlueB1}, {kBlueB2}}, {{kBlueB3, true}});
    const CLogicEquation equation = CLogicEquation::Of(record);
    struct Case {
        std::map<short, ELogicState> aStates;
        ELogicState groupA, groupB, result;
    };
    const ELogicState kUnknown = ELogicState::Unknown;
    const Case aCases[] = {
        {{}, kUnknown, kUnknown, kUnknown},
        {{{kBlueB1, kOff}}, kOff, kUnknown, kUnknown},
        {{{kBlueB1, kOff}, {kBlueB3, kOn}}, kOff, kOff, kOff},
        {{{kBlueB3, kOff}}, kUnknown, kOn, kOn},
        {{{kBlueB1, kOn}, {kBlueB2, kOn}}, kOn, kUnknown, kOn},
    };
    for (const Case& c : aCases) {
        const CLogicFacts facts = Facts(c.aStates);
        EXPECT_EQ(equation.GroupValue(0, facts), c.groupA);
        EXPECT_EQ(equation.GroupValue(1, facts), c.groupB);
        EXPECT_EQ(equation.Result(facts), c.result);
    }
    EXPECT_EQ(CLogicEquation().Result(Facts({})), ELogicState::Off) << "no group reads as off";
}
