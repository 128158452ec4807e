#include "platform/gfx/Brush.h"

namespace plat {

bool Brush::CreateSolidBrush(COLORREF color)
{
    data_ = std::make_shared<const BrushData>(BrushData { color & 0xffffff });
    return true;
}

bool Brush::DeleteObject()
{
    const bool had = data_ != nullptr;
    data_.reset();
    return had;
}

Brush Brush::FromData(std::shared_ptr<const BrushData> data)
{
    Brush brush;
    brush.data_ = std::move(data);
    return brush;
}

const Brush& Brush::WhiteBrush()
{
    static const Brush brush(RGB(255, 255, 255));
    return brush;
}

}
