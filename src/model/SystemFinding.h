#pragma once

#include <string>
#include <vector>

// A channel as a finding names it: "Virtual A1" and its custom label ("" for
// the default one).
struct CFindingChannel {
    short nIndex = -1;
    std::string strLoop;
    std::string strDesignation;
    std::string strLabel;

    // "Virtual A1 (Door logic)", or "Virtual A1" without a custom label.
    std::string Name() const;
    bool operator==(const CFindingChannel&) const = default;
};

// One thing the system check found: how bad it is, its stable identifier
// ("oscillating-loop"), the channels it concerns (the first is the one to
// open), the timer ("A3") or the high speed pair (1 to 4) where it concerns
// one, and one sentence for the technician.
struct CSystemFinding {
    enum class ESeverity { Error, Warning, Note };

    ESeverity severity = ESeverity::Warning;
    std::string strId;
    std::vector<CFindingChannel> aChannels;
    std::string strTimer;
    int nPair = 0;
    std::string strText;

    static const char* SeverityName(ESeverity severity);
    // The channels' names joined with ", ".
    std::string ChannelsText() const;
    // Whether a channel of that module is among its channels.
    bool Concerns(short nLoop, short nModule) const;
    bool operator==(const CSystemFinding&) const = default;
};
