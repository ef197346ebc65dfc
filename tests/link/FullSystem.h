#pragma once

#include <string>
#include <vector>

class CSystem;

// A system with everything set that travels to the controller: every
// equation of loops 0 to 3 defined (every flag, term and type in use), every
// channel, module and system label custom, every timer, sleep mode and every
// high speed pair set.
void FillSystem(CSystem& sys);

// Every field a transfer carries, one text per field, for comparing what a
// retrieve brought back with what was sent.
std::vector<std::string> TransferredFields(CSystem& sys);
