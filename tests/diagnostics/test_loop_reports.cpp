#include "diagnostics/LoopReports.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records what the shared piece asks for, one word each.
class LoopReportsTest : public ::testing::Test {
protected:
    CLoopReports reports{{[this] { m_astrDone.push_back("save"); },
                          [this](short nLoop, bool bOn) {
                              m_astrDone.push_back("L" + std::to_string(nLoop) + (bOn ? "1" : "0"));
                          },
                          [this] { m_astrDone.push_back("restore"); },
                          [this](short nLoop) { return m_anLines[nLoop]; }}};
    std::vector<std::string> Done() { return std::exchange(m_astrDone, {}); }

    std::vector<std::string> m_astrDone;
    long m_anLines[6] = {};
};

using Words = std::vector<std::string>;

} // namespace

TEST_F(LoopReportsTest, FirstUserSwitchesOnLastSwitchesOffAndRestores) {
    reports.Acquire(0);
    EXPECT_EQ(Done(), (Words{"save", "L01"}));
    reports.Acquire(0);
    reports.Acquire(2);
    EXPECT_EQ(Done(), (Words{"L21"})) << "a loop already on is left alone";
    reports.Release(0);
    EXPECT_EQ(Done(), Words{});
    reports.Release(2);
    EXPECT_EQ(Done(), (Words{"L20"}));
    EXPECT_EQ(reports.Users(0), 1);
    reports.Release(0);
    EXPECT_EQ(Done(), (Words{"L00", "restore"}));
    reports.Release(0);
    EXPECT_EQ(Done(), Words{}) << "a loop without users is not released again";
    EXPECT_FALSE(reports.HasUsers());
}

TEST_F(LoopReportsTest, MovingALoopSwitchesTheOldOffBeforeTheNewOnWithoutRestoring) {
    reports.Acquire(0);
    Done();
    reports.Move(0, 4);
    EXPECT_EQ(Done(), (Words{"L00", "L41"}));
    reports.Acquire(4);
    reports.Move(4, 1);
    EXPECT_EQ(Done(), (Words{"L11"})) << "loop 4 keeps its other user";
}

TEST_F(LoopReportsTest, ReportedOnlyOnceALineCameAfterTheLoopWasAskedFor) {
    m_anLines[1] = 7;
    EXPECT_FALSE(reports.HasReported(1));
    reports.Acquire(1);
    EXPECT_FALSE(reports.HasReported(1)) << "lines from before do not count";
    m_anLines[1] = 8;
    EXPECT_TRUE(reports.HasReported(1));
    reports.Release(1);
    EXPECT_FALSE(reports.HasReported(1));
}

TEST_F(LoopReportsTest, HoldsOfOneWindowTakeNewLoopsFirstAndGiveBackOnlyTheirOwn) {
    reports.Acquire(3);
    Done();
    {
        CLoopHolds holds(&reports);
        holds.Hold(0);
        holds.Hold(0);
        EXPECT_EQ(Done(), (Words{"L01"})) << "a loop held twice is asked for once";
        holds.HoldOnly({false, false, true, true, false, false});
        EXPECT_EQ(Done(), (Words{"L21", "L00"})) << "the new loop comes on before the old goes";
        EXPECT_EQ(reports.Users(3), 2);
    }
    EXPECT_EQ(Done(), (Words{"L20"})) << "going away gives back its own loops, not the other's";
    EXPECT_EQ(reports.Users(3), 1);
}

TEST_F(LoopReportsTest, HoldsWithoutReportsLeaveTheOthersLoopsAlone) {
    reports.Acquire(3);
    Done();
    CLoopHolds holds(nullptr);
    holds.Hold(3);
    holds.HoldOnly({true, true, true, true, true, true});
    holds.ReleaseAll();
    EXPECT_EQ(Done(), Words{});
    EXPECT_EQ(reports.Users(3), 1);
}
