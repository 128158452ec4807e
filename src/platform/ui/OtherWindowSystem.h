#pragma once

// Internal: any window system but X11 and Wayland (the tests' offscreen
// driver among them): SDL's own wait and events, the pointer where the
// program last saw it, and windows placed where the program puts them.

#include "platform/ui/WindowSystem.h"

namespace plat {

class OtherWindowSystem final : public WindowSystem {
public:
    void Start() override { }
    bool Wait(int, int) override { return false; }
    std::optional<SDL_Event> Translate(const SDL_Event& event) override;
    Point PointerPosition(Point lastSeen) override { return lastSeen; }
    int Scale(int) override { return 1; }
    std::uint32_t WindowFlags(bool frameless, bool menu) override;
    void Made(SDL_Window*) override { }
    bool Close(SDL_Window*) override { return false; }
    void Destroy(SDL_Window* window) override;
    bool KeepsModalOwner(const NativeWindow&) override { return true; }
    bool ExposesOnMapping() override { return false; }
    void ShowAgain(NativeWindow& native, bool eraseDue) override;
    void FitMonitor(NativeWindow&, Rect) override { }
    void Hiding(NativeWindow&) override { }
    void ShowFrameState(NativeWindow&) override { }
    present::Backend PresenterBackend(const NativeWindow&) override { return present::Backend::Fallback; }
};

}
