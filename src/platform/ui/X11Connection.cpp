#include "platform/ui/X11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>

#include <atomic>
#include <cstdio>

namespace plat::x11 {

namespace {

XErrorHandler g_previousHandler = nullptr;
std::atomic<bool> g_ignoredOne { false };
::Display* g_display = nullptr; // user-interface thread only

int OnError(::Display* display, XErrorEvent* error)
{
    if (error->error_code == BadWindow || error->error_code == BadDrawable) {
        if (!g_ignoredOne.exchange(true))
            std::fprintf(stderr,
                "lv.exe: X error %d ignored: request %d addressed window 0x%lx, which no longer exists "
                "(later ones are not reported)\n",
                error->error_code, error->request_code, error->resourceid);
        return 0;
    }
    return g_previousHandler ? g_previousHandler(display, error) : 0;
}

}

void InstallErrorHandler()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    g_previousHandler = XSetErrorHandler(&OnError);
}

void RememberConnection(SDL_Window* window)
{
    if (g_display || !window)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
        g_display = info.info.x11.display;
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
