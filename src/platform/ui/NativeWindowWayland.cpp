// The parts of NativeWindow that serve compositors which place windows
// themselves (Wayland): full screen on a monitor, and a buffer of the
// window's device size shown through a renderer.

#include "platform/ui/NativeWindow.h"

#include "platform/ui/MonitorBounds.h"
#include "platform/ui/VideoDriver.h"

#include <SDL.h>

#include <algorithm>

namespace plat {

bool CompositorPlacesWindows() { return video::OnWayland(); }

// weston keeps its black backdrop over the whole output when a full-screen
// window is hidden, or even left and hidden at once: the window first
// shows one small frame as an ordinary window.
void NativeWindow::LeaveFullscreen()
{
    fullscreenMonitor_ = -1;
    SDL_SetWindowFullscreen(window_, 0);
    SDL_SetWindowSize(window_, 1, 1);
    if (renderer_) {
        SDL_RenderClear(renderer_);
        SDL_RenderPresent(renderer_);
    } else {
        SDL_UpdateWindowSurface(window_);
    }
}

void NativeWindow::FitMonitor(Rect client)
{
    if (!frameless_ || !CompositorPlacesWindows())
        return;
    int monitor = monitors::Covered(client);
    if (monitor == fullscreenMonitor_)
        return;
    // Full screen goes to the monitor under the window's position (in the
    // window system's own units), so changing monitors leaves full screen,
    // moves, and enters it again.
    if (fullscreenMonitor_ >= 0)
        SDL_SetWindowFullscreen(window_, 0);
    fullscreenMonitor_ = monitor;
    SDL_Rect r { client.left, client.top, std::max(client.Width(), 1), std::max(client.Height(), 1) };
    if (monitor >= 0)
        SDL_GetDisplayBounds(monitor, &r);
    SDL_SetWindowPosition(window_, r.x, r.y);
    SDL_SetWindowSize(window_, r.w, r.h);
    if (monitor >= 0)
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    Acquire();
}

void NativeWindow::PresentThroughRenderer()
{
    int w = backBuffer_.Width();
    int h = backBuffer_.Height();
    if (w <= 0 || h <= 0)
        return;
    if (textureWidth_ != w || textureHeight_ != h) {
        if (texture_)
            SDL_DestroyTexture(texture_);
        texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w, h);
        textureWidth_ = texture_ ? w : 0;
        textureHeight_ = texture_ ? h : 0;
        dirty_ = backBuffer_.Bounds();
    }
    if (!texture_)
        return;
    Rect area = dirty_.Intersected(backBuffer_.Bounds());
    dirty_ = {};
    SDL_Rect r { area.left, area.top, area.Width(), area.Height() };
    if (!area.IsEmpty())
        SDL_UpdateTexture(texture_, &r, backBuffer_.Row(area.top) + area.left, backBuffer_.Pitch() * 4);
    // One texture pixel per device pixel: nothing is scaled.
    SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(renderer_);
}

}
