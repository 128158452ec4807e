#include "platform/text/Utf8.h"

namespace plat {

namespace {

bool IsContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the well-formed sequence at `i`, 0 when there is none.
std::size_t SequenceLength(std::string_view s, std::size_t i)
{
    auto at = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char lead = at(i);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;  // the second byte's range excludes overlong forms,
    unsigned char high = 0xBF; // surrogates and values past U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;
        if (lead == 0xED)
            high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F;
    } else {
        return 0;
    }
    if (s.size() - i < length || at(i + 1) < low || at(i + 1) > high)
        return 0;
    for (std::size_t k = 2; k < length; ++k) {
        if (!IsContinuation(at(i + k)))
            return 0;
    }
    return length;
}

}

std::size_t FirstInvalidUtf8(std::string_view bytes)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        // Plain ASCII runs are the common case in the program's files.
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = SequenceLength(bytes, i);
        if (length == 0)
            return i;
        i += length;
    }
    return bytes.size();
}

Utf8Char ReadUtf8Char(std::string_view bytes, std::size_t at)
{
    if (at >= bytes.size())
        return {};
    const std::size_t length = SequenceLength(bytes, at);
    if (length == 0)
        return {};
    // The lead byte keeps 7, 5, 4 or 3 bits; every continuation byte 6.
    constexpr unsigned char kLeadBits[] = { 0, 0x7F, 0x1F, 0x0F, 0x07 };
    char32_t cp = static_cast<unsigned char>(bytes[at]) & kLeadBits[length];
    for (std::size_t k = 1; k < length; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(bytes[at + k]) & 0x3F);
    return { cp, length };
}

bool IsValidUtf8(std::string_view bytes)
{
    return FirstInvalidUtf8(bytes) == bytes.size();
}

std::u32string DecodeUtf8(std::string_view text)
{
    std::u32string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const Utf8Char c = ReadUtf8Char(text, i);
        out.push_back(c.length ? c.codePoint : U'\uFFFD');
        i += c.length ? c.length : 1;
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (c >> 18)));
        out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

}
