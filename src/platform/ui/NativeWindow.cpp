#include "platform/ui/NativeWindow.h"

#include "platform/gfx/Icon.h"
#include "platform/ui/VideoDriver.h"
#include "platform/ui/X11Connection.h"

#include <SDL.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace plat {

namespace {

bool IsX11() { return video::OnX11(); }

// SDL's RGB888 is 0x00RRGGBB in 32 bits, as our pixels are; ARGB8888's
// alpha byte means nothing to a window's framebuffer.
bool IsXrgb(const SDL_Surface& s)
{
    const Uint32 format = s.format->format;
    return (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) && s.pitch % 4 == 0;
}

}

NativeWindow::NativeWindow(const std::string& title, Rect client, WindowFrame frame, WindowRole role)
{
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (frame == WindowFrame::None)
        flags |= SDL_WINDOW_BORDERLESS;
    if (role == WindowRole::Menu)
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
    // SDL 2.26 asks a Wayland compositor for a popup in a way weston
    // refuses with a protocol error, which ends the program: there the
    // menu is an ordinary borderless window.
    if (role == WindowRole::Menu && !CompositorPlacesWindows())
        flags |= SDL_WINDOW_POPUP_MENU;
    frameless_ = frame == WindowFrame::None && role == WindowRole::Normal;
    // A frameless window may cover a scaled output: it draws in device pixels.
    bool devicePixels = frameless_ && CompositorPlacesWindows();
    if (devicePixels)
        flags |= SDL_WINDOW_ALLOW_HIGHDPI;
    int w = std::max(client.Width(), 1);
    int h = std::max(client.Height(), 1);
    window_ = SDL_CreateWindow(title.c_str(), client.left, client.top, w, h, flags);
    if (!window_)
        return;
    id_ = SDL_GetWindowID(window_);
    x11::Remember(window_);
    // SDL's window surface has the window's scaled-down size, so such a
    // window shows its own buffer through a renderer of its own.
    if (devicePixels)
        renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    client_ = client;
    Acquire();
}

namespace {

struct Retired {
    SDL_Window* window;
    Uint64 since;
};

std::vector<Retired>& Graveyard()
{
    static std::vector<Retired> windows;
    return windows;
}

// How long a closed window's X window outlives it at least: input the
// window system addressed to it before it closed is still read.
constexpr Uint64 kRetireMs = 1000;
// A release may go to another program's window (the pointer left ours
// while held), so a button that seems held stops no burial beyond this.
constexpr Uint64 kRetireLongestMs = 30000;

// Mouse buttons read pressed and not yet released, one bit each.
std::uint32_t& HeldButtons()
{
    static std::uint32_t held = 0;
    return held;
}

struct ClosedOrigin {
    std::uint32_t id;
    Point origin;
};

// The last few closed windows' places, latest last.
std::deque<ClosedOrigin>& ClosedOrigins()
{
    static std::deque<ClosedOrigin> origins;
    return origins;
}

constexpr std::size_t kClosedOriginsKept = 16;

}

// A closed window is only hidden here and destroyed later. SDL drops input
// addressed to a window it no longer knows: a window closed on a press would
// lose its release, SDL would keep that button down and then ignore its next
// press as no change. So the SDL window lives until no button is down.
NativeWindow::~NativeWindow()
{
    if (!window_)
        return;
    Point origin;
    SDL_GetWindowPosition(window_, &origin.x, &origin.y);
    auto& origins = ClosedOrigins();
    origins.push_back({ id_, origin });
    if (origins.size() > kClosedOriginsKept)
        origins.pop_front();
    if (texture_)
        SDL_DestroyTexture(texture_);
    if (renderer_)
        SDL_DestroyRenderer(renderer_);
    SDL_HideWindow(window_);
    Graveyard().push_back({ window_, SDL_GetTicks64() });
}

void NativeWindow::BuryRetired()
{
    auto& graveyard = Graveyard();
    if (graveyard.empty())
        return;
    Uint64 now = SDL_GetTicks64();
    bool held = HeldButtons() != 0;
    std::erase_if(graveyard, [now, held](const Retired& r) {
        Uint64 age = now - r.since;
        if (age < kRetireMs || (held && age < kRetireLongestMs))
            return false;
        x11::Forget(SDL_GetWindowID(r.window));
        SDL_DestroyWindow(r.window);
        return true;
    });
}

void NativeWindow::NoteButton(std::uint8_t button, bool down)
{
    if (button == 0 || button > 32)
        return;
    std::uint32_t bit = 1u << (button - 1);
    if (down)
        HeldButtons() |= bit;
    else
        HeldButtons() &= ~bit;
}

std::optional<Point> NativeWindow::ClosedClientOrigin(std::uint32_t id)
{
    for (const ClosedOrigin& closed : ClosedOrigins())
        if (closed.id == id)
            return closed.origin;
    return std::nullopt;
}

Surface& NativeWindow::BackBuffer()
{
    Acquire();
    return backBuffer_;
}

