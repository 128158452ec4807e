#include "platform/web/ListMarkerText.h"

#include <cctype>
#include <utility>

namespace plat::web {

namespace {

std::string Roman(int n, bool upper)
{
    static constexpr std::pair<int, const char*> kNumerals[] = { { 1000, "m" }, { 900, "cm" }, { 500, "d" },
        { 400, "cd" }, { 100, "c" }, { 90, "xc" }, { 50, "l" }, { 40, "xl" }, { 10, "x" }, { 9, "ix" }, { 5, "v" },
        { 4, "iv" }, { 1, "i" } };
    if (n <= 0 || n >= 4000)
        return std::to_string(n);
    std::string out;
    for (auto [value, text] : kNumerals)
        for (; n >= value; n -= value)
            out += text;
    if (upper)
        for (char& c : out)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string Alpha(int n, bool upper)
{
    if (n <= 0)
        return std::to_string(n);
    std::string out;
    for (; n > 0; n = (n - 1) / 26)
        out.insert(out.begin(), static_cast<char>((upper ? 'A' : 'a') + (n - 1) % 26));
    return out;
}

}

std::string ListMarkerText(litehtml::list_style_type type, int index)
{
    switch (type) {
    case litehtml::list_style_type_decimal_leading_zero:
        return (index < 10 && index >= 0 ? "0" : "") + std::to_string(index) + ".";
    case litehtml::list_style_type_lower_alpha:
    case litehtml::list_style_type_lower_latin:
        return Alpha(index, false) + ".";
    case litehtml::list_style_type_upper_alpha:
    case litehtml::list_style_type_upper_latin:
        return Alpha(index, true) + ".";
    case litehtml::list_style_type_lower_roman:
        return Roman(index, false) + ".";
    case litehtml::list_style_type_upper_roman:
        return Roman(index, true) + ".";
    default:
        return std::to_string(index) + ".";
    }
}

}
