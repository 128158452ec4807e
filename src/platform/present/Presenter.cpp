#include "platform/present/Presenter.h"

#include "platform/present/FallbackPresenter.h"
#include "platform/present/WaylandPresenter.h"
#include "platform/present/X11Presenter.h"

namespace plat::present {

Backend BackendForDriver(std::string_view sdlVideoDriver)
{
    if (sdlVideoDriver == "x11")
        return Backend::X11;
    if (sdlVideoDriver == "wayland")
        return Backend::Wayland;
    return Backend::Fallback;
}

std::unique_ptr<Presenter> MakePresenter(SDL_Window* window, Backend backend, std::string* why)
{
    if (!window)
        return nullptr;
    std::string reason;
    std::unique_ptr<Presenter> presenter;
    if (backend == Backend::X11)
        presenter = MakeX11Presenter(window, &reason);
    else if (backend == Backend::Wayland)
        presenter = MakeWaylandPresenter(window, &reason);
    if (!presenter)
        presenter = MakeFallbackPresenter(window);
    if (why)
        *why = reason;
    return presenter;
}

}
