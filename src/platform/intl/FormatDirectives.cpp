#include "platform/intl/FormatDirectives.h"

namespace plat {

namespace {

constexpr std::string_view kFlags = "-+ #0'";
constexpr std::string_view kLengths = "hlLqjzt";
constexpr std::string_view kConversions = "diouxXeEfFgGaAcspnCS";

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}

std::vector<std::string> FormatDirectives(std::string_view text)
{
    std::vector<std::string> directives;
    std::size_t i = 0;
    while ((i = text.find('%', i)) != std::string_view::npos) {
        std::size_t start = i++;
        if (i < text.size() && text[i] == '%') {
            ++i;
            continue;
        }
        while (i < text.size() && (kFlags.find(text[i]) != std::string_view::npos || IsDigit(text[i]) || text[i] == '.' || text[i] == '*' || text[i] == '$'))
            ++i;
        while (i < text.size() && kLengths.find(text[i]) != std::string_view::npos)
            ++i;
        if (i < text.size() && kConversions.find(text[i]) != std::string_view::npos)
            directives.emplace_back(text.substr(start, ++i - start));
        else
            directives.emplace_back("%");
    }
    return directives;
}

}
