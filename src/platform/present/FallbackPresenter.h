#pragma once

// The presenter for window systems that cannot say when a frame was shown.
// It shows frames through a target (by default SDL's window surface),
// paced to the nominal refresh with a sleep, and takes the clock read after
// each present as the time shown: an estimate, labelled so.

#include "platform/present/Presenter.h"

namespace plat::present {

// Where the fallback draws and how it shows what it drew.
class FallbackTarget {
public:
    virtual ~FallbackTarget() = default;
    // The pixels of the next frame; null when there are none now. `fresh`
    // is set when they are not the ones the last frame was drawn in.
    virtual Surface* Pixels(bool* fresh) = 0;
    // Shows `damage` of those pixels; false when it could not.
    virtual bool Show(Rect damage) = 0;
};

std::unique_ptr<Presenter> MakeFallbackPresenter(SDL_Window* window);
// The same drawing into and showing through `target`, paced to `window`'s
// display.
std::unique_ptr<Presenter> MakeFallbackPresenter(SDL_Window* window, std::unique_ptr<FallbackTarget> target);

}
