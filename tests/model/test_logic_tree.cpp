#include "model/CheckSystems.h"
#include "model/LogicGraph.h"
#include "model/LogicTree.h"
#include "model/SystemFixture.h"

using namespace CheckSystems;

namespace {

class LogicTreeTest : public SystemTest {
protected:
    std::vector<short> Channels(const std::vector<CLogicNode>& aNodes) {
        std::vector<short> anChannels;
        for (const CLogicNode& node : aNodes)
            anChannels.push_back(node.nChannel);
        return anChannels;
    }
};

} // namespace

TEST_F(LogicTreeTest, OpensEachEquationDownToTheInputs) {
    Equation(sys, kBlueA3, {{kVirtualA1}}, {{kBlueA1, true}});
    Equation(sys, kVirtualA1, {{kBlueA2}});
    const CLogicGraph graph(sys);
    const CLogicTree tree(graph);
    const CLogicNode root = tree.Root(kBlueA3);
    const std::vector<CLogicNode> aTerms = tree.Children(root);
    EXPECT_EQ(Channels(aTerms), (std::vector<short>{kVirtualA1, kBlueA1}));
    EXPECT_TRUE(aTerms[1].term.bNot);
    EXPECT_EQ(aTerms[1].term.nGroup, 1);
    EXPECT_TRUE(tree.HasChildren(aTerms[0]));
    EXPECT_FALSE(tree.HasChildren(aTerms[1])) << "an input";
    EXPECT_EQ(Channels(tree.Children(aTerms[0])), (std::vector<short>{kBlueA2}));
}

TEST_F(LogicTreeTest, ChannelMetAgainUpTheBranchIsACircleNotOpened) {
    Equation(sys, kBlueA1, {{kVirtualA1}});
    Equation(sys, kVirtualA1, {{kBlueA1}, {kVirtualA1}});
    const CLogicGraph graph(sys);
    const CLogicTree tree(graph);
    const CLogicNode virtualA1 = tree.Children(tree.Root(kBlueA1)).at(0);
    const std::vector<CLogicNode> aBelow = tree.Children(virtualA1);
    ASSERT_EQ(aBelow.size(), 2u);
    EXPECT_TRUE(aBelow[0].bCircle);
    EXPECT_TRUE(aBelow[1].bCircle) << "a channel using itself";
    EXPECT_FALSE(tree.HasChildren(aBelow[0]));
}

TEST_F(LogicTreeTest, TimerTermsOpenIntoTheirEnableEquation) {
    Equation(sys, kBlueA1, {{kTmrDoneA1}, {kTmrRunA1}});
    Equation(sys, kTmrEnblA1, {{kBlueA2}});
    const CLogicGraph graph(sys);
    const CLogicTree tree(graph);
    for (const CLogicNode& timer : tree.Children(tree.Root(kBlueA1))) {
        EXPECT_EQ(tree.EquationOf(timer), kTmrEnblA1);
        EXPECT_EQ(Channels(tree.Children(timer)), (std::vector<short>{kBlueA2}));
    }
}

TEST_F(LogicTreeTest, DrivenFollowsUsersThroughAndTimersOnce) {
    Equation(sys, kVirtualA1, {{kBlueA1}});
    Equation(sys, kTmrEnblA1, {{kVirtualA1}});
    Equation(sys, kBlueA2, {{kTmrDoneA1}, {kVirtualA1}});
    Equation(sys, kBlueA3, {{kBlueA2}}, {{kBlueA2, true}});
    const CLogicGraph graph(sys);
    const std::vector<CLogicDriven> aDriven = CLogicTree(graph).Driven(kBlueA1);
    ASSERT_EQ(aDriven.size(), 4u);
    const short anWanted[][3] = {{kVirtualA1, kBlueA1, 1},
                                 {kBlueA2, kVirtualA1, 2},
                                 {kTmrEnblA1, kVirtualA1, 2},
                                 {kBlueA3, kBlueA2, 3}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(aDriven[i].nChannel, anWanted[i][0]) << i;
        EXPECT_EQ(aDriven[i].nThrough, anWanted[i][1]) << i;
        EXPECT_EQ(aDriven[i].nLevel, anWanted[i][2]) << i;
    }
    EXPECT_TRUE(CLogicTree(graph).Driven(kBlueA3).empty());
}
