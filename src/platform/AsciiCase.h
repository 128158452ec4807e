#pragma once

// ASCII-only case folding for names and tags the program compares without
// regard to case. UTF-8 never has an ASCII byte inside a multibyte
// character, so folding byte by byte leaves every other character exact.

#include <string>
#include <string_view>

namespace plat {

constexpr char FoldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

constexpr bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (FoldAscii(text[i]) != FoldAscii(prefix[i]))
            return false;
    }
    return true;
}

constexpr bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && StartsWithIgnoringAsciiCase(a, b);
}

constexpr bool EndsWithIgnoringAsciiCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && EqualsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

// `text` with A-Z turned into a-z.
inline std::string ToLowerAscii(std::string_view text)
{
    std::string lowered(text);
    for (char& c : lowered)
        c = FoldAscii(c);
    return lowered;
}

// Where `needle` first occurs in `text` at or after `from`, ASCII case
// ignored; npos when it does not. An empty needle is found at `from` when
// `from` is at most the text's size.
constexpr std::size_t FindIgnoringAsciiCase(std::string_view text, std::string_view needle, std::size_t from = 0)
{
    if (from > text.size() || needle.size() > text.size() - from)
        return std::string_view::npos;
    for (std::size_t at = from; at + needle.size() <= text.size(); ++at) {
        if (StartsWithIgnoringAsciiCase(text.substr(at), needle))
            return at;
    }
    return std::string_view::npos;
}

}
