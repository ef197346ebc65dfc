#pragma once

#include "dvxsim/DvxSimProcess.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

// A frame the PC sends and the answer line it expects back.
struct FrameCase {
    std::string strFrame;
    std::string strAnswer;
};

// Sends the frames in order, so a case may read back what an earlier one
// wrote; a wrong answer names its frame.
inline void ExpectAnswers(CDvxSimProcess& sim, std::initializer_list<FrameCase> aCases) {
    for (const FrameCase& frameCase : aCases) {
        EXPECT_EQ(sim.Exchange(frameCase.strFrame), frameCase.strAnswer)
            << "frame " << frameCase.strFrame;
    }
}
