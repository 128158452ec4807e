#pragma once

// The monitors of the desktop, as the window system reports them now. The
// first (index 0) is the primary screen, the one the desktop window covers.

#include "platform/Types.h"

#include <string>

namespace plat {

struct MonitorInfo {
    Rect rcMonitor; // the monitor's area in screen coordinates
    // The window system's name for it; where that names no monitor in
    // particular (none, or "none"), its size and place, shown to people.
    std::string name;
};

// The number of monitors now; 0 when no display can be opened.
int GetMonitorCount();
// False (and `info` untouched) for an index that names no monitor now.
bool GetMonitorInfo(int index, MonitorInfo* info);

}
