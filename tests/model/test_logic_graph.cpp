#include "model/CheckSystems.h"
#include "model/LogicGraph.h"
#include "model/SystemFixture.h"

#include <functional>

using namespace CheckSystems;

namespace {

class LogicGraphTest : public SystemTest {
protected:
    std::vector<CLogicCircle> Circles() { return CLogicGraph(sys).Circles(); }
};

} // namespace

TEST_F(LogicGraphTest, TermsCarryTheirInversionFromSourceToResult) {
    CChannelRecord& record =
        Equation(sys, kBlueA1, {{kBlueA2}, {kBlueA3, true}}, {{kVirtualA1}, {kYellowA1, true}});
    record.m_bGroupNotB = 1;
    record.m_bEquationNot = 1;
    CLogicGraph graph(sys);
    ASSERT_EQ(graph.Terms(kBlueA1).size(), 4u);
    const bool abInverting[] = {true, false, false, true};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(graph.Terms(kBlueA1)[i].bInverting, abInverting[i]) << "term " << i;
    EXPECT_TRUE(graph.HasEquation(kBlueA1));
    EXPECT_FALSE(graph.HasEquation(kBlueA2));
}

TEST_F(LogicGraphTest, TimerDoneAndRunningChannelsLeadToTheirEnableChannel) {
    EXPECT_EQ(CLogicGraph::TimerEnableOf(kTmrDoneA1 + 37), kTmrEnblA1 + 37);
    EXPECT_EQ(CLogicGraph::TimerEnableOf(kTmrRunA1 + 159), kTmrEnblA1 + 159);
    EXPECT_EQ(CLogicGraph::TimerEnableOf(kTmrEnblA1), -1);
    EXPECT_EQ(CLogicGraph::TimerEnableOf(kVirtualA1), -1);
}

TEST_F(LogicGraphTest, CirclesAreFoundWithTheirInversion) {
    struct Case {
        const char* szName;
        std::function<void(CSystem&)> fnBuild;
        std::vector<CLogicCircle> aCircles;
    };
    const Case cases[] = {
        {"two channels following each other",
         [](CSystem& s) {
             Equation(s, kVirtualA1, {{kVirtualA2}});
             Equation(s, kVirtualA2, {{kVirtualA1}});
         },
         {{{kVirtualA1, kVirtualA2}, false}}},
        {"one NOT on the way round",
         [](CSystem& s) {
             Equation(s, kVirtualA1, {{kVirtualA2}});
             Equation(s, kVirtualA2, {{kVirtualA1, true}});
         },
         {{{kVirtualA1, kVirtualA2}, true}}},
        {"two NOTs on the way round",
         [](CSystem& s) {
             Equation(s, kVirtualA1, {{kVirtualA2, true}});
             Equation(s, kVirtualA2, {{kVirtualA1}}).m_bEquationNot = 1;
         },
         {{{kVirtualA1, kVirtualA2}, false}}},
        {"a seal-in",
         [](CSystem& s) {
             Equation(s, kBlueA1, {{kBlueA2}}, {{kBlueA1}, {kBlueA3, true}});
         },
         {{{kBlueA1}, false}}},
        {"a channel inverting itself",
         [](CSystem& s) {
             Equation(s, kVirtualA3, {{kVirtualA3, true}});
         },
         {{{kVirtualA3}, true}}},
        {"a timer breaks the circle",
         [](CSystem& s) {
             Equation(s, kVirtualA1, {{kTmrDoneA1, true}});
             Equation(s, kTmrEnblA1, {{kVirtualA1}});
         },
         {}},
        {"a latched channel takes no edge",
         [](CSystem& s) {
             Equation(s, kBlueA1, {{kBlueA1, true}}).m_bMomentaryLatch = 1;
         },
         {}},
        {"a constant group passes nothing on",
         [](CSystem& s) {
             Equation(s, kVirtualA1, {{kVirtualA1}, {kVirtualA1, true}});
         },
         {}},
        {"a chain is no circle",
         [](CSystem& s) {
             Equation(s, kVirtualA1, {{kVirtualA2, true}});
             Equation(s, kVirtualA2, {{kVirtualA3, true}});
         },
         {}},
    };
    for (const Case& c : cases) {
        sys.ResetToDefaults();
        c.fnBuild(sys);
        std::vector<CLogicCircle> aCircles = Circles();
        ASSERT_EQ(aCircles.size(), c.aCircles.size()) << c.szName;
        for (std::size_t i = 0; i < aCircles.size(); ++i) {
            EXPECT_EQ(aCircles[i].anChannels, c.aCircles[i].anChannels) << c.szName;
            EXPECT_EQ(aCircles[i].bInverting, c.aCircles[i].bInverting) << c.szName;
        }
    }
}

TEST_F(LogicGraphTest, SeparateCirclesComeInChannelOrder) {
    Equation(sys, kVirtualA3, {{kVirtualA3, true}});
    Equation(sys, kBlueA1, {{kBlueA2}});
    Equation(sys, kBlueA2, {{kBlueA1}});
    std::vector<CLogicCircle> aCircles = Circles();
    ASSERT_EQ(aCircles.size(), 2u);
    EXPECT_EQ(aCircles[0].anChannels, (std::vector<short>{kBlueA1, kBlueA2}));
    EXPECT_EQ(aCircles[1].anChannels, std::vector<short>{kVirtualA3});
}
