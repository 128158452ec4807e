#include "app/ShownArgument.h"

#include <string_view>

namespace {

constexpr std::size_t kMaxShownBytes = 100;

void AppendHex(std::string& out, unsigned char byte)
{
    constexpr std::string_view kDigits = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

}

std::string ShownArgument(std::string_view argument)
{
    bool cut = argument.size() > kMaxShownBytes;
    if (cut) {
        std::size_t end = kMaxShownBytes;
        while (end > 0 && IsContinuation(static_cast<unsigned char>(argument[end])))
            --end;
        argument = argument.substr(0, end);
    }
    std::string shown;
    for (std::size_t i = 0; i < argument.size(); ++i) {
        const auto byte = static_cast<unsigned char>(argument[i]);
        const auto next = i + 1 < argument.size() ? static_cast<unsigned char>(argument[i + 1]) : 0;
        if (byte == '\n')
            shown += "\\n";
        else if (byte == '\t')
            shown += "\\t";
        else if (byte == '\r')
            shown += "\\r";
        else if (byte < 0x20 || byte == 0x7F)
            AppendHex(shown, byte);
        else if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) {
            AppendHex(shown, byte);
            AppendHex(shown, next);
            ++i;
        } else
            shown += static_cast<char>(byte);
    }
    return cut ? shown + "..." : shown;
}
