#pragma once

// Internal: what the event loop needs of SDL's X connection. SDL wakes its
// own event wait from other threads by sending an X event to one of the
// program's windows over a second connection; a window destroyed meanwhile
// turns that into an X error, which ends the process by default. So on X11
// the loop waits on the connection and a descriptor of its own instead, and
// X errors about windows that are gone are ignored.

#include <cstdint>
#include <optional>

struct SDL_Window;
union SDL_Event;

namespace plat::x11 {

// Installed once SDL runs on X11: errors about windows or drawables that no
// longer exist are ignored (the first one noted on standard error), every
// other error goes to the handler installed before; a lost connection ends
// the program at once with status 1.
void InstallErrorHandler();

// Remembers the X connection behind `window` and which X window it is
// (nothing when it is not an X11 window); Forget before SDL destroys it.
void Remember(SDL_Window* window);
void Forget(std::uint32_t windowId);

// Mouse buttons are taken from the X server's own events: SDL drops a
// release that the server sent to a window not of SDL's (the grab of a
// window closed on the press ends, and the release goes to whatever is
// under the pointer, a window manager's frame among them), keeps that button
// down, and then ignores its next press as no change. SDL's own pointer
// grab on each press is turned off: it took the grab for the window with
// the keyboard, and with it the release of a click on any other window.
// Called once SDL runs on X11; from then on SDL's own button events are to
// be ignored.
void TakeButtons();
// The SDL button event for the X button event that `event` (an
// SDL_SYSWMEVENT) carries; nothing for any other event, the wheel, or a
// window not of ours.
std::optional<SDL_Event> ButtonFromX(const SDL_Event& event);

// Waits until the remembered connection has input, `wakeFd` is readable or
// `timeoutMs` have passed. False at once when no connection is remembered.
bool Wait(int wakeFd, int timeoutMs);

}
