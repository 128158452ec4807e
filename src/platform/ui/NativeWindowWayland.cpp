// The parts of NativeWindow that serve compositors which place windows
// themselves (Wayland): full screen on a monitor, and a buffer of the
// window's device size shown through a renderer.

#include "platform/ui/NativeWindow.h"

#include "platform/ui/MonitorBounds.h"
#include "platform/ui/VideoDriver.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <libdecor.h>
#include <wayland-client-core.h>

#include <algorithm>

namespace plat {

bool CompositorPlacesWindows() { return video::OnWayland(); }

// weston keeps its black backdrop over the whole output when a full-screen
// window is hidden, or even left and hidden at once: the window first
// shows one small frame as an ordinary window.
void NativeWindow::LeaveFullscreen()
{
    m_fullscreenMonitor = -1;
    SDL_SetWindowFullscreen(m_window, 0);
    SDL_SetWindowSize(m_window, 1, 1);
    if (m_renderer) {
        SDL_RenderClear(m_renderer);
        SDL_RenderPresent(m_renderer);
    } else {
        SDL_UpdateWindowSurface(m_window);
    }
}

// SDL 2.26 keeps the decoration frame of a hidden window and never releases
// it, not even when it destroys the window: the window's toplevel stays with
// the compositor, which then does not move the keyboard on, and the frame's
// next callback (a configure when the focus changes) reaches the freed
// window and crashes. So the frame, the toplevel's user data, is released
// here before SDL destroys the window; only in the SDL found doing this, as
// another may release the frame itself. Without a frame (a window never
// shown, or SDL's own toplevel, gone once hidden) there is no toplevel.
void NativeWindow::ReleaseDecoration()
{
    SDL_version linked;
    SDL_GetVersion(&linked);
    if (linked.major != 2 || linked.minor != 26)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(m_window, &info) || info.subsystem != SDL_SYSWM_WAYLAND || !info.info.wl.xdg_toplevel)
        return;
    auto* toplevel = reinterpret_cast<wl_proxy*>(info.info.wl.xdg_toplevel);
    if (auto* frame = static_cast<libdecor_frame*>(wl_proxy_get_user_data(toplevel)))
        libdecor_frame_unref(frame);
}

// The frame redraws itself when the compositor configures the window anew,
// which follows the keyboard's arrival or departure: until the window's own
// surface commits, the compositor keeps the frame's new look pending and
// the old one is already gone, so the window shows without a frame.
void NativeWindow::ShowFrameState()
{
    if (!m_window || !m_shown || !CompositorPlacesWindows() || (SDL_GetWindowFlags(m_window) & SDL_WINDOW_BORDERLESS))
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(m_window, &info) && info.subsystem == SDL_SYSWM_WAYLAND && info.info.wl.display)
        wl_display_roundtrip(info.info.wl.display);
    PresentAll();
}

void NativeWindow::FitMonitor(Rect client)
{
    if (!m_frameless || !CompositorPlacesWindows())
        return;
    int monitor = monitors::Covered(client);
    if (monitor == m_fullscreenMonitor)
        return;
    // Full screen goes to the monitor under the window's position (in the
    // window system's own units), so changing monitors leaves full screen,
    // moves, and enters it again.
    if (m_fullscreenMonitor >= 0)
        SDL_SetWindowFullscreen(m_window, 0);
    m_fullscreenMonitor = monitor;
    SDL_Rect r { client.left, client.top, std::max(client.Width(), 1), std::max(client.Height(), 1) };
    if (monitor >= 0)
        SDL_GetDisplayBounds(monitor, &r);
    SDL_SetWindowPosition(m_window, r.x, r.y);
    SDL_SetWindowSize(m_window, r.w, r.h);
    if (monitor >= 0)
        SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN_DESKTOP);
    Acquire();
}

void NativeWindow::PresentThroughRenderer()
{
    int w = m_backBuffer.Width();
    int h = m_backBuffer.Height();
    if (w <= 0 || h <= 0)
        return;
    if (m_textureWidth != w || m_textureHeight != h) {
        if (m_texture)
            SDL_DestroyTexture(m_texture);
        m_texture = SDL_CreateTexture(m_renderer, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
        m_textureWidth = m_texture ? w : 0;
        m_textureHeight = m_texture ? h : 0;
        m_dirty = m_backBuffer.Bounds();
    }
    if (!m_texture)
        return;
    Rect area = m_dirty.Intersected(m_backBuffer.Bounds());
    m_dirty = {};
    SDL_Rect r { area.left, area.top, area.Width(), area.Height() };
    if (!area.IsEmpty())
        SDL_UpdateTexture(m_texture, &r, m_backBuffer.Row(area.top) + area.left, m_backBuffer.Pitch() * 4);
    // One texture pixel per device pixel: nothing is scaled.
    SDL_RenderCopy(m_renderer, m_texture, nullptr, nullptr);
    SDL_RenderPresent(m_renderer);
}

}
