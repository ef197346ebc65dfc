#include "editors/Stepping.h"

#include <gtest/gtest.h>

namespace {

struct StepCase {
    const char* szName;
    CStepping rule;
    EScrollAction action;
    int nFrom;
    int nThumb;
    int nTo;
};

const CStepping kModules = CStepping::ForModules(15);
const CStepping kChannels = CStepping::ForChannels();
const CStepping kModulesOrNone = CStepping::ForModulesOrNone(15);
const CStepping kChannelsOrNone = CStepping::ForChannelsOrNone();

using A = EScrollAction;

const StepCase kCases[] = {
    {"module line up", kModules, A::LineUp, 4, 0, 3},
    {"module line up at 0", kModules, A::LineUp, 0, 0, 0},
    {"module line down", kModules, A::LineDown, 4, 0, 5},
    {"module line down at last", kModules, A::LineDown, 15, 0, 15},
    {"module page down at 12", kModules, A::PageDown, 12, 0, 15},
    {"module page down at 13", kModules, A::PageDown, 13, 0, 14},
    {"module page down at 15", kModules, A::PageDown, 15, 0, 15},
    {"module page down at 0", kModules, A::PageDown, 0, 0, 3},
    {"module page up at 2", kModules, A::PageUp, 2, 0, 1},
    {"module page up at 0", kModules, A::PageUp, 0, 0, 0},
    {"module page up at 5", kModules, A::PageUp, 5, 0, 2},
    {"module page up at 3", kModules, A::PageUp, 3, 0, 0},
    {"module thumb track", kModules, A::ThumbTrack, 2, 11, 11},
    {"module thumb position", kModules, A::ThumbPosition, 2, 7, 7},
    {"module thumb beyond the range", kModules, A::ThumbPosition, 2, 40, 15},
    {"module top", kModules, A::Top, 6, 0, 6},
    {"module bottom", kModules, A::Bottom, 6, 0, 6},
    {"module end of scroll", kModules, A::EndScroll, 6, 0, 6},
    {"module or none line up at 0", kModulesOrNone, A::LineUp, 0, 0, -1},
    {"module or none line up at none", kModulesOrNone, A::LineUp, -1, 0, -1},
    {"module or none line down from none", kModulesOrNone, A::LineDown, -1, 0, 0},
    {"module or none page up at 1", kModulesOrNone, A::PageUp, 1, 0, 0},
    {"module or none page up at 0", kModulesOrNone, A::PageUp, 0, 0, -1},
    {"module or none page down at 13", kModulesOrNone, A::PageDown, 13, 0, 14},
    {"module or none thumb above the range", kModulesOrNone, A::ThumbTrack, 3, -5, -1},
    {"channel or none line up at 0", kChannelsOrNone, A::LineUp, 0, 0, -1},
    {"channel or none page up at 0", kChannelsOrNone, A::PageUp, 0, 0, -1},
    {"channel or none page down at 8", kChannelsOrNone, A::PageDown, 8, 0, 9},
    {"channel line up", kChannels, A::LineUp, 1, 0, 0},
    {"channel line down at 9", kChannels, A::LineDown, 9, 0, 9},
    {"channel page down at 7", kChannels, A::PageDown, 7, 0, 9},
    {"channel page down at 8", kChannels, A::PageDown, 8, 0, 9},
    {"channel page down at 9", kChannels, A::PageDown, 9, 0, 9},
    {"channel page up at 2", kChannels, A::PageUp, 2, 0, 0},
    {"channel page up at 1", kChannels, A::PageUp, 1, 0, 0},
    {"channel page up at 0", kChannels, A::PageUp, 0, 0, 0},
    {"channel thumb", kChannels, A::ThumbTrack, 0, 6, 6},
    {"channel bottom", kChannels, A::Bottom, 3, 0, 3},
    {"list of 12 pages by 2", CStepping::ForList(12, 2), A::PageDown, 9, 0, 11},
    {"list of 12 near its end", CStepping::ForList(12, 2), A::PageDown, 10, 0, 11},
    {"list of 12 page up", CStepping::ForList(12, 2), A::PageUp, 1, 0, 0},
    {"list of 5 does not page down", CStepping::ForList(5, 0), A::PageDown, 2, 0, 2},
    {"list of 5 does not page up", CStepping::ForList(5, 0), A::PageUp, 2, 0, 2},
    {"list of 5 line down", CStepping::ForList(5, 0), A::LineDown, 2, 0, 3},
};

} // namespace

TEST(Stepping, FollowsTheRuleForEveryAction) {
    for (const StepCase& c : kCases) {
        EXPECT_EQ(c.nTo, c.rule.Step(c.action, c.nFrom, c.nThumb)) << c.szName;
    }
}
