#pragma once

#include "ControllerMemory.h"

#include <chrono>
#include <string>

// Composes the unsolicited status lines for loops whose reports are on: a
// loop is reported when one of its states differs from its last report, and
// again after kRefresh so the PC hears from it at least twice a second.
class CStatusReporter {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::chrono::milliseconds kRefresh{400};

    // The lines due at now, in loop order; empty when none is due.
    std::string Due(const CControllerMemory& memory, Clock::time_point now);
    // ">L", the loop digit, forty hexadecimal digits (each byte carries eight
    // channel positions, the lowest position in the most significant bit) and
    // a carriage return.
    static std::string StatusLine(const CControllerMemory& memory, int nLoop);

private:
    bool m_abReported[CControllerMemory::kLoops] = {};
    std::string m_astrLast[CControllerMemory::kLoops];
    Clock::time_point m_aLastTime[CControllerMemory::kLoops];
};
