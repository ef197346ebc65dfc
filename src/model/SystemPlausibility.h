#pragma once

#include <cstdint>

class CSystem;

// Neither system file layout has a header, so a file of another kind would
// load as a system of nonsense. Every flag is only ever written as 0 or 1;
// in any other file thousands of them would all have to happen to be.
bool HasPlausibleFlags(const CSystem& system, int32_t bSleepEnabled);
