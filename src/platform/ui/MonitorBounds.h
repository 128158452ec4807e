#pragma once

// Internal: a monitor's area as the program sees it. On Wayland a
// compositor may scale an output by a whole factor; the program then sees
// the output in device pixels (the window system's area times the
// factor), so a test window covering it draws one pixel per device pixel.

#include "platform/Types.h"

namespace plat::monitors {

// The whole scale factor of monitor `index` (1 where there is none).
int Scale(int index);
// The monitor's area in the program's screen coordinates; false for an
// index that names no monitor.
bool Bounds(int index, Rect* rect);
// The primary screen's area (Wayland's scale applied); empty when no
// display can be opened.
Rect Primary();
// The monitor whose area `rect` is exactly, or -1.
int Covered(const Rect& rect);

}
