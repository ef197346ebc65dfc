#pragma once

#include "editors/Stepping.h"

#include <string>

// What one term of the Boolean editor names: a module letter ("_" for no
// term) and a channel number 1..10 within the term's loop.
struct CTermEntry {
    char cModule = CTermEntry::kNone;
    short nChannel = 1;

    static constexpr char kNone = '_';
    bool HasModule() const { return cModule != kNone; }
    bool operator==(const CTermEntry&) const = default;
};

// How a term's scroll bar walks the channels of a loop: position -1 is no
// term, then A1..A10, B1.. up to the last channel of the loop. A line moves
// one channel and crosses into the neighbouring module; a page moves a whole
// module keeping the channel. The first term of an equation pages up from
// no term to A1, the others stay without a term, so an equation fills from
// its first term.
class CTermScroll {
public:
    // The entry as typed: the letter in capitals; anything that is not a
    // module letter of the loop (an empty field, "_", a digit, a letter past
    // the last module) means no term, keeping the channel number.
    static CTermEntry Normalised(const std::string& strModule, short nChannel, short nLoop);

    static CTermEntry Step(EScrollAction action, const CTermEntry& entry, bool bFirstTerm,
                           int nThumb, short nLoop);

    // The bar position for an entry: -1 for no term, else the channel's index
    // within its loop.
    static int Position(const CTermEntry& entry);

    // The stored source of an entry in a loop: -1 for no term, else the
    // channel index over all loops.
    static short Source(const CTermEntry& entry, short nLoop);
};
