#include "platform/ui/WaylandWindowSystem.h"

#include "platform/ui/MonitorBounds.h"
#include "platform/ui/NativeWindow.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <libdecor.h>
#include <wayland-client-core.h>

#include <algorithm>

namespace plat {

namespace {

// SDL 2.26 keeps the decoration frame of a hidden window and never releases
// it, not even when it destroys the window: the window's toplevel stays with
// the compositor, which then does not move the keyboard on, and the frame's
// next callback (a configure when the focus changes) reaches the freed
// window and crashes. So the frame, the toplevel's user data, is released
// here before SDL destroys the window; only in the SDL found doing this, as
// another may release the frame itself. Without a frame (a window never
// shown, or SDL's own toplevel, gone once hidden) there is no toplevel.
void ReleaseDecoration(SDL_Window* window)
{
    SDL_version linked;
    SDL_GetVersion(&linked);
    if (linked.major != 2 || linked.minor != 26)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND || !info.info.wl.xdg_toplevel)
        return;
    auto* toplevel = reinterpret_cast<wl_proxy*>(info.info.wl.xdg_toplevel);
    if (auto* frame = static_cast<libdecor_frame*>(wl_proxy_get_user_data(toplevel)))
        libdecor_frame_unref(frame);
}

// Shows one frame of whatever the window holds, so the compositor applies
// the state the window has now.
void CommitFrame(NativeWindow& native)
{
    if (SDL_Renderer* renderer = native.Renderer()) {
        SDL_RenderClear(renderer);
        SDL_RenderPresent(renderer);
    } else {
        SDL_UpdateWindowSurface(native.Window());
    }
}

}

// SDL's Wayland driver has no window framebuffer of its own: there the
// window surface is shown through a texture, or nothing would ever be shown.
void WaylandWindowSystem::Start() { SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "1"); }

std::optional<SDL_Event> WaylandWindowSystem::Translate(const SDL_Event& event) { return event; }

// Wayland tells a client where the pointer is only inside its own windows:
// outside them it is nowhere near any of them.
Point WaylandWindowSystem::PointerPosition(Point lastSeen)
{
    if (!SDL_GetMouseFocus())
        return { -32768, -32768 };
    return lastSeen;
}

// SDL lists a scaled output's own mode first and gives its scaled-down size
// as the desktop mode.
int WaylandWindowSystem::Scale(int index)
{
    SDL_DisplayMode native {}, desktop {};
    if (SDL_GetDisplayMode(index, 0, &native) != 0 || SDL_GetDesktopDisplayMode(index, &desktop) != 0)
        return 1;
    if (desktop.w <= 0 || desktop.h <= 0 || native.w % desktop.w != 0)
        return 1;
    int scale = native.w / desktop.w;
    return scale >= 1 && native.h == desktop.h * scale ? scale : 1;
}

// A frameless window may cover a scaled output: it draws in device pixels.
// SDL 2.26 asks for a popup in a way weston refuses with a protocol error,
// which ends the program: the menu is an ordinary borderless window.
std::uint32_t WaylandWindowSystem::WindowFlags(bool frameless, bool) { return frameless ? SDL_WINDOW_ALLOW_HIGHDPI : 0; }

// The compositor sends nothing more to a hidden window once SDL's hide has
// returned (its leave events, which release SDL's buttons, are read within
// it), and moves the keyboard on only when the window is destroyed.
bool WaylandWindowSystem::Close(SDL_Window* window)
{
    ReleaseDecoration(window);
    SDL_DestroyWindow(window);
    return true;
}

void WaylandWindowSystem::Destroy(SDL_Window* window) { SDL_DestroyWindow(window); }

// SDL 2.26 makes the window a child of its owner's decoration frame; the
// child's frame going while full screen crashed it.
bool WaylandWindowSystem::KeepsModalOwner(const NativeWindow& child) { return !child.Frameless(); }

// The compositor applies a size or full screen it configured only with the
// window's next frame, so the buffer goes at once.
void WaylandWindowSystem::ShowAgain(NativeWindow& native, bool) { native.MarkDirty(native.BackBuffer().Bounds()); }

void WaylandWindowSystem::FitMonitor(NativeWindow& native, Rect client)
{
    SDL_Window* window = native.Window();
    if (!window || !native.Frameless())
        return;
    int monitor = monitors::Covered(client);
    if (monitor == native.FullscreenMonitor())
        return;
    // Full screen goes to the monitor under the window's position (in the
    // window system's own units), so changing monitors leaves full screen,
    // moves, and enters it again. The compositor keeps a window on its
    // monitor when it sees full screen left and entered again between two
    // of its frames (weston did so with outputs of one size, where nothing
    // else changes), so the window first shows one frame out of it.
    if (native.FullscreenMonitor() >= 0) {
        SDL_SetWindowFullscreen(window, 0);
        CommitFrame(native);
    }
    native.SetFullscreenMonitor(monitor);
    SDL_Rect r { client.left, client.top, std::max(client.Width(), 1), std::max(client.Height(), 1) };
    if (monitor >= 0)
        SDL_GetDisplayBounds(monitor, &r);
    SDL_SetWindowPosition(window, r.x, r.y);
    SDL_SetWindowSize(window, r.w, r.h);
    if (monitor >= 0)
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    native.BackBuffer();
}

// weston keeps its black backdrop over the whole output when a full-screen
// window is hidden, or even left and hidden at once: the window first
// shows one small frame as an ordinary window.
void WaylandWindowSystem::Hiding(NativeWindow& native)
{
    SDL_Window* window = native.Window();
    if (!window || native.FullscreenMonitor() < 0)
        return;
    native.SetFullscreenMonitor(-1);
    SDL_SetWindowFullscreen(window, 0);
    SDL_SetWindowSize(window, 1, 1);
    CommitFrame(native);
}

// The frame redraws itself when the compositor configures the window anew,
// which follows the keyboard's arrival or departure: until the window's own
// surface commits, the compositor keeps the frame's new look pending and
// the old one is already gone, so the window shows without a frame.
void WaylandWindowSystem::ShowFrameState(NativeWindow& native)
{
    SDL_Window* window = native.Window();
    if (!window || !native.Shown() || (SDL_GetWindowFlags(window) & SDL_WINDOW_BORDERLESS))
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_WAYLAND && info.info.wl.display)
        wl_display_roundtrip(info.info.wl.display);
    native.PresentAll();
}

present::Backend WaylandWindowSystem::PresenterBackend(const NativeWindow& native)
{
    return native.SdlShowedPixels() ? present::Backend::Fallback : present::Backend::Wayland;
}

}
