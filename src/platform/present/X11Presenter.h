#pragma once

// Internal: the X11 presenter. Frames are drawn into three shared-memory
// pixmaps and shown with PresentPixmap for a target refresh and the
// damaged region only; a pixmap is drawn into again only after the server's
// IdleNotify, and each CompleteNotify (ust, msc, mode) says when and how
// its frame was shown.

#include "platform/present/Presenter.h"

namespace plat::present {

// Null with `why` set when the display lacks Present, MIT-SHM or XFixes
// regions, or the window is not an X11 window of a 32-bit-pixel depth.
std::unique_ptr<Presenter> MakeX11Presenter(SDL_Window* window, std::string* why);

}
