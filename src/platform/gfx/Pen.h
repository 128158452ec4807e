#pragma once

// A solid pen of width 1 (or the null pen, which draws nothing). Copies share
// one pen, like copies of a handle; a context keeps its selected pen alive,
// so deleting a selected pen never leaves the context drawing with garbage.

#include "platform/Types.h"
#include "platform/gfx/GdiObject.h"

namespace plat {

struct PenData {
    int style = 0;
    COLORREF color = 0;
};

class Pen : public GdiObject<Pen, PenData> {
public:
    Pen() = default;
    Pen(int style, int width, COLORREF color) { CreatePen(style, width, color); }

    // PS_SOLID or PS_NULL, width 0 or 1; anything else fails and leaves the pen null.
    bool CreatePen(int style, int width, COLORREF color);
    COLORREF Color() const { return m_data ? m_data->color : 0; }

    // The black pen of a fresh context.
    static const Pen& BlackPen();
};

}
