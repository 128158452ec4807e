#pragma once

// The colour tables of the screen tests, indexed by the test window's step.

#include "platform/Types.h"

#include <array>
#include <span>

// Blue, green, red, yellow, cyan, magenta, white, black: the solid fills,
// the dot fills and the gradients' base colours.
inline constexpr std::array<plat::COLORREF, 8> kTestColors {
    plat::RGB(0, 0, 255),
    plat::RGB(0, 255, 0),
    plat::RGB(255, 0, 0),
    plat::RGB(255, 255, 0),
    plat::RGB(0, 255, 255),
    plat::RGB(255, 0, 255),
    plat::RGB(255, 255, 255),
    plat::RGB(0, 0, 0),
};

// White, black: the dead-pixel test.
inline constexpr std::array<plat::COLORREF, 2> kDeadPixelColors {
    plat::RGB(255, 255, 255),
    plat::RGB(0, 0, 0),
};

// Black: the flasher's one step, under its warning.
inline constexpr std::array<plat::COLORREF, 1> kFlasherColors {
    plat::RGB(0, 0, 0),
};

// Per-line change of each channel of a gradient, as an RGB triple: the
// channels that are not already at 255 in the base colour rise towards
// white (white and black ramp all three).
inline constexpr std::array<plat::COLORREF, 8> kGradientSteps {
    plat::RGB(1, 1, 0),
    plat::RGB(1, 0, 1),
    plat::RGB(0, 1, 1),
    plat::RGB(0, 0, 1),
    plat::RGB(1, 0, 0),
    plat::RGB(0, 1, 0),
    plat::RGB(1, 1, 1),
    plat::RGB(1, 1, 1),
};

// The table entry at `step`; false for a step outside the table.
constexpr bool ColorAt(std::span<const plat::COLORREF> table, int step, plat::COLORREF* color)
{
    if (step < 0 || static_cast<std::size_t>(step) >= table.size())
        return false;
    *color = table[static_cast<std::size_t>(step)];
    return true;
}
