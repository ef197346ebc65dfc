#pragma once

#include "diagnostics/LampGrid.h"

#include <functional>

class CSystem;

// Names the lamps of a loop's grid as the technician knows the channels:
// the loop's short name, the designation and the label, "Blue A3 DOME LAMP".
// fnLoop tells the loop shown when a name is asked for.
CLampGrid::LampNamer LoopLampNamer(const CSystem& sys, std::function<short()> fnLoop);
