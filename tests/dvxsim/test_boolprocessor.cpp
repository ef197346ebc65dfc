#include "BoolProcessor.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr uint16_t kNone = CEquationBlock::kNoTerm;

// A block from its three flag bytes and six sources.
CEquationBlock Block(uint8_t nFlags0, uint8_t nFlags1, uint8_t nFlags2,
                     std::initializer_list<uint16_t> anTerms) {
    CEquationBlock block;
    block.m_nFlags0 = nFlags0;
    block.m_nFlags1 = nFlags1;
    block.m_nFlags2 = nFlags2;
    int i = 0;
    for (uint16_t nTerm : anTerms) {
        block.m_anTerm[i++] = nTerm;
    }
    return block;
}

class DvxSimBoolProcessor : public ::testing::Test {
protected:
    void Scan(int nTimes = 1, int nElapsedMs = CBoolProcessor::kScanMs) {
        for (int i = 0; i < nTimes; ++i) {
            processor.Scan(memory, nElapsedMs);
        }
    }
    bool& State(int nIndex) { return memory.m_abChannelState[nIndex]; }

    std::unique_ptr<CControllerMemory> pMemory = std::make_unique<CControllerMemory>();
    CControllerMemory& memory = *pMemory;
    CBoolProcessor processor;
};

} // namespace

// Sources 0..2 are on, off, on.
TEST_F(DvxSimBoolProcessor, EvaluatesTheCanonicalForm) {
    bool abState[960] = {};
    abState[0] = true;
    abState[2] = true;
    const struct {
        const char* szName;
        CEquationBlock block;
        bool bResult;
    } aCases[] = {
        {"one term", Block(0, 0, 0, {0, kNone, kNone, kNone, kNone, kNone}), true},
        {"AND within a group", Block(0, 0, 0, {0, 1, 2, kNone, kNone, kNone}), false},
        {"term NOT", Block(0x40, 0, 0, {0, 1, 2, kNone, kNone, kNone}), true},
        {"group NOT", Block(0x10, 0, 0, {0, 1, kNone, kNone, kNone, kNone}), true},
        {"OR between groups", Block(0, 0, 0, {1, kNone, kNone, 2, kNone, kNone}), true},
        {"group B NOT", Block(0, 0x10, 0, {1, kNone, kNone, 2, kNone, kNone}), false},
        {"term B NOT", Block(0, 0x20, 0, {kNone, kNone, kNone, 1, kNone, kNone}), true},
        {"whole NOT", Block(0x01, 0, 0, {0, kNone, kNone, kNone, kNone, kNone}), false},
        {"Pr evaluated like any term", Block(0, 0, 0x3F, {0, 2, kNone, kNone, kNone, kNone}), true},
        {"source beyond 959 is no term", Block(0, 0, 0, {0x3C0, kNone, kNone, 1, kNone, kNone}),
         false},
        {"no group reads off", Block(0x08, 0, 0, {kNone, kNone, kNone, kNone, kNone, kNone}),
         false},
        {"no group under whole NOT", Block(0x09, 0, 0, {kNone, kNone, kNone, kNone, kNone, kNone}),
         true},
    };
    for (const auto& testCase : aCases) {
        EXPECT_EQ(CBoolProcessor::Evaluate(testCase.block, abState), testCase.bResult)
            << testCase.szName;
    }
}

TEST_F(DvxSimBoolProcessor, ALatchTogglesOnRisingEdgesOnly) {
    memory.m_aEquation[5] = Block(0x08, 0, 0, {0, kNone, kNone, kNone, kNone, kNone});
    const bool abInput[] = {true, true, false, true, false, false, true};
    const bool abLatched[] = {true, true, true, false, false, false, true};
    for (int i = 0; i < 7; ++i) {
        State(0) = abInput[i];
        Scan();
        EXPECT_EQ(State(5), abLatched[i]) << "step " << i;
    }
}

TEST_F(DvxSimBoolProcessor, PowerUpSwitchesOnlyMarkedChannelsOn) {
    memory.m_aEquation[7] = Block(0x04, 0, 0, {kNone, kNone, kNone, kNone, kNone, kNone});
    State(3) = true;
    processor.PowerUp(memory);
    EXPECT_TRUE(State(7));
    EXPECT_FALSE(State(3));
}

// Timer 0 (FAST, channel 480) and timer 6 (SLOW, channel 486).
TEST_F(DvxSimBoolProcessor, TimersCountInTheirUnitsWhileEnabled) {
    memory.m_anTimerReload[0] = 3;
    memory.m_anTimerReload[6] = 1;
    State(480) = true;
    State(486) = true;
    Scan(29);
    EXPECT_TRUE(State(800));
    EXPECT_FALSE(State(640));
    EXPECT_EQ(memory.m_anTimerCurrent[0], 1);
    Scan();
    EXPECT_FALSE(State(800));
    EXPECT_TRUE(State(640));
    EXPECT_EQ(memory.m_anTimerCurrent[0], 0);

    Scan(1, 9990 - 300);
    EXPECT_TRUE(State(806));
    Scan();
    EXPECT_FALSE(State(806));
    EXPECT_TRUE(State(646));

    State(480) = false;
    Scan();
    EXPECT_FALSE(State(640));
    EXPECT_FALSE(State(800));
    EXPECT_EQ(memory.m_anTimerCurrent[0], 3);
}

TEST_F(DvxSimBoolProcessor, AnEnabledTimerWithNoReloadIsDoneAtOnce) {
    memory.m_anTimerReload[1] = 0;
    State(481) = true;
    Scan();
    EXPECT_TRUE(State(641));
    EXPECT_FALSE(State(801));
}

TEST_F(DvxSimBoolProcessor, PairsCopyInputToOutputOverTheirEquations) {
    memory.m_anHiSpeedInput[0] = 12;
    memory.m_anHiSpeedOutput[0] = 30;
    memory.m_aEquation[30] = Block(0x01, 0, 0, {0, kNone, kNone, kNone, kNone, kNone});
    State(12) = false;
    Scan();
    EXPECT_FALSE(State(30));
    State(12) = true;
    Scan();
    EXPECT_TRUE(State(30));
}
