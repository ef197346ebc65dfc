#include "cli/CliProgress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace std::chrono_literals;

TEST(CliProgress, TellsFramesAndTimeLeft) {
    EXPECT_EQ(CCliProgress::Text(50, 200, 30s), "50 of 200 frames, about 0:30 left");
    EXPECT_EQ(CCliProgress::Text(10, 2000, 995s), "10 of 2000 frames, about 16:35 left");
    EXPECT_EQ(CCliProgress::Text(10, 2000, 1500ms), "10 of 2000 frames, about 0:02 left")
        << "a part of a second counts as a second";
    EXPECT_EQ(CCliProgress::Text(0, 200, 0ms), "0 of 200 frames");
    EXPECT_EQ(CCliProgress::Text(200, 200, 0ms), "200 of 200 frames");
    EXPECT_EQ(CCliProgress::Text(210, 200, 0ms), "210 of 210 frames") << "never more done than all";
}

TEST(CliProgress, EndsWithTheLastFiguresOnALineOfTheirOwn) {
    struct Case {
        bool bTerminal;
        bool bQuiet;
        int nFrames;
        const char* szPrinted;
    };
    for (const Case& c : {Case{false, false, 3, "verify: 3 of 3 frames\n"},
                          Case{true, false, 3, "\rverify: 3 of 3 frames\n"},
                          Case{true, true, 3, ""}, Case{false, false, 0, ""}}) {
        std::ostringstream err;
        CCliProgress progress(err, c.bTerminal, c.bQuiet);
        progress.Start("verify");
        for (int i = 1; i <= c.nFrames; ++i)
            progress.Show(i, c.nFrames, (c.nFrames - i) * 10ms);
        progress.Finish();
        EXPECT_EQ(err.str(), c.szPrinted) << c.bTerminal << c.bQuiet << c.nFrames;
    }
}

} // namespace
