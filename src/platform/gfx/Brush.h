#pragma once

// A solid brush. Copies share one brush, like copies of a handle.

#include "platform/Types.h"
#include "platform/gfx/GdiObject.h"

namespace plat {

struct BrushData {
    COLORREF color = 0;
};

class Brush : public GdiObject<Brush, BrushData> {
public:
    Brush() = default;
    explicit Brush(COLORREF color) { CreateSolidBrush(color); }

    bool CreateSolidBrush(COLORREF color);
    COLORREF Color() const { return m_data ? m_data->color : 0; }

    // The white brush of a fresh context.
    static const Brush& WhiteBrush();
};

}
