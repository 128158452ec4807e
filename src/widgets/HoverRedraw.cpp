#include "widgets/HoverRedraw.h"

#include "platform/gfx/Bitmap.h"
#include "platform/ui/ClientDC.h"

using namespace plat;

namespace widgets {

namespace {

constexpr std::uintptr_t kHoverTimer = 1;
constexpr unsigned kHoverTimerMs = 200;

}

int RedrawThroughBuffer(Wnd& control, const PaintFunction& paint)
{
    if (!control.IsWindow())
        return 1;
    ClientDC dc(&control);
    Rect rect;
    control.GetClientRect(&rect);
    Bitmap buffer;
    buffer.CreateCompatibleBitmap(dc, rect.Width(), rect.Height());
    DeviceContext memory;
    memory.CreateCompatibleDC(&dc);
    Bitmap previous = memory.SelectObject(buffer);
    paint(memory, rect);
    dc.BitBlt(0, 0, rect.Width(), rect.Height(), memory, 0, 0, SRCCOPY);
    memory.SelectObject(previous);
    buffer.DeleteObject();
    memory.DeleteDC();
    return 0;
}

void RestartHoverTimer(Wnd& control, const std::function<void()>& update)
{
    control.KillTimer(kHoverTimer);
    update();
    control.SetTimer(kHoverTimer, kHoverTimerMs);
}

bool HandleHoverTick(Wnd& control, std::uintptr_t id, const std::function<bool()>& stillInside)
{
    if (id != kHoverTimer)
        return false;
    if (!stillInside())
        control.KillTimer(kHoverTimer);
    return true;
}

}
