#include "platform/ui/Monitors.h"

#include "platform/ui/EventLoop.h"
#include "platform/ui/MonitorBounds.h"

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
    Rect r;
    if (!info || !monitors::Bounds(index, &r))
        return false;
    info->rcMonitor = r;
    const char* name = SDL_GetDisplayName(index);
    info->name = name ? name : "";
    return true;
}

}
