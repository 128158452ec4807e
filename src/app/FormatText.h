#pragma once

// printf formatting into a string of any length, for whole messages whose
// format comes from plat::TranslateFormat: a translation can place the
// words around the values as its language needs.

#include <cstdio>
#include <string>

// `args` are what the format's conversions take: C strings and ints.
// A format the C library refuses is returned as it stands.
template <typename... Args>
std::string FormatText(const std::string& format, Args... args)
{
    const int length = std::snprintf(nullptr, 0, format.c_str(), args...);
    if (length < 0)
        return format;
    std::string text(static_cast<std::size_t>(length), '\0');
    if (std::snprintf(text.data(), text.size() + 1, format.c_str(), args...) != length)
        return format;
    return text;
}
