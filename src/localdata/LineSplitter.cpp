#include "localdata/LineSplitter.h"

#include <algorithm>

std::optional<std::string_view> SplitNextLine(std::string_view text, std::size_t& cursor)
{
    constexpr std::string_view kBreaks = "\r\n";
    if (cursor >= text.size())
        return std::nullopt;
    const std::size_t end = std::min(text.find_first_of(kBreaks, cursor), text.size());
    const std::string_view line = text.substr(cursor, end - cursor);
    cursor = std::min(text.find_first_not_of(kBreaks, end), text.size());
    return line;
}
