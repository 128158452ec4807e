#pragma once

// The colour course of a gradient: from a base colour, one change per line
// towards white and back again (a triangle wave with a period of 510 lines
// for a change of 1). The direction turns on the colour the next line will
// have: rising turns to falling at white, falling turns to rising as soon as
// any channel is 0. Channels wrap modulo 256 like 8-bit values.

#include "platform/Types.h"

#include <cstdint>

class CGradientRamp {
public:
    CGradientRamp(plat::COLORREF base, plat::COLORREF change);

    // The colour of the next line, after its turn test; then steps on.
    plat::COLORREF NextLine();

private:
    enum class Direction { Rising,
        Falling };

    std::uint8_t m_red = 0;
    std::uint8_t m_green = 0;
    std::uint8_t m_blue = 0;
    std::uint8_t m_dRed = 0;
    std::uint8_t m_dGreen = 0;
    std::uint8_t m_dBlue = 0;
    Direction m_direction = Direction::Rising;
};
