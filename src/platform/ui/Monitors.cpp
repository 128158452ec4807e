#include "platform/ui/Monitors.h"

#include "platform/ui/EventLoop.h"

#include <SDL.h>

namespace plat {

int GetMonitorCount()
{
    if (!InitUi())
        return 0;
    int count = SDL_GetNumVideoDisplays();
    return count > 0 ? count : 0;
}

bool GetMonitorInfo(int index, MonitorInfo* info)
{
    if (!info || index < 0 || index >= GetMonitorCount())
        return false;
    SDL_Rect r {};
    if (SDL_GetDisplayBounds(index, &r) != 0 || r.w <= 0 || r.h <= 0)
        return false;
    info->rcMonitor = { r.x, r.y, r.x + r.w, r.y + r.h };
    const char* name = SDL_GetDisplayName(index);
    info->name = name ? name : "";
    return true;
}

}
