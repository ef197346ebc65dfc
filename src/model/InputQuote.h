#pragma once

#include <cstddef>
#include <string>

// How a message quotes what came from outside (a file's text, a typed word):
// a few words of it, never the whole of a text that may run to megabytes, so
// a message stays one readable line however hostile the input.
namespace InputQuote {

constexpr std::size_t kMaxCharacters = 60;
// Put after a quote that was cut.
constexpr const char* kCutMark = "\xE2\x80\xA6";

// The first kMaxCharacters characters of UTF-8 text, with kCutMark after
// them when the text is longer; a character is never split.
std::string Cut(const std::string& strUtf8);

} // namespace InputQuote
