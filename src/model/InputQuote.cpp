#include "model/InputQuote.h"

namespace InputQuote {

namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

std::string Cut(const std::string& strUtf8) {
    std::size_t nCharacters = 0;
    for (std::size_t i = 0; i < strUtf8.size(); ++i) {
        if (IsContinuationByte(strUtf8[i]))
            continue;
        if (nCharacters == kMaxCharacters)
            return strUtf8.substr(0, i) + kCutMark;
        ++nCharacters;
    }
    return strUtf8;
}

} // namespace InputQuote
