#pragma once

#include <string>

// Channels, modules and timers named as the technician reads them, for the
// text form of a system: "Blue A3", "TmrDone B7", "Yellow A", timer "C3".
namespace ChannelNames {

// The loop's short name, the module letter and the channel number.
std::string Channel(short nIndex);
std::string Module(short nLoop, short nModule);
// The module letter and channel number of the timer's channel in the timer loops.
std::string Timer(short nTimer);

// The names read back; false when the text names none.
bool ParseChannel(const std::string& strText, short& nIndex);
bool ParseModule(const std::string& strText, short& nLoop, short& nModule);
bool ParseTimer(const std::string& strText, short& nTimer);

} // namespace ChannelNames
