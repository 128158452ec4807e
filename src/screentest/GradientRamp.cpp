#include "screentest/GradientRamp.h"

CGradientRamp::CGradientRamp(plat::COLORREF base, plat::COLORREF change)
    : m_red(static_cast<std::uint8_t>(plat::GetRValue(base)))
    , m_green(static_cast<std::uint8_t>(plat::GetGValue(base)))
    , m_blue(static_cast<std::uint8_t>(plat::GetBValue(base)))
    , m_dRed(static_cast<std::uint8_t>(plat::GetRValue(change)))
    , m_dGreen(static_cast<std::uint8_t>(plat::GetGValue(change)))
    , m_dBlue(static_cast<std::uint8_t>(plat::GetBValue(change)))
{
}

plat::COLORREF CGradientRamp::NextLine()
{
    if (m_direction == Direction::Rising && m_red == 255 && m_green == 255 && m_blue == 255)
        m_direction = Direction::Falling;
    if (m_direction == Direction::Falling && (m_red == 0 || m_green == 0 || m_blue == 0))
        m_direction = Direction::Rising;

    plat::COLORREF line = plat::RGB(m_red, m_green, m_blue);
    if (m_direction == Direction::Rising) {
        m_red = static_cast<std::uint8_t>(m_red + m_dRed);
        m_green = static_cast<std::uint8_t>(m_green + m_dGreen);
        m_blue = static_cast<std::uint8_t>(m_blue + m_dBlue);
    } else {
        m_red = static_cast<std::uint8_t>(m_red - m_dRed);
        m_green = static_cast<std::uint8_t>(m_green - m_dGreen);
        m_blue = static_cast<std::uint8_t>(m_blue - m_dBlue);
    }
    return line;
}
