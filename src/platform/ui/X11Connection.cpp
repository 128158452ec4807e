#include "platform/ui/X11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

namespace plat::x11 {

namespace {

XErrorHandler g_previousHandler = nullptr;
std::atomic<bool> g_ignoredOne { false };
// User-interface thread only, as the rest.
::Display* g_display = nullptr;

struct Known {
    ::Window xwindow;
    std::uint32_t id;
};

std::vector<Known>& KnownWindows()
{
    static std::vector<Known> windows;
    return windows;
}

// X's button numbers 4 to 7 are the wheel, which SDL reports well.
Uint8 SdlButton(unsigned xButton)
{
    switch (xButton) {
    case Button1:
        return SDL_BUTTON_LEFT;
    case Button2:
        return SDL_BUTTON_MIDDLE;
    case Button3:
        return SDL_BUTTON_RIGHT;
    case 8:
        return SDL_BUTTON_X1;
    case 9:
        return SDL_BUTTON_X2;
    default:
        return 0;
    }
}

int OnError(::Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        if (!g_ignoredOne.exchange(true))
            (void)std::fprintf(stderr,
                "lv.exe: X error %d ignored: request %d addressed window 0x%lx, which no longer exists "
                "(later ones are not reported)\n",
                error->error_code, error->request_code, error->resourceid);
        return 0;
    }
    return g_previousHandler ? g_previousHandler(display, error) : 0;
}

// The connection is gone (the server ended): nothing more can be shown or
// read. Ends at once: the exit handlers would destroy windows over the dead
// connection and wait there for ever.
int OnConnectionLost(::Display*)
{
    (void)std::fputs("lv.exe: the connection to the X server was lost; ending\n", stderr);
    _exit(1);
}

}

void InstallErrorHandler()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    g_previousHandler = XSetErrorHandler(&OnError);
    XSetIOErrorHandler(&OnConnectionLost);
}

void Remember(SDL_Window* window)
{
    if (!window)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    if (!g_display)
        g_display = info.info.x11.display;
    KnownWindows().push_back({ info.info.x11.window, SDL_GetWindowID(window) });
}

void Forget(std::uint32_t windowId)
{
    std::erase_if(KnownWindows(), [windowId](const Known& k) { return k.id == windowId; });
}

void TakeButtons()
{
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    // SDL grabs the pointer for the window with the keyboard on every press
    // it reads, so the release of a click on another window (the window
    // menu, which never has the keyboard) went to that window instead. The
    // server's own grab of the pressed window sends the release there; a
    // user's setting must not bring SDL's grab back.
    SDL_SetHintWithPriority(SDL_HINT_MOUSE_AUTO_CAPTURE, "0", SDL_HINT_OVERRIDE);
}

std::optional<SDL_Event> ButtonFromX(const SDL_Event& event)
{
    if (event.type != SDL_SYSWMEVENT || !event.syswm.msg || event.syswm.msg->subsystem != SDL_SYSWM_X11)
        return std::nullopt;
    const XEvent& x = event.syswm.msg->msg.x11.event;
    if (x.type != ButtonPress && x.type != ButtonRelease)
        return std::nullopt;
    Uint8 button = SdlButton(x.xbutton.button);
    if (button == 0)
        return std::nullopt;
    const auto& known = KnownWindows();
    auto it = std::find_if(known.begin(), known.end(), [&x](const Known& k) { return k.xwindow == x.xbutton.window; });
    if (it == known.end())
        return std::nullopt;
    bool down = x.type == ButtonPress;
    SDL_Event b {};
    b.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    b.button.timestamp = event.syswm.timestamp;
    b.button.windowID = it->id;
    b.button.button = button;
    b.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    b.button.clicks = 1;
    b.button.x = x.xbutton.x;
    b.button.y = x.xbutton.y;
    return b;
}

bool Wait(int wakeFd, int timeoutMs)
{
    if (!g_display)
        return false;
    // Events Xlib has already read wait in its queue, not on the socket.
    if (XEventsQueued(g_display, QueuedAfterFlush) > 0)
        return true;
    pollfd fds[2] = { { ConnectionNumber(g_display), POLLIN, 0 }, { wakeFd, POLLIN, 0 } };
    poll(fds, wakeFd >= 0 ? 2 : 1, timeoutMs);
    return true;
}

}
