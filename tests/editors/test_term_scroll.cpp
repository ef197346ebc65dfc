#include "editors/TermScroll.h"

#include <gtest/gtest.h>

namespace {

constexpr short kBlue = 0;
constexpr short kYellow = 1;
const CTermEntry kNone{'_', 1};

struct ScrollCase {
    EScrollAction action;
    CTermEntry from;
    bool bFirstTerm;
    int nThumb;
    CTermEntry to;
};

// Every cell of the term scroll rules, with the edges of the loop.
const ScrollCase kCases[] = {
    {EScrollAction::LineUp, kNone, true, 0, kNone},
    {EScrollAction::LineUp, {'_', 4}, false, 0, {'_', 4}},
    {EScrollAction::LineUp, {'A', 5}, false, 0, {'A', 4}},
    {EScrollAction::LineUp, {'A', 1}, true, 0, kNone},
    {EScrollAction::LineUp, {'C', 1}, false, 0, {'B', 10}},
    {EScrollAction::LineUp, {'P', 10}, false, 0, {'P', 9}},
    {EScrollAction::LineDown, kNone, false, 0, {'A', 1}},
    {EScrollAction::LineDown, {'A', 9}, false, 0, {'A', 10}},
    {EScrollAction::LineDown, {'A', 10}, false, 0, {'B', 1}},
    {EScrollAction::LineDown, {'G', 10}, false, 0, {'H', 1}},
    {EScrollAction::LineDown, {'P', 10}, true, 0, {'P', 10}},
    {EScrollAction::PageUp, kNone, true, 0, {'A', 1}},
    {EScrollAction::PageUp, {'_', 3}, true, 0, {'A', 1}},
    {EScrollAction::PageUp, kNone, false, 0, kNone},
    {EScrollAction::PageUp, {'_', 3}, false, 0, kNone},
    {EScrollAction::PageUp, {'A', 7}, true, 0, kNone},
    {EScrollAction::PageUp, {'D', 7}, false, 0, {'C', 7}},
    {EScrollAction::PageDown, kNone, false, 0, {'A', 1}},
    {EScrollAction::PageDown, {'A', 7}, false, 0, {'B', 7}},
    {EScrollAction::PageDown, {'O', 2}, false, 0, {'P', 2}},
    {EScrollAction::PageDown, {'P', 10}, true, 0, kNone},
    {EScrollAction::ThumbTrack, {'C', 3}, false, -1, kNone},
    {EScrollAction::ThumbTrack, kNone, false, 0, {'A', 1}},
    {EScrollAction::ThumbPosition, kNone, false, 37, {'D', 8}},
    {EScrollAction::ThumbPosition, kNone, false, 159, {'P', 10}},
    {EScrollAction::Top, {'C', 3}, false, -1, {'C', 3}},
    {EScrollAction::Bottom, kNone, false, 159, kNone},
    {EScrollAction::EndScroll, {'K', 2}, false, 0, {'K', 2}},
};

} // namespace

TEST(TermScroll, FollowsTheRuleOfEveryActionAndEntry) {
    for (const ScrollCase& c : kCases) {
        const CTermEntry to = CTermScroll::Step(c.action, c.from, c.bFirstTerm, c.nThumb, kBlue);
        EXPECT_EQ(to, c.to) << "action " << static_cast<int>(c.action) << " from " << c.from.cModule
                            << c.from.nChannel << (c.bFirstTerm ? " (first term)" : "") << " gave "
                            << to.cModule << to.nChannel;
    }
}

TEST(TermScroll, PositionIsTheIndexWithinTheLoop) {
    EXPECT_EQ(CTermScroll::Position(kNone), -1);
    EXPECT_EQ(CTermScroll::Position({'A', 1}), 0);
    EXPECT_EQ(CTermScroll::Position({'C', 3}), 22);
    EXPECT_EQ(CTermScroll::Position({'P', 10}), 159);
}

TEST(TermScroll, TypedLettersAreReadInCapitalsAndAnythingElseIsNoTerm) {
    const struct {
        const char* szTyped;
        char cModule;
    } aCases[] = {{"c", 'C'}, {"C", 'C'}, {"p", 'P'}, {"_", '_'}, {"", '_'},
                  {"5", '_'}, {"Q", '_'}, {"z", '_'}, {"@", '_'}};
    for (const auto& c : aCases)
        EXPECT_EQ(CTermScroll::Normalised(c.szTyped, 3, kBlue), (CTermEntry{c.cModule, 3}))
            << '"' << c.szTyped << '"';
}

TEST(TermScroll, SourceCountsTheLoopAndNoTermIsMinusOne) {
    EXPECT_EQ(CTermScroll::Source(CTermScroll::Normalised("c", 3, kYellow), kYellow), 182);
    EXPECT_EQ(CTermScroll::Source({'A', 1}, kBlue), 0);
    EXPECT_EQ(CTermScroll::Source({'P', 10}, 5), 959);
    EXPECT_EQ(CTermScroll::Source(kNone, kYellow), -1);
}
