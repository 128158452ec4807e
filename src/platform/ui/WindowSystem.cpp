#include "platform/ui/WindowSystem.h"

#include "platform/ui/OtherWindowSystem.h"
#include "platform/ui/WaylandWindowSystem.h"
#include "platform/ui/X11WindowSystem.h"

#include <SDL.h>

#include <memory>
#include <string_view>

namespace plat {

namespace {

std::unique_ptr<WindowSystem>& Chosen()
{
    static std::unique_ptr<WindowSystem> chosen = std::make_unique<OtherWindowSystem>();
    return chosen;
}

}

void ChooseWindowSystem()
{
    const char* name = SDL_GetCurrentVideoDriver();
    const std::string_view driver = name ? name : "";
    if (driver == "x11")
        Chosen() = std::make_unique<X11WindowSystem>();
    else if (driver == "wayland")
        Chosen() = std::make_unique<WaylandWindowSystem>();
    else
        Chosen() = std::make_unique<OtherWindowSystem>();
}

WindowSystem& TheWindowSystem() { return *Chosen(); }

}
