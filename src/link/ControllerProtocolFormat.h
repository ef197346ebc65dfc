#pragma once

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <string>

// Text and number helpers shared by the frame, receive and sequence sides of
// the protocol object.
namespace ControllerProtocolFormat {

std::string Format(const char* szFormat, ...) __attribute__((format(printf, 1, 2)));

inline std::string Format(const char* szFormat, ...) {
    char szText[128];
    va_list args;
    va_start(args, szFormat);
    std::vsnprintf(szText, sizeof szText, szFormat, args);
    va_end(args);
    return szText;
}

// Fields are written as their 16-bit value, or its low bits where the frame
// says so, never as a sign-extended 32-bit number.
inline unsigned Low16(int nValue) { return static_cast<uint16_t>(nValue); }
inline unsigned Low12(int nValue) { return static_cast<unsigned>(nValue) & 0xFFFu; }
inline unsigned Low8(int nValue) { return static_cast<unsigned>(nValue) & 0xFFu; }

inline bool Bit(int nValue, int nBit) { return (nValue >> nBit) & 1; }
inline int BitIf(bool bOn, int nBit) { return bOn ? 1 << nBit : 0; }

} // namespace ControllerProtocolFormat
