#include "platform/ui/VideoDriver.h"

#include <SDL.h>

#include <atomic>
#include <string_view>

namespace plat::video {

namespace {

std::atomic<Driver> g_driver { Driver::Other };

}

void DecideDriver()
{
    const char* name = SDL_GetCurrentVideoDriver();
    const std::string_view driver = name ? name : "";
    g_driver = driver == "x11" ? Driver::X11 : driver == "wayland" ? Driver::Wayland
                                                                   : Driver::Other;
}

Driver CurrentDriver() { return g_driver; }

}
