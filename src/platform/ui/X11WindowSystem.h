#pragma once

// Internal: SDL on an X server. The loop waits on the X connection (see
// X11Connection.h), mouse buttons come from the server's own events, the
// pointer is asked of the server, and mapping a window exposes it.

#include "platform/ui/WindowSystem.h"

namespace plat {

class X11WindowSystem final : public WindowSystem {
public:
    void Start() override;
    bool Wait(int wakeFd, int timeoutMs) override;
    std::optional<SDL_Event> Translate(const SDL_Event& event) override;
    Point PointerPosition(Point lastSeen) override;
    int Scale(int) override { return 1; }
    std::uint32_t WindowFlags(bool frameless, bool menu) override;
    void Made(SDL_Window* window) override;
    bool Close(SDL_Window*) override { return false; }
    void Destroy(SDL_Window* window) override;
    bool KeepsModalOwner(const NativeWindow&) override { return true; }
    bool ExposesOnMapping() override { return true; }
    void ShowAgain(NativeWindow& native, bool eraseDue) override;
    void FitMonitor(NativeWindow&, Rect) override { }
    void Hiding(NativeWindow&) override { }
    void ShowFrameState(NativeWindow&) override { }
    // Present's pixmaps and SDL's shared-memory image both only copy into the X window.
    present::Backend PresenterBackend(const NativeWindow&) override { return present::Backend::X11; }
};

}
