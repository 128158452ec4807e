#pragma once

// Internal: SDL on a Wayland compositor, which places windows itself: a
// frameless window covering a monitor is made full screen there, such a
// window draws in device pixels on a scaled output, a closed window goes
// at once, and a frame the program draws itself commits again when the
// keyboard comes or goes.

#include "platform/ui/WindowSystem.h"

namespace plat {

class WaylandWindowSystem final : public WindowSystem {
public:
    void Start() override;
    bool Wait(int, int) override { return false; }
    std::optional<SDL_Event> Translate(const SDL_Event& event) override;
    Point PointerPosition(Point lastSeen) override;
    int Scale(int index) override;
    std::uint32_t WindowFlags(bool frameless, bool menu) override;
    void Made(SDL_Window*) override { }
    bool Close(SDL_Window* window) override;
    void Destroy(SDL_Window* window) override;
    bool KeepsModalOwner(const NativeWindow& child) override;
    bool ExposesOnMapping() override { return false; }
    void ShowAgain(NativeWindow& native, bool eraseDue) override;
    void FitMonitor(NativeWindow& native, Rect client) override;
    void Hiding(NativeWindow& native) override;
    void ShowFrameState(NativeWindow& native) override;
    // SDL 2.26's window surface and renderer here draw through EGL, whose
    // buffers would fight our wl_shm buffers for the same wl_surface once
    // either has shown anything.
    present::Backend PresenterBackend(const NativeWindow& native) override;
};

}
