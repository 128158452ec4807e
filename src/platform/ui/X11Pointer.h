#pragma once

// Internal: the pointer position as the X server knows it now. SDL's own
// global mouse state on X11 is refreshed only by raw input events, which a
// warped pointer (xdotool, another program) does not send, so it goes stale.

#include "platform/Types.h"

#include <optional>

struct SDL_Window;

namespace plat {

// Screen coordinates of the pointer, asked over the X connection behind
// `window`; nothing when it is not an X11 window or the pointer is on
// another screen.
std::optional<Point> QueryX11Pointer(SDL_Window* window);

}
