#pragma once

// Internal: the Wayland presenter. Frames are drawn into our own wl_shm
// buffers attached to SDL's wl_surface, one commit per frame callback, each
// with a wp_presentation_feedback whose `presented` (time, refresh period,
// sequence, flags) or `discarded` says what became of it. All of it runs on
// a private event queue, so SDL's event handling never sees our events.

#include "platform/present/Presenter.h"

namespace plat::present {

// Null with `why` set when the window is not a Wayland window or the
// compositor offers no presentation-time or wl_shm.
std::unique_ptr<Presenter> MakeWaylandPresenter(SDL_Window* window, std::string* why);

}
