#include "platform/gfx/Brush.h"

namespace plat {

bool Brush::CreateSolidBrush(COLORREF color)
{
    m_data = std::make_shared<const BrushData>(BrushData { color & 0xffffff });
    return true;
}

const Brush& Brush::WhiteBrush()
{
    static const Brush brush(RGB(255, 255, 255));
    return brush;
}

}
