#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

// The frames a controller received, in order, each with the carriage return
// that ended it.
using Frames = std::vector<std::string>;

// Every exchange that changes the controller is bracketed by a pause and a
// continue, each sent twice so that one lost frame cannot leave the
// processor stopped.
inline const Frames kPause{":E0\r", ":E0\r"};
inline const Frames kContinue{":E1\r", ":E1\r"};

// The lists one after another, as the controller receives them.
inline Frames Joined(std::initializer_list<Frames> aParts) {
    Frames astrAll;
    for (const Frames& astrPart : aParts)
        astrAll.insert(astrAll.end(), astrPart.begin(), astrPart.end());
    return astrAll;
}

inline long CountStartingWith(const Frames& astrFrames, const std::string& strStart) {
    return std::count_if(astrFrames.begin(), astrFrames.end(),
                         [&](const std::string& s) { return s.rfind(strStart, 0) == 0; });
}
