#pragma once

// Internal: window timers. SDL's timer thread only posts a tick; the tick
// is handled on the user-interface thread if the timer and its window still
// exist. At most one tick per timer waits in the queue at a time.

#include "platform/ui/Wnd.h"

#include <cstdint>

namespace plat::timers {

bool Set(HWND hwnd, std::uintptr_t id, unsigned elapseMs);
bool Kill(HWND hwnd, std::uintptr_t id);
void KillAll(HWND hwnd);
// A tick reached the UI thread: true when it is still current (then it may post again).
bool TakeTick(HWND hwnd, std::uintptr_t id, std::uint64_t serial);
int ActiveCount();

}
