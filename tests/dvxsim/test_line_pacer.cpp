#include "LinePacer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <utility>
#include <vector>

namespace {

using Clock = CLinePacer::Clock;
using Millis = std::chrono::duration<double, std::milli>;

// At 11000 baud a character of eleven bits takes exactly one millisecond.
constexpr int kOneMillisecondBaud = 11000;

struct CPacerCase {
    const char* szName;
    int nBaud;
    // Characters reaching the line: (milliseconds, count).
    std::vector<std::pair<double, int>> aBursts;
    // How often the simulator looks at the line.
    double dLookEvery;
    // When each character passed, in milliseconds.
    std::vector<double> adPassed;
};

// Looks at the line every dLookEvery milliseconds, as the simulator's loop
// does, and records when each character passed.
std::vector<double> PassTimes(const CPacerCase& test) {
    CLinePacer pacer(test.nBaud);
    const Clock::time_point start{};
    std::vector<double> adPassed;
    std::size_t nBurst = 0;
    int nWaiting = 0;
    for (double dNow = 0; dNow <= 50; dNow += test.dLookEvery) {
        for (; nBurst < test.aBursts.size() && test.aBursts[nBurst].first <= dNow; ++nBurst)
            nWaiting += test.aBursts[nBurst].second;
        const auto now = start + std::chrono::duration_cast<Clock::duration>(Millis(dNow));
        if (nWaiting > 0)
            pacer.Waiting(now);
        for (; nWaiting > 0 && pacer.MayPass(now); --nWaiting) {
            pacer.Passed();
            adPassed.push_back(dNow);
        }
        if (nWaiting == 0)
            pacer.Drained();
    }
    return adPassed;
}

} // namespace

TEST(DvxSimLinePacer, CharactersPassWhenTheirTimeOnTheLineIsOver) {
    const CPacerCase aCases[] = {
        {"a burst passes a character time apart, the first included",
         kOneMillisecondBaud,
         {{0, 3}},
         0.25,
         {1, 2, 3}},
        {"a late look passes every character that has arrived by then",
         kOneMillisecondBaud,
         {{0, 3}},
         10,
         {10, 10, 10}},
        {"an idle line starts afresh when characters come",
         kOneMillisecondBaud,
         {{0, 1}, {5, 1}},
         0.25,
         {1, 6}},
        {"characters queued behind others follow without a gap",
         kOneMillisecondBaud,
         {{0, 2}, {1.5, 2}},
         0.25,
         {1, 2, 3, 4}},
        {"an unpaced line passes everything at once", 0, {{0, 2}, {5, 1}}, 0.25, {0, 0, 5}},
    };
    for (const CPacerCase& test : aCases)
        EXPECT_EQ(PassTimes(test), test.adPassed) << test.szName;
}
