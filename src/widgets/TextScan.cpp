#include "widgets/TextScan.h"

#include <algorithm>
#include <climits>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}

bool ReadNumber(std::string_view text, std::size_t& pos, ScannedNumber& out)
{
    std::size_t at = pos;
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-'))
        negative = text[at++] == '-';
    if (at >= text.size() || !IsDigit(text[at]))
        return false;

    // The magnitude stops growing just past the int range; the low bits keep going.
    constexpr long long kLimit = static_cast<long long>(INT_MAX) + 1;
    long long magnitude = 0;
    std::uint32_t bits = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        const int digit = text[at] - '0';
        magnitude = std::min(magnitude * 10 + digit, kLimit);
        bits = bits * 10u + static_cast<std::uint32_t>(digit);
    }
    const long long value = negative ? -magnitude : magnitude;
    out.value = static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    out.bits = negative ? 0u - bits : bits;
    pos = at;
    return true;
}

int LeadingInt(std::string_view text)
{
    std::size_t pos = 0;
    ScannedNumber number;
    return ReadNumber(text, pos, number) ? number.value : 0;
}

ScanResult ScanFormat(std::string_view text, std::string_view format, std::span<ScannedNumber> out)
{
    ScanResult result;
    std::size_t at = 0;
    for (std::size_t f = 0; f < format.size(); ++f) {
        if (format.substr(f, 2) == "%d") {
            if (static_cast<std::size_t>(result.numbers) >= out.size()
                || !ReadNumber(text, at, out[static_cast<std::size_t>(result.numbers)])) {
                result.end = at;
                return result;
            }
            ++result.numbers;
            ++f;
            continue;
        }
        if (at >= text.size() || text[at] != format[f]) {
            result.end = at;
            return result;
        }
        ++at;
    }
    result.end = at;
    result.complete = true;
    return result;
}

std::string_view ReadWord(std::string_view text, std::size_t pos, std::size_t maxBytes)
{
    while (pos < text.size() && IsSpace(text[pos]))
        ++pos;
    std::size_t end = pos;
    while (end < text.size() && !IsSpace(text[end]))
        ++end;
    return CutAtCharacter(text.substr(pos, end - pos), maxBytes);
}

std::string_view CutAtCharacter(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // Back up over continuation bytes so no character is split.
    std::size_t cut = maxBytes;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut);
}
