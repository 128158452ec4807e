#include "platform/ui/MonitorBounds.h"

#include "platform/ui/EventLoop.h"
#include "platform/ui/Monitors.h"
#include "platform/ui/WindowSystem.h"

#include <SDL.h>

namespace plat::monitors {

int Scale(int index) { return TheWindowSystem().Scale(index); }

Rect Primary()
{
    Rect r;
    if (!InitUi() || !Bounds(0, &r))
        return {};
    return r;
}

bool Bounds(int index, Rect* rect)
{
    if (!rect || index < 0 || index >= GetMonitorCount())
        return false;
    SDL_Rect r {};
    if (SDL_GetDisplayBounds(index, &r) != 0 || r.w <= 0 || r.h <= 0)
        return false;
    int scale = Scale(index);
    *rect = { r.x * scale, r.y * scale, (r.x + r.w) * scale, (r.y + r.h) * scale };
    return true;
}

int Covered(const Rect& rect)
{
    Rect r;
    for (int i = 0, n = GetMonitorCount(); i < n; ++i)
        if (Bounds(i, &r) && r == rect)
            return i;
    return -1;
}

}
