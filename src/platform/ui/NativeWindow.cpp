#include "platform/ui/NativeWindow.h"

#include "platform/gfx/Icon.h"
#include "platform/ui/WindowSystem.h"

#include <SDL.h>

#include <algorithm>
#include <deque>
#include <vector>

namespace plat {

namespace {

// SDL's RGB888 is 0x00RRGGBB in 32 bits, as our pixels are; ARGB8888's
// alpha byte means nothing to a window's framebuffer.
bool IsXrgb(const SDL_Surface& s)
{
    const Uint32 format = s.format->format;
    return (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) && s.pitch % 4 == 0;
}

}

NativeWindow::NativeWindow(const std::string& title, Rect client, WindowFrame frame, WindowRole role, WindowCreation creation)
    : m_title(title)
    , m_client(client)
{
    m_flags = SDL_WINDOW_HIDDEN;
    if (frame == WindowFrame::None)
        m_flags |= SDL_WINDOW_BORDERLESS;
    if (role == WindowRole::Menu)
        m_flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_SKIP_TASKBAR | SDL_WINDOW_ALWAYS_ON_TOP;
    m_frameless = frame == WindowFrame::None && role == WindowRole::Normal;
    m_flags |= TheWindowSystem().WindowFlags(m_frameless, role == WindowRole::Menu);
    if (creation == WindowCreation::Now)
        Create();
    else
        m_deferred = true;
}

bool NativeWindow::Create()
{
    m_deferred = false;
    int w = std::max(m_client.Width(), 1);
    int h = std::max(m_client.Height(), 1);
    m_window = SDL_CreateWindow(m_title.c_str(), m_client.left, m_client.top, w, h, m_flags);
    if (!m_window)
        return false;
    m_id = SDL_GetWindowID(m_window);
    TheWindowSystem().Made(m_window);
    // SDL's window surface has the window's scaled-down size, so such a
    // window shows its own buffer through a renderer of its own.
    if (m_flags & SDL_WINDOW_ALLOW_HIGHDPI)
        m_renderer = SDL_CreateRenderer(m_window, -1, SDL_RENDERER_ACCELERATED);
    if (!m_icon.IsNull())
        SetIcon(&m_icon);
    if (SDL_Window* owner = m_modalOwner ? SDL_GetWindowFromID(m_modalOwner) : nullptr)
        SDL_SetWindowModalFor(m_window, owner);
    // The back buffer comes with the first drawing: a dialog is sized in
    // its initialisation, and each buffer made before would be thrown away.
    return true;
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
// press as no change. So the SDL window lives until no button is down,
// unless the window system has it go at once.
NativeWindow::~NativeWindow()
{
    if (!m_window)
        return;
    Point origin;
    SDL_GetWindowPosition(m_window, &origin.x, &origin.y);
    auto& origins = ClosedOrigins();
    origins.push_back({ m_id, origin });
    if (origins.size() > kClosedOriginsKept)
        origins.pop_front();
    if (m_texture)
        SDL_DestroyTexture(m_texture);
    if (m_renderer)
        SDL_DestroyRenderer(m_renderer);
    SDL_HideWindow(m_window);
    if (TheWindowSystem().Close(m_window))
        return;
    Graveyard().push_back({ m_window, SDL_GetTicks64() });
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
        TheWindowSystem().Destroy(r.window);
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
    return m_backBuffer;
}

void NativeWindow::Acquire()
{
    if (m_deferred)
        Create();
    if (!m_window)
        return;
    if (m_lent) {
        int w = 0, h = 0;
        SDL_GetWindowSizeInPixels(m_window, &w, &h);
        if (m_backBuffer.IsView() || m_backBuffer.Width() != w || m_backBuffer.Height() != h)
            m_backBuffer.Resize(w, h);
        return;
    }
    m_sdlShown |= !m_renderer;
    SDL_Surface* screen = m_renderer ? nullptr : SDL_GetWindowSurface(m_window);
    if (screen && IsXrgb(*screen)) {
        if (screen->pixels == m_framebuffer && screen->w == m_framebufferWidth && screen->h == m_framebufferHeight)
            return;
        m_backBuffer = Surface::View(static_cast<std::uint32_t*>(screen->pixels), screen->w, screen->h, screen->pitch / 4);
        m_backBuffer.Fill(0);
        m_framebuffer = m_backBuffer.IsEmpty() ? nullptr : screen->pixels;
        m_framebufferWidth = screen->w;
        m_framebufferHeight = screen->h;
        m_dirty = {};
        return;
    }
    // No window surface, or one in another format: our own buffer of the window's size.
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(m_window, &w, &h);
    m_framebuffer = nullptr;
    if (m_backBuffer.IsView() || m_backBuffer.Width() != w || m_backBuffer.Height() != h) {
        m_backBuffer.Resize(w, h);
        m_dirty = {};
    }
}

void NativeWindow::MarkDirty(Rect area)
{
    Acquire();
    m_dirty = m_dirty.United(area.Intersected(m_backBuffer.Bounds()));
}

void NativeWindow::LendPixels(bool lent)
{
    if (lent == m_lent)
        return;
    m_lent = lent;
    // The buffer that was shown before (or the one of our own) no longer is.
    m_framebuffer = nullptr;
    m_framebufferWidth = 0;
    m_framebufferHeight = 0;
    m_backBuffer = Surface {};
    m_dirty = {};
}

void NativeWindow::Present()
{
    if (m_lent)
        m_dirty = {};
    if (!m_window || m_dirty.IsEmpty() || !m_shown)
        return;
    if (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED)
        return;
    Acquire();
    if (m_renderer) {
        m_sdlShown = true;
        PresentThroughRenderer();
        return;
    }
    SDL_Surface* screen = SDL_GetWindowSurface(m_window);
    if (!screen)
        return;
    Rect area = m_dirty.Intersected({ 0, 0, screen->w, screen->h });
    m_dirty = {};
    if (area.IsEmpty())
        return;
    if (!m_framebuffer) {
        SDL_ConvertPixels(area.Width(), area.Height(), SDL_PIXELFORMAT_RGB888, m_backBuffer.Row(area.top) + area.left,
            m_backBuffer.Pitch() * 4, screen->format->format,
            static_cast<std::uint8_t*>(screen->pixels) + static_cast<std::size_t>(area.top) * screen->pitch
                + area.left * screen->format->BytesPerPixel,
            screen->pitch);
    }
    SDL_Rect r { area.left, area.top, area.Width(), area.Height() };
    SDL_UpdateWindowSurfaceRects(m_window, &r, 1);
}

void NativeWindow::PresentAll()
{
    Acquire();
    MarkDirty(m_backBuffer.Bounds());
    Present();
}

void NativeWindow::SetTitle(const std::string& title)
{
    m_title = title;
    if (m_window)
        SDL_SetWindowTitle(m_window, title.c_str());
}

void NativeWindow::SetClientRect(Rect client)
{
    if (m_deferred)
        m_client = client;
    if (!m_window)
        return;
    int w = std::max(client.Width(), 1);
    int h = std::max(client.Height(), 1);
    m_client = client;
    if (m_shown)
        TheWindowSystem().FitMonitor(*this, client);
    if (m_fullscreenMonitor >= 0)
        return;
    SDL_SetWindowPosition(m_window, client.left, client.top);
    int oldW = 0, oldH = 0;
    SDL_GetWindowSize(m_window, &oldW, &oldH);
    if (oldW != w || oldH != h)
        SDL_SetWindowSize(m_window, w, h);
}

void NativeWindow::Show(bool show)
{
    if (show && m_deferred)
        Create();
    if (!m_window)
        return;
    if (show && !m_shown)
        m_mappingExpose = TheWindowSystem().ExposesOnMapping();
    m_shown = show;
    if (show) {
        TheWindowSystem().FitMonitor(*this, m_client);
        SDL_ShowWindow(m_window);
        return;
    }
    TheWindowSystem().Hiding(*this);
    SDL_HideWindow(m_window);
}

void NativeWindow::SetTopMost(bool topMost)
{
    if (m_deferred)
        m_flags = topMost ? m_flags | SDL_WINDOW_ALWAYS_ON_TOP : m_flags & ~SDL_WINDOW_ALWAYS_ON_TOP;
    if (m_window)
        SDL_SetWindowAlwaysOnTop(m_window, topMost ? SDL_TRUE : SDL_FALSE);
}

void NativeWindow::SetIcon(const Icon* icon)
{
    if (!icon || icon->IsNull())
        return;
    if (m_deferred)
        m_icon = *icon;
    if (!m_window)
        return;
    // SDL copies the pixels, so the surface may wrap the icon's own vector.
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon->Argb().data()), icon->Width(),
        icon->Height(), 32, icon->Width() * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s)
        return;
    SDL_SetWindowIcon(m_window, s);
    SDL_FreeSurface(s);
}

void NativeWindow::Minimize()
{
    if (m_window)
        SDL_MinimizeWindow(m_window);
}

void NativeWindow::Restore()
{
    if (m_window)
        SDL_RestoreWindow(m_window);
}

void NativeWindow::Raise()
{
    if (m_window && m_shown)
        SDL_RaiseWindow(m_window);
}

void NativeWindow::Activate()
{
    if (!m_window || !m_shown || (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED))
        return;
    SDL_RaiseWindow(m_window);
    SDL_SetWindowInputFocus(m_window);
}

void NativeWindow::SetModalFor(const NativeWindow* owner)
{
    if (!TheWindowSystem().KeepsModalOwner(*this))
        return;
    if (m_deferred)
        m_modalOwner = owner ? owner->m_id : 0;
    if (m_window && owner && owner->m_window)
        SDL_SetWindowModalFor(m_window, owner->m_window);
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
