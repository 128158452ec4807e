#pragma once

// Whether the video driver SDL started shows windows to a person. With no
// display to reach, SDL falls through to drivers that draw into memory
// only (offscreen, dummy): a program on one of those runs unseen until it
// is killed. Only the offscreen driver asked for by name, as the tests
// ask for it, draws unseen on purpose.

#include <string>

namespace plat {

// After SDL's video has started: false for a driver that shows nothing and
// was not asked for by name as "offscreen".
bool VideoShowsWindows();

// The drivers SDL tried, in its order, each with the variable that names
// its display and those that show nothing marked so: "x11 (DISPLAY=:7),
// wayland (WAYLAND_DISPLAY 未设置), KMSDRM". Translated, on one line.
std::string DisplayAttempts();

}
