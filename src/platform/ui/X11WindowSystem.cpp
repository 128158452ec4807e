#include "platform/ui/X11WindowSystem.h"

#include "platform/ui/NativeWindow.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/X11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace plat {

namespace {

// Screen coordinates of the pointer, asked over the X connection behind
// `window`; nothing when the pointer is on another screen. SDL's own global
// mouse state on X11 is refreshed only by raw input events, which a warped
// pointer (xdotool, another program) does not send, so it goes stale.
std::optional<Point> QueryPointer(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11 || !info.info.x11.display)
        return std::nullopt;
    ::Window root = 0;
    ::Window child = 0;
    int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
    unsigned buttons = 0;
    if (!XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &rootX, &rootY, &windowX, &windowY,
            &buttons))
        return std::nullopt;
    return Point { rootX, rootY };
}

}

void X11WindowSystem::Start()
{
    x11::InstallErrorHandler();
    x11::TakeButtons();
}

// SDL's own wait is never used once it runs windows here: it would be
// woken through one of our windows, which may be gone by then.
bool X11WindowSystem::Wait(int wakeFd, int timeoutMs) { return x11::Wait(wakeFd, timeoutMs); }

std::optional<SDL_Event> X11WindowSystem::Translate(const SDL_Event& event)
{
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP)
        return std::nullopt;
    if (event.type == SDL_SYSWMEVENT)
        return x11::ButtonFromX(event);
    return event;
}

// Any window's connection will do: the pointer is the X server's.
Point X11WindowSystem::PointerPosition(Point lastSeen)
{
    for (HWND hwnd : windows::TopLevels()) {
        WindowData* data = windows::Find(hwnd);
        NativeWindow* native = data ? data->Native() : nullptr;
        if (!native || !native->Window())
            continue;
        if (std::optional<Point> pointer = QueryPointer(native->Window()))
            return *pointer;
        break;
    }
    return lastSeen;
}

std::uint32_t X11WindowSystem::WindowFlags(bool, bool menu) { return menu ? SDL_WINDOW_POPUP_MENU : 0; }

void X11WindowSystem::Made(SDL_Window* window) { x11::Remember(window); }

void X11WindowSystem::Destroy(SDL_Window* window)
{
    x11::Forget(SDL_GetWindowID(window));
    SDL_DestroyWindow(window);
}

// Not while an erase of the window is still to come: that erase draws, and
// so shows, all of it, and the buffer until then is stale (black, when the
// window system gave a new one).
void X11WindowSystem::ShowAgain(NativeWindow& native, bool eraseDue)
{
    if (!eraseDue)
        native.MarkDirty(native.BackBuffer().Bounds());
}

}
