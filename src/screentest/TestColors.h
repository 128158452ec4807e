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

// Greys of 5, 10, 25, 50 and 75 % and black: uniformity, clouding and
// backlight bleed.
inline constexpr std::array<plat::COLORREF, 6> kGreyColors {
    plat::RGB(13, 13, 13),
    plat::RGB(26, 26, 26),
    plat::RGB(64, 64, 64),
    plat::RGB(128, 128, 128),
    plat::RGB(191, 191, 191),
    plat::RGB(0, 0, 0),
};

// The backgrounds of the black-level squares and of the white-level ones.
inline constexpr std::array<plat::COLORREF, 2> kBlackLevelColors {
    plat::RGB(0, 0, 0),
    plat::RGB(255, 255, 255),
};

// The gamma chart's full level: in grey, then red, green and blue alone.
inline constexpr std::array<plat::COLORREF, 4> kGammaColors {
    plat::RGB(255, 255, 255),
    plat::RGB(255, 0, 0),
    plat::RGB(0, 255, 0),
    plat::RGB(0, 0, 255),
};

// The sharpness pattern's light pixels: checkerboard, columns, rows, text page.
inline constexpr std::array<plat::COLORREF, 4> kSharpnessColors {
    plat::RGB(255, 255, 255),
    plat::RGB(255, 255, 255),
    plat::RGB(255, 255, 255),
    plat::RGB(255, 255, 255),
};

// The grid's lines.
inline constexpr std::array<plat::COLORREF, 1> kGridColors {
    plat::RGB(255, 255, 255),
};

// Black: the flasher's one step, under its warning.
inline constexpr std::array<plat::COLORREF, 1> kFlasherColors {
    plat::RGB(0, 0, 0),
};

// The moving patterns: one step, on black.
inline constexpr std::array<plat::COLORREF, 1> kMotionColors {
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
