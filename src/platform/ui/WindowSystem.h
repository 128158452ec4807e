#pragma once

// Internal: everything in which the window systems SDL drives differ, behind
// one interface with one implementation each (X11WindowSystem,
// WaylandWindowSystem, and OtherWindowSystem for any other driver, the
// tests' offscreen one among them), chosen once when video starts. The rest
// of the framework asks the chosen one and never which window system runs.
// A presenter that paces a window's frames to the refresh is made for the
// same window system; its implementations live in files of their own.

#include "platform/Types.h"
#include "platform/present/Presenter.h"

#include <cstdint>
#include <optional>

struct SDL_Window;
union SDL_Event;

namespace plat {

class NativeWindow;

class WindowSystem {
public:
    virtual ~WindowSystem() = default;

    // Video has started: what the window system needs before any window.
    virtual void Start() = 0;

    // Waiting for input. False when the window system has no wait of its
    // own (SDL's is used); otherwise waits until input may have come,
    // `wakeFd` is readable or `timeoutMs` have passed.
    virtual bool Wait(int wakeFd, int timeoutMs) = 0;
    // Button translation: the event `event`, read from SDL, stands for;
    // nothing for an event the program is not to see.
    virtual std::optional<SDL_Event> Translate(const SDL_Event& event) = 0;
    // The pointer in screen coordinates; `lastSeen` is where the program's
    // own input last put it.
    virtual Point PointerPosition(Point lastSeen) = 0;
    // The whole factor by which monitor `index` is scaled (1 for none).
    virtual int Scale(int index) = 0;

    // SDL window flags a new window gets besides the program's own:
    // `frameless` for a window without a frame that is not a menu.
    virtual std::uint32_t WindowFlags(bool frameless, bool menu) = 0;
    // A window's SDL window was made.
    virtual void Made(SDL_Window* window) = 0;
    // A closed window's SDL window, hidden: true when it was destroyed at
    // once; false keeps it until Destroy, so that input the window system
    // addressed to it is still read.
    virtual bool Close(SDL_Window* window) = 0;
    virtual void Destroy(SDL_Window* window) = 0;
    // Whether `child` is made a child of the window it is modal for.
    virtual bool KeepsModalOwner(const NativeWindow& child) = 0;

    // Whether mapping a window brings an expose of its own.
    virtual bool ExposesOnMapping() = 0;
    // Showing a window again: what it showed was lost. `eraseDue`: an
    // erase of the whole window, which will show it all, is still to come.
    virtual void ShowAgain(NativeWindow& native, bool eraseDue) = 0;
    // Fitting a monitor: the window is shown, or its client area is now
    // `client`. Where the window system places windows on monitors itself,
    // a frameless window covering a monitor exactly is made full screen
    // there (NativeWindow::FullscreenMonitor).
    virtual void FitMonitor(NativeWindow& native, Rect client) = 0;
    // The window is about to be hidden.
    virtual void Hiding(NativeWindow& native) = 0;
    // The window gained or lost the keyboard.
    virtual void ShowFrameState(NativeWindow& native) = 0;
    // The presenter to put on the window's pixels: this window system's
    // own where it can share the window with what SDL already made for it,
    // else the fallback.
    virtual present::Backend PresenterBackend(const NativeWindow& native) = 0;
};

// Chooses the window system from SDL's video driver; called once video has started.
void ChooseWindowSystem();
// The chosen one; OtherWindowSystem before video has started.
WindowSystem& TheWindowSystem();

}
