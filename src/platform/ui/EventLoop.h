#pragma once

// The user-interface thread's event loop. Input, posted messages, timer
// ticks and tasks from other threads are taken one at a time and handed
// on: input to the input router, messages to their window; when nothing is
// queued, pending repaints run. After each step every window whose back
// buffer was drawn on is shown.

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

// Frames paced to the display: while set, a running loop calls `frame`
// whenever it would otherwise wait for input. A frame waits for the display
// itself (the presenter's Acquire), so input and messages are taken between
// frames and nothing spins; it returns false when it did not wait (no
// buffer yet), and the loop then waits for input a short while instead.
// One source at a time, set by `owner`; ProcessPendingMessages never runs
// frames. ClearFrameSource(owner) removes it if it is still `owner`'s.
void SetFrameSource(HWND owner, std::function<bool()> frame);
void ClearFrameSource(HWND owner);

// Processes everything queued and every pending repaint, then returns.
void ProcessPendingMessages();

// Runs the loop (nested runs allowed) until `done` becomes true.
void RunMessageLoop(const bool& done);

namespace loop {

// Queue a message, a timer's tick or input (as if from the window system)
// for the loop.
bool Post(HWND hwnd, const Message& message);
void PostTimer(HWND hwnd, std::uintptr_t id, std::uint64_t serial);
void PushInput(const SDL_Event& event);

}

}
