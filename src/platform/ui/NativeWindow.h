#pragma once

// Internal: the SDL window behind one top-level window, and its back
// buffer. Everything drawn goes into the back buffer; Present() copies the
// part drawn since the last call to the window system's framebuffer.

#include "platform/Types.h"
#include "platform/gfx/Surface.h"

#include <cstdint>
#include <string>
#include <utility>

struct SDL_Window;

namespace plat {

class Icon;

enum class WindowFrame { None, Dialog };
enum class WindowRole { Normal, Menu };

class NativeWindow {
public:
    // `client` in screen coordinates. Created hidden.
    NativeWindow(const std::string& title, Rect client, WindowFrame frame, WindowRole role);
    ~NativeWindow();
    NativeWindow(const NativeWindow&) = delete;
    NativeWindow& operator=(const NativeWindow&) = delete;

    bool IsValid() const { return window_ != nullptr; }
    std::uint32_t Id() const { return id_; }
    SDL_Window* Window() const { return window_; }

    Surface& BackBuffer() { return backBuffer_; }
    // The back buffer changed in `area` (buffer coordinates).
    void MarkDirty(Rect area);
    // Shows the dirty part on screen; nothing when nothing changed.
    void Present();
    // Shows the whole back buffer now.
    void PresentAll();

    void SetTitle(const std::string& title);
    // Moves and sizes the client area; a new size gives a new, black back buffer.
    void SetClientRect(Rect client);
    void Show(bool show);
    // True once after each Show(true): the window system's expose that
    // comes with mapping the window, which the first paint already covers.
    bool TakeMappingExpose() { return std::exchange(mappingExpose_, false); }
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
    // long enough (see the destructor).
    static void BuryRetired();

private:
    SDL_Window* window_ = nullptr;
    std::uint32_t id_ = 0;
    Surface backBuffer_;
    Rect dirty_;
    bool shown_ = false;
    bool mappingExpose_ = false;
};


}
