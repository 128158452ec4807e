#include "platform/gfx/Pen.h"

#include "platform/gfx/GdiConstants.h"

namespace plat {

bool Pen::CreatePen(int style, int width, COLORREF color)
{
    m_data.reset();
    if ((style != PS_SOLID && style != PS_NULL) || width < 0 || width > 1)
        return false;
    m_data = std::make_shared<const PenData>(PenData { style, color & 0xffffff });
    return true;
}

const Pen& Pen::BlackPen()
{
    static const Pen pen(PS_SOLID, 1, RGB(0, 0, 0));
    return pen;
}

}
