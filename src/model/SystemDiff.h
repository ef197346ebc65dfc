#pragma once

#include <string>
#include <vector>

class CSystem;

// One place where two systems differ: what it is, as a technician names it
// ("BLUE LOOP A1 equation"), and how each side holds it. Information rows
// (the revision date, the timers' current values) are shown beside the
// differences but never make two systems differ: a running controller
// changes them on its own.
struct CSystemDifference {
    std::string strItem;
    std::string strLeft;
    std::string strRight;
    bool bInformation = false;

    bool operator==(const CSystemDifference&) const = default;
};

// Compares two system records field by field, in loop, module and channel
// order, then the system labels, timers, sleep mode and high speed pairs.
// Equations are compared in their canonical meaning: the presentation type
// is no difference, and the flags of an absent term or an empty group mean
// nothing. Timers are compared as the counts that travel on the line, so
// reloads that round to the same count are the same.
//
// Against a controller, what is never read from one is left out: module
// types, and the equations and flags of the loops that carry none. A flag
// of a channel without an equation is never sent to one, so it is shown as
// information.
class CSystemDiff {
public:
    enum class EScope { Files, Controller };

    // The controller's side of a flag that a channel without an equation
    // holds: the flags travel inside the equation, so none was sent.
    static constexpr const char* kFlagNotSentText =
        "not sent: a channel without an equation keeps no flags in the DVX CPU";

    static std::vector<CSystemDifference> Compare(const CSystem& left, const CSystem& right,
                                                  EScope scope);
    // The rows that are real differences, without the information rows.
    static int CountDifferences(const std::vector<CSystemDifference>& aDiffs);

    // The channels whose equation (its terms, NOTs or latch) differs, by
    // channel index, ascending.
    static std::vector<short> EquationChannels(const std::vector<CSystemDifference>& aDiffs);

    // The canonical text of a channel's equation, naming each source by its
    // loop and designation ("Q=(Blue A1)*(!Yellow B6)"); "no equation" when
    // it has no term and no whole NOT.
    static std::string CanonicalEquation(const CSystem& system, short nModule, short nChannel,
                                         short nLoop);
};
