#pragma once

// A presenter shows the frames of one window and reports for each when it
// was shown, on which refresh, and whether it was on time, held or dropped.
// One implementation per window system, chosen once when it is made: X11
// Present with shared-memory pixmaps, Wayland presentation-time with
// shared-memory buffers, and a fallback that reads the clock after each
// present and says its timing is estimated.
//
// The window must be one whose SDL window surface is never asked for: the
// presenter puts its own buffers on it.

#include "platform/Types.h"
#include "platform/gfx/Surface.h"
#include "platform/present/FrameAccount.h"
#include "platform/present/NominalRate.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct SDL_Window;

namespace plat::present {

enum class Backend { X11,
    Wayland,
    Fallback };

// Where presentation times come from: the display's refresh (X11 Present),
// the compositor's clock (presentation-time), or the clock read after each
// present (estimated).
enum class TimingSource { Vblank,
    Compositor,
    Estimated };

struct FrameReport {
    std::uint64_t serial = 0; // what Present returned
    // CLOCK_MONOTONIC in ns when shown; for a dropped frame when told.
    std::int64_t timeNs = 0;
    Verdict verdict;
};

struct FrameBuffer {
    Surface* pixels = nullptr; // the window's size, 0x00RRGGBB
    // Frames presented since this buffer's pixels were last presented (1:
    // they show the frame before); 0 when its pixels are unknown.
    int age = 0;
};

class Presenter {
public:
    virtual ~Presenter() = default;

    virtual Backend Kind() const = 0;
    virtual TimingSource Source() const = 0;
    // The refresh rate the output claims.
    virtual NominalRate Nominal() const = 0;

    // A buffer for the next frame, waiting up to `timeoutMs` for one the
    // window system has let go of; pixels null when none came in time or
    // the window cannot be shown.
    virtual FrameBuffer Acquire(int timeoutMs) = 0;
    // Presents the buffer Acquire gave, of which `damage` changed since the
    // frame before, for refresh `targetRefresh` (0: the refresh after the
    // previous frame's). Returns the frame's serial, 0 when it failed.
    virtual std::uint64_t Present(Rect damage, std::uint64_t targetRefresh) = 0;
    // The reports that came since the last call, waiting up to `timeoutMs`
    // for the first when none has.
    virtual std::vector<FrameReport> Collect(int timeoutMs) = 0;
};

// The backend for SDL's video driver name ("x11", "wayland", anything else).
Backend BackendForDriver(std::string_view sdlVideoDriver);

// A presenter of `backend` for `window`. When the window system lacks what
// the backend needs (no Present or MIT-SHM, no presentation-time, a remote
// display) the fallback is made and `why`, when given, says what was
// missing. Null only when the window cannot be shown at all.
std::unique_ptr<Presenter> MakePresenter(SDL_Window* window, Backend backend, std::string* why = nullptr);

}
