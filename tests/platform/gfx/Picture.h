#pragma once

// Surfaces as text pictures, so a failing pixel test shows the whole image:
// one character per pixel, chosen by a legend of colours (anything else is '?').

#include "platform/gfx/Surface.h"

#include <map>
#include <string>

namespace plat::test {

inline std::string Picture(const Surface& s, const std::map<std::uint32_t, char>& legend, Rect area = {})
{
    if (area.IsEmpty())
        area = s.Bounds();
    std::string out;
    for (int y = area.top; y < area.bottom; ++y) {
        out += '\n';
        for (int x = area.left; x < area.right; ++x) {
            auto it = legend.find(s.Pixel(x, y));
            out += it == legend.end() ? '?' : it->second;
        }
    }
    return out;
}

// Rows of a picture joined the way Picture() prints them.
inline std::string Rows(std::initializer_list<const char*> rows)
{
    std::string out;
    for (const char* row : rows)
        out += std::string("\n") + row;
    return out;
}

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kBlue = 0x0000FF;

}
