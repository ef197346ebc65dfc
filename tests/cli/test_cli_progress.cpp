#include "cli/CliProgress.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace std::chrono_literals;

TEST(CliProgress, TellsFramesAndTimeLeft) {
    EXPECT_EQ(CCliProgress::Text(50, 200, 10s), "50 of 200 frames, about 0:30 left");
    EXPECT_EQ(CCliProgress::Text(10, 2000, 5s), "10 of 2000 frames, about 16:35 left");
    EXPECT_EQ(CCliProgress::Text(0, 200, 1s), "0 of 200 frames");
    EXPECT_EQ(CCliProgress::Text(200, 200, 9s), "200 of 200 frames");
    EXPECT_EQ(CCliProgress::Text(210, 200, 9s), "210 of 210 frames") << "never more done than all";
}

TEST(CliProgress, EndsWithTheLastFiguresOnALineOfTheirOwn) {
    struct Case {
        bool bTerminal;
        bool bQuiet;
        const char* szPrinted;
    };
    for (const Case& c : {Case{false, false, "verify: 3 of 3 frames\n"},
                          Case{true, false, "\rverify: 3 of 3 frames\n"}, Case{true, true, ""}}) {
        std::ostringstream err;
        CCliProgress progress(err, c.bTerminal, c.bQuiet);
        progress.Start("verify", 3);
        for (int i = 0; i < 3; ++i)
            progress.Frame();
        progress.Finish();
        EXPECT_EQ(err.str(), c.szPrinted) << c.bTerminal << c.bQuiet;
    }
}

} // namespace
