#pragma once

// Internal: the SDL window behind one top-level window, and its back
// buffer. The back buffer is SDL's window surface itself (its pixels are
// 0x00RRGGBB like ours), so Present() only tells the window system which
// part changed; a framebuffer in another format gets a buffer of our own,
// converted when shown. A window drawn in device pixels (see
// WindowSystem::WindowFlags) has a buffer of its device size, shown through
// a renderer. What differs between window systems is the WindowSystem's.

#include "platform/Types.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/Surface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace plat {

enum class WindowFrame { None,
    Dialog };
enum class WindowRole { Normal,
    Menu };
// WhenShown: the window system's window is made when the window is first
// shown or drawn, with the place, size, title and icon it has by then, so a
// dialog placed in its initialisation is not moved and sized on screen
// first (each of those waits for the window system several times).
enum class WindowCreation { Now,
    WhenShown };

class NativeWindow {
public:
    // `client` in screen coordinates. Created hidden.
    NativeWindow(const std::string& title, Rect client, WindowFrame frame, WindowRole role,
        WindowCreation creation = WindowCreation::Now);
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    // False once the window system's window could not be made.
    bool IsValid() const { return m_window != nullptr || m_deferred; }
    // Makes the window system's window now if it still waits to be made
    // (input is to be addressed to it); false when it cannot be made.
    bool MakeNow() { return m_deferred ? Create() : m_window != nullptr; }
    // 0 and null while the window waits to be made.
    std::uint32_t Id() const { return m_id; }
    SDL_Window* Window() const { return m_window; }
    // The renderer of a window drawn in device pixels; null for others.
    SDL_Renderer* Renderer() const { return m_renderer; }
    // A window without a frame that is not a menu.
    bool Frameless() const { return m_frameless; }
    bool Shown() const { return m_shown; }
    // The monitor the window system made the window full screen on, or -1;
    // while it is full screen there, the window system places it.
    int FullscreenMonitor() const { return m_fullscreenMonitor; }
    void SetFullscreenMonitor(int monitor) { m_fullscreenMonitor = monitor; }

    // SDL replaces its window surface when the window's size changes, so
    // the back buffer's memory may move: make a context for each drawing
    // and never keep one across a size change.
    Surface& BackBuffer();
    // The back buffer changed in `area` (buffer coordinates).
    void MarkDirty(Rect area);
    // Shows the dirty part on screen; nothing when nothing changed.
    void Present();
    // Shows the whole back buffer now.
    void PresentAll();

    // While lent, a presenter shows the window's pixels (WindowPresenter.h):
    // the back buffer is a buffer of our own that is never shown, so
    // drawing through a context still works but SDL's window surface is
    // neither asked for nor shown. Lending it back shows SDL's surface
    // again from the next drawing.
    void LendPixels(bool lent);
    // SDL showed pixels of the window (its window surface was asked for,
    // or its renderer presented): a window system whose presenter cannot
    // share the window with SDL must not put its own buffers on it.
    bool SdlShowedPixels() const { return m_sdlShown; }

    void SetTitle(const std::string& title);
    // Moves and sizes the client area; a new size gives a new, black back
    // buffer at the next drawing.
    void SetClientRect(Rect client);
    void Show(bool show);
    // True once after each Show(true): the window system's expose that
    // comes with mapping the window, which the first paint already covers.
    bool TakeMappingExpose() { return std::exchange(m_mappingExpose, false); }
    void SetTopMost(bool topMost);
    void SetIcon(const Icon* icon);
    void Minimize();
    void Restore();
    void Raise();
    // Raised and given the keyboard: a window shown later (a modal dialog,
    // a menu) may have taken the focus with it when it went away.
    void Activate();
    void SetModalFor(const NativeWindow* owner);

    // Destroys the SDL windows of closed windows once they have been gone
    // long enough and no mouse button is down (see the destructor).
    static void BuryRetired();
    // A mouse button's press or release as read from the window system.
    static void NoteButton(std::uint8_t button, bool down);
    // Where the client area of a closed window was on screen: input the
    // window system addressed to it may still be queued. Empty when unknown.
    static std::optional<Point> ClosedClientOrigin(std::uint32_t id);

private:
    // Makes the window system's window; false when it cannot be made.
    bool Create();
    // Points the back buffer at SDL's current window surface; a new one
    // starts black with nothing to show.
    void Acquire();
    void PresentThroughRenderer();

    SDL_Window* m_window = nullptr;
    std::uint32_t m_id = 0;
    // What the window is made with, and what it is given while it waits.
    std::string m_title;
    std::uint32_t m_flags = 0;
    bool m_deferred = false;
    Icon m_icon;
    std::uint32_t m_modalOwner = 0;
    Surface m_backBuffer;
    bool m_lent = false;                 // a presenter shows the window (LendPixels)
    bool m_sdlShown = false;             // SdlShowedPixels
    const void* m_framebuffer = nullptr; // SDL's pixels the back buffer views; null when it is our own
    int m_framebufferWidth = 0;
    int m_framebufferHeight = 0;
    Rect m_dirty;
    bool m_shown = false;
    bool m_mappingExpose = false;
    bool m_frameless = false;
    int m_fullscreenMonitor = -1; // the monitor it is full screen on, or -1
    Rect m_client;
    // Windows drawn in device pixels show their buffer through these.
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    int m_textureWidth = 0;
    int m_textureHeight = 0;
};

}
