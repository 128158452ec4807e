#pragma once

// Internal: what the event loop needs of SDL's X connection. SDL wakes its
// own event wait from other threads by sending an X event to one of the
// program's windows over a second connection; a window destroyed meanwhile
// turns that into an X error, which ends the process by default. So on X11
// the loop waits on the connection and a descriptor of its own instead, and
// X errors about windows that are gone are ignored.

struct SDL_Window;

namespace plat::x11 {

// Installed once SDL runs on X11: errors about windows or drawables that no
// longer exist are ignored (the first one noted on standard error), every
// other error goes to the handler installed before.
void InstallErrorHandler();

// Remembers the X connection behind `window` (any window of SDL's; nothing
// when it is not an X11 window).
void RememberConnection(SDL_Window* window);

// Waits until the remembered connection has input, `wakeFd` is readable or
// `timeoutMs` have passed. False at once when no connection is remembered.
bool Wait(int wakeFd, int timeoutMs);

}
