#include "platform/ui/Monitors.h"

#include "platform/ui/EventLoop.h"
#include "platform/ui/MonitorBounds.h"
#include "platform/ui/VideoDriver.h"

#include <SDL.h>

#include <string_view>

namespace plat {

namespace monitors {

int Scale(int index)
{
    if (!video::OnWayland())
        return 1;
    // SDL lists a scaled output's own mode first and gives its scaled-down
    // size as the desktop mode.
    SDL_DisplayMode native {}, desktop {};
    if (SDL_GetDisplayMode(index, 0, &native) != 0 || SDL_GetDesktopDisplayMode(index, &desktop) != 0)
        return 1;
    if (desktop.w <= 0 || desktop.h <= 0 || native.w % desktop.w != 0)
        return 1;
    int scale = native.w / desktop.w;
    return scale >= 1 && native.h == desktop.h * scale ? scale : 1;
}

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

int GetMonitorCount()
{
    if (!InitUi())
        return 0;
    int count = SDL_GetNumVideoDisplays();
    return count > 0 ? count : 0;
}

bool GetMonitorInfo(int index, MonitorInfo* info)
{
    Rect r;
    if (!info || !monitors::Bounds(index, &r))
        return false;
    info->rcMonitor = r;
    const char* name = SDL_GetDisplayName(index);
    info->name = name ? name : "";
    return true;
}

}
