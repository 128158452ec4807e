#pragma once

// The user-interface thread's event loop. Input, posted messages, timer
// ticks and tasks from other threads are processed one at a time; when
// nothing is queued, pending repaints run. After each step every window
// whose back buffer was drawn on is shown.

#include "platform/ui/Messages.h"
#include "platform/ui/Wnd.h"

#include <cstdint>
#include <functional>

union SDL_Event;

namespace plat {

// Starts the window system (SDL video and timers). Called by the first
// window; false when no display can be opened, including when SDL could
// only start a driver that shows nothing (DisplayCheck.h).
bool InitUi();

// Runs `task` on the user-interface thread from the event loop. Safe from any thread.
void PostTask(std::function<void()> task);

// Runs `task` on the user-interface thread once the loop is idle: nothing
// queued and no repaint pending. Safe from any thread.
void PostIdleTask(std::function<void()> task);

// Processes everything queued and every pending repaint, then returns.
void ProcessPendingMessages();

// Runs the loop (nested runs allowed) until `done` becomes true.
void RunMessageLoop(const bool& done);

namespace loop {

// Sends `message` to `wnd` now, as the current message of its handler.
LRESULT Dispatch(Wnd& wnd, const Message& message);
// The message `wnd` is handling (innermost), or null.
const Message* CurrentMessage(const Wnd& wnd);

bool Post(HWND hwnd, const Message& message);
void PostTimer(HWND hwnd, std::uintptr_t id, std::uint64_t serial);
void PushInput(const SDL_Event& event);
// Processes one SDL event as if it came from the window system.
void HandleInput(const SDL_Event& event);

HWND CaptureWindow();
void SetCaptureWindow(HWND hwnd);

// The cursor in screen coordinates: on X11 where the X server says it is
// now, elsewhere (or without a window to ask through) as last seen.
Point CursorPos();
void SetCursorPos(Point screen);

// The modal windows running, innermost last.
void PushModal(HWND hwnd);
void PopModal(HWND hwnd);
HWND ActiveModal();

// While a popup menu tracks, input outside it cancels it.
void SetMenuWindow(HWND hwnd);
HWND MenuWindow();

}

}
