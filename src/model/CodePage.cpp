#include "model/CodePage.h"

#include <algorithm>

namespace {

// Windows-1252 0x80..0x9F; 0 marks the five unassigned bytes.
const char16_t kHighControls[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ToUnit(unsigned char ch) {
    if (ch < 0x80 || ch >= 0xA0)
        return ch;
    char16_t unit = kHighControls[ch - 0x80];
    return unit ? unit : ch;
}

void AppendUtf8(std::string& strOut, char32_t ch) {
    if (ch < 0x80) {
        strOut += static_cast<char>(ch);
    } else if (ch < 0x800) {
        strOut += static_cast<char>(0xC0 | (ch >> 6));
        strOut += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        strOut += static_cast<char>(0xE0 | (ch >> 12));
        strOut += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        strOut += static_cast<char>(0x80 | (ch & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; malformed bytes decode as U+FFFD.
char32_t NextUtf8(const std::string& strText, std::size_t& i) {
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(strText[k]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80)
        return lead;
    int nMore = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (nMore < 0)
        return 0xFFFD;
    char32_t ch = lead & (0x3F >> nMore);
    for (int k = 0; k < nMore; ++k) {
        if (i >= strText.size() || (byte(i) & 0xC0) != 0x80)
            return 0xFFFD;
        ch = (ch << 6) | (byte(i++) & 0x3F);
    }
    return ch;
}

} // namespace

namespace CodePage {

bool HasControlCharacter(const std::string& strText) {
    return std::any_of(strText.begin(), strText.end(), IsControlCharacter);
}

// The five unassigned bytes stand for themselves both ways, so every byte
// of a label survives a trip through Unicode.
char FromUtf16Unit(char16_t ch) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<char>(ch);
    if (ch < 0xA0 && kHighControls[ch - 0x80] == 0)
        return static_cast<char>(ch);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == ch && ch != 0)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::string FromUtf16(const std::u16string& strText) {
    std::string strOut;
    strOut.reserve(strText.size());
    for (char16_t ch : strText)
        strOut += FromUtf16Unit(ch);
    return strOut;
}

std::u16string ToUtf16(const std::string& strText) {
    std::u16string strOut;
    strOut.reserve(strText.size());
    for (char ch : strText)
        strOut += ToUnit(static_cast<unsigned char>(ch));
    return strOut;
}

std::string ToUtf8(const std::string& strText) {
    std::string strOut;
    strOut.reserve(strText.size());
    for (char ch : strText)
        AppendUtf8(strOut, ToUnit(static_cast<unsigned char>(ch)));
    return strOut;
}

std::string FromUtf8(const std::string& strText) {
    std::string strOut;
    for (std::size_t i = 0; i < strText.size();) {
        char32_t ch = NextUtf8(strText, i);
        strOut += ch > 0xFFFF ? '?' : FromUtf16Unit(static_cast<char16_t>(ch));
    }
    return strOut;
}

} // namespace CodePage
