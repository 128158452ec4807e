#pragma once

// Internal: the presenter for window systems that cannot say when a frame
// was shown. It shows frames through SDL's window surface, paced to the
// nominal refresh with a sleep, and takes the clock read after each
// present as the time shown: an estimate, labelled so.

#include "platform/present/Presenter.h"

namespace plat::present {

std::unique_ptr<Presenter> MakeFallbackPresenter(SDL_Window* window);

}
