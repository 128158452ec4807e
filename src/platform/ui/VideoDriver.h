#pragma once

// Internal: the window system SDL drives, decided once when video starts,
// so the places that differ between X11 and Wayland ask one answer.

namespace plat::video {

enum class Driver { Other,
    X11,
    Wayland };

// Reads SDL's current video driver; called when video has started.
void DecideDriver();
// The answer DecideDriver found; Other before video has started (the
// offscreen driver of the tests is Other too).
Driver CurrentDriver();

inline bool OnX11() { return CurrentDriver() == Driver::X11; }
inline bool OnWayland() { return CurrentDriver() == Driver::Wayland; }

}
