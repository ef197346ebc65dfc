#pragma once

#include <string>

// Model text is 8-bit Windows-1252; the operating system and the windows
// speak Unicode. These are the only conversions between the two.
namespace CodePage {

// A 16-bit character in Windows-1252, or '?' when the code page lacks it.
char FromUtf16Unit(char16_t ch);
std::string FromUtf16(const std::u16string& strText);
std::u16string ToUtf16(const std::string& strText);
std::string ToUtf8(const std::string& strText);
std::string FromUtf8(const std::string& strText);

// A control character (a line end, a tab, DEL and the like): nothing a
// label editor lets one type.
inline bool IsControlCharacter(char c) {
    const auto uc = static_cast<unsigned char>(c);
    return uc < 0x20 || uc == 0x7F;
}
bool HasControlCharacter(const std::string& strText);

} // namespace CodePage
