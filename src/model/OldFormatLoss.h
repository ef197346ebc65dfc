#pragma once

#include <string>

class CSystem;

// What an old-format file (.ZLV) cannot hold of a system: its twenty
// modules have no Yellow loop, no modules B to P in the virtual and timer
// loops, only timers A1 to A10, no Pr flags, equation types or reserved
// channel fields, and a term whose source has no old number is written as
// none. Counts only what differs from its reset value.
class COldFormatLoss {
public:
    // "not kept in the old format: 40 Yellow equations, 12 Pr flags, ...",
    // or "" when the old format holds the whole system.
    static std::string Summary(const CSystem& system);
};