void NativeWindow::Acquire()
{
    if (!window_)
        return;
    SDL_Surface* screen = renderer_ ? nullptr : SDL_GetWindowSurface(window_);
    if (screen && IsXrgb(*screen)) {
        if (screen->pixels == framebuffer_ && screen->w == framebufferWidth_ && screen->h == framebufferHeight_)
            return;
        backBuffer_ = Surface::View(static_cast<std::uint32_t*>(screen->pixels), screen->w, screen->h, screen->pitch / 4);
        backBuffer_.Fill(0);
        framebuffer_ = backBuffer_.IsEmpty() ? nullptr : screen->pixels;
        framebufferWidth_ = screen->w;
        framebufferHeight_ = screen->h;
        dirty_ = {};
        return;
    }
    // No window surface, or one in another format: our own buffer of the window's size.
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(window_, &w, &h);
    framebuffer_ = nullptr;
    if (backBuffer_.IsView() || backBuffer_.Width() != w || backBuffer_.Height() != h) {
        backBuffer_.Resize(w, h);
        dirty_ = {};
    }
}

void NativeWindow::MarkDirty(Rect area)
{
    Acquire();
    dirty_ = dirty_.United(area.Intersected(backBuffer_.Bounds()));
}

void NativeWindow::Present()
{
    if (!window_ || dirty_.IsEmpty() || !shown_)
        return;
    if (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED)
        return;
    Acquire();
    if (renderer_) {
        PresentThroughRenderer();
        return;
    }
    SDL_Surface* screen = SDL_GetWindowSurface(window_);
    if (!screen)
        return;
    Rect area = dirty_.Intersected({ 0, 0, screen->w, screen->h });
    dirty_ = {};
    if (area.IsEmpty())
        return;
    if (!framebuffer_) {
        SDL_ConvertPixels(area.Width(), area.Height(), SDL_PIXELFORMAT_RGB888, backBuffer_.Row(area.top) + area.left,
            backBuffer_.Pitch() * 4, screen->format->format,
            static_cast<std::uint8_t*>(screen->pixels) + static_cast<std::size_t>(area.top) * screen->pitch
                + area.left * screen->format->BytesPerPixel,
            screen->pitch);
    }
    SDL_Rect r { area.left, area.top, area.Width(), area.Height() };
    SDL_UpdateWindowSurfaceRects(window_, &r, 1);
}

void NativeWindow::PresentAll()
{
    MarkDirty(backBuffer_.Bounds());
    Present();
}

void NativeWindow::SetTitle(const std::string& title)
{
    if (window_)
        SDL_SetWindowTitle(window_, title.c_str());
}

void NativeWindow::SetClientRect(Rect client)
{
    if (!window_)
        return;
    int w = std::max(client.Width(), 1);
    int h = std::max(client.Height(), 1);
    client_ = client;
    if (shown_)
        FitMonitor(client);
    if (fullscreenMonitor_ >= 0)
        return;
    SDL_SetWindowPosition(window_, client.left, client.top);
    int oldW = 0, oldH = 0;
    SDL_GetWindowSize(window_, &oldW, &oldH);
    if (oldW != w || oldH != h) {
        SDL_SetWindowSize(window_, w, h);
        Acquire();
    }
}

void NativeWindow::Show(bool show)
{
    if (!window_)
        return;
    // X servers expose a window when it is mapped; other drivers do not.
    if (show && !shown_)
        mappingExpose_ = IsX11();
    shown_ = show;
    if (show) {
        FitMonitor(client_);
        SDL_ShowWindow(window_);
        return;
    }
    if (fullscreenMonitor_ >= 0)
        LeaveFullscreen();
    SDL_HideWindow(window_);
}

void NativeWindow::SetTopMost(bool topMost)
{
    if (window_)
        SDL_SetWindowAlwaysOnTop(window_, topMost ? SDL_TRUE : SDL_FALSE);
}

void NativeWindow::SetIcon(const Icon* icon)
{
    if (!window_ || !icon || icon->IsNull())
        return;
    // SDL copies the pixels, so the surface may wrap the icon's own vector.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon->Argb().data()), icon->Width(),
        icon->Height(), 32, icon->Width() * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s)
        return;
    SDL_SetWindowIcon(window_, s);
    SDL_FreeSurface(s);
}

void NativeWindow::Minimize()
{
    if (window_)
        SDL_MinimizeWindow(window_);
}

void NativeWindow::Restore()
{
    if (window_)
        SDL_RestoreWindow(window_);
}

void NativeWindow::Raise()
{
    if (window_ && shown_)
        SDL_RaiseWindow(window_);
}

void NativeWindow::Activate()
{
    if (!window_ || !shown_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED))
        return;
    SDL_RaiseWindow(window_);
    SDL_SetWindowInputFocus(window_);
}

void NativeWindow::SetModalFor(const NativeWindow* owner)
{
    // SDL 2.26 makes the window a child of its owner's decoration frame on
    // Wayland; the child's frame going while full screen there crashed it.
    if (frameless_ && CompositorPlacesWindows())
        return;
    if (window_ && owner && owner->window_)
        SDL_SetWindowModalFor(window_, owner->window_);
}

}
