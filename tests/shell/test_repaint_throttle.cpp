#include "shell/RepaintThrottle.h"

#include <QTest>

#include <gtest/gtest.h>

#include <vector>

// Within the interval an update waits, replaced by a newer one; flushing
// shows the newest, showing now drops it.
TEST(RepaintThrottle, ShowsOneUpdatePerIntervalAndNeverLosesTheLast) {
    CRepaintThrottle throttle(std::chrono::hours(1));
    std::vector<int> anShown;
    throttle.Show([&] { anShown.push_back(1); });
    throttle.Show([&] { anShown.push_back(2); });
    throttle.Show([&] { anShown.push_back(3); });
    EXPECT_EQ(anShown, std::vector<int>{1});
    EXPECT_TRUE(throttle.IsWaiting());
    throttle.Flush();
    throttle.Flush();
    EXPECT_EQ(anShown, (std::vector<int>{1, 3}));
    throttle.Show([&] { anShown.push_back(4); });
    throttle.ShowNow([&] { anShown.push_back(5); });
    EXPECT_EQ(anShown, (std::vector<int>{1, 3, 5}));
    EXPECT_FALSE(throttle.IsWaiting());
}

// An update left waiting is shown when its turn comes, without a flush.
TEST(RepaintThrottle, AWaitingUpdateShowsByItself) {
    CRepaintThrottle throttle(std::chrono::milliseconds(20));
    std::vector<int> anShown;
    throttle.Show([&] { anShown.push_back(1); });
    throttle.Show([&] { anShown.push_back(2); });
    EXPECT_TRUE(QTest::qWaitFor([&] { return !throttle.IsWaiting(); }, 5000));
    EXPECT_EQ(anShown.back(), 2);
}
