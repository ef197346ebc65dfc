#pragma once

#include <string>
#include <vector>

class CSystem;

// A system with everything set that travels to the controller: every
// equation of loops 0 to 3 defined (every flag, term and type in use), every
// channel, module and system label custom, every timer, sleep mode and every
// high speed pair set.
void FillSystem(CSystem& sys);

// What a transfer of that system asks before it sends anything: its logic
// has errors (equations on the high speed pairs, channels flipping each
// other).
inline constexpr const char* kFullSystemQuestion =
    "THE SYSTEM HAS 10 ERRORS (Utility > Check system). TRANSFER ANYWAY?";

// Every field a transfer carries, one text per field, for comparing what a
// retrieve brought back with what was sent.
std::vector<std::string> TransferredFields(CSystem& sys);
