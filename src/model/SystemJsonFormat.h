#pragma once

// What the text form of a system shares between its writer and its reader.
namespace SystemJsonFormat {

constexpr const char* kFormat = "Corvel system";
constexpr int kVersion = 1;
// The six term slots of an equation: A1 to A3 of group A, then B1 to B3.
constexpr const char* kTermSlots[6] = {"A1", "A2", "A3", "B1", "B2", "B3"};
constexpr float kTimerReload = 10.0f;
constexpr float kTimerCurrent = 0.0f;
// The deepest a value lies: the top object, "channels", a channel, its
// "equation", its "terms" and a term.
constexpr int kMaxDepth = 6;

} // namespace SystemJsonFormat
