#pragma once

#include <string>

class CSystem;

// What the technician is told about a count the controller cannot hold: by
// the system check before a transfer, and in a transfer's final box for the
// nearest count that was sent in its stead. Each gives "" when the value is
// countable.
namespace CountRangeText {

constexpr const char* kMoreThanTimerText =
    "Timer %s's %s %s s is more than a %s timer can count (%s s)";
constexpr const char* kLessThanTimerText =
    "Timer %s's %s %s s is less than a timer can count (0 s)";
constexpr const char* kNoNumberTimerText =
    "Timer %s's %s is no number of seconds, which no timer can count";
constexpr const char* kTimerSentText = "Timer %s's %s %s s was sent as %s s";
constexpr const char* kMoreThanSleepText =
    "Sleep mode's %s %s s is more than the DVX CPU can count (%s s)";
constexpr const char* kLessThanSleepText =
    "Sleep mode's %s %s s is less than the DVX CPU can count (0 s)";
constexpr const char* kSleepSentText = "Sleep mode's %s %s s was sent as %s s";
constexpr const char* kReloadText = "reload";
constexpr const char* kCurrentText = "current value";
constexpr const char* kWakeUpText = "wake-up interval";
constexpr const char* kInactivityText = "inactivity interval";

std::string TimerReload(const CSystem& system, short nTimer);
std::string TimerCurrent(const CSystem& system, short nTimer);
std::string SleepWakeUp(const CSystem& system);
std::string SleepInactivity(const CSystem& system);

std::string TimerReloadSent(const CSystem& system, short nTimer);
std::string TimerCurrentSent(const CSystem& system, short nTimer);
std::string SleepWakeUpSent(const CSystem& system);
std::string SleepInactivitySent(const CSystem& system);

} // namespace CountRangeText
