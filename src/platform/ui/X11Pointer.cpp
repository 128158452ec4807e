#include "platform/ui/X11Pointer.h"

#include <SDL.h>
#include <SDL_syswm.h>

namespace plat {

std::optional<Point> QueryX11Pointer(SDL_Window* window)
{
    if (!window)
        return std::nullopt;
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
