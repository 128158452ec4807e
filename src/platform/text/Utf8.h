#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

// True when every byte of `bytes` belongs to a well-formed UTF-8 sequence:
// no stray continuation bytes, no truncated, overlong or surrogate
// sequences, nothing above U+10FFFF. An empty buffer is valid.
bool IsValidUtf8(std::string_view bytes);

// Offset of the first byte that is not part of a well-formed sequence;
// bytes.size() when the whole buffer is valid.
std::size_t FirstInvalidUtf8(std::string_view bytes);

// The character whose well-formed sequence starts at bytes[at], and that
// sequence's length; length 0 when no well-formed sequence starts there.
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Utf8Char ReadUtf8Char(std::string_view bytes, std::size_t at);

// The code points of `text`; each byte that starts no well-formed sequence
// becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

// Appends the UTF-8 sequence of `c` (at most four bytes). Callers pass
// code points up to U+10FFFF.
void AppendUtf8(std::string& out, char32_t c);

}
