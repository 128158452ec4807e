#include "platform/ui/Monitors.h"

#include "platform/intl/Translate.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/MonitorBounds.h"

#include <SDL.h>

#include <cstdio>
#include <string_view>

namespace plat {

namespace {

// Names that name no monitor in particular: a nested weston calls every
// output "none". Such a monitor is named by its size and place, which
// also tells two of them apart.
bool IsKnownName(std::string_view name) { return !name.empty() && name != "none" && name != "unknown"; }

std::string NameBySizeAndPlace(const Rect& r)
{
    std::string format = TranslateFormat("%d x %d, 位于 (%d, %d)");
    char text[96];
    if (std::snprintf(text, sizeof text, format.c_str(), r.Width(), r.Height(), r.left, r.top) < 0)
        return format;
    return text;
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
    info->name = name && IsKnownName(name) ? name : NameBySizeAndPlace(r);
    return true;
}

}
