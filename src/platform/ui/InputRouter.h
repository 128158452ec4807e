#pragma once

// Internal: turns the window system's events into messages. Mouse input
// goes to the capturing window or to the control under the pointer, keys
// to the top-level window, and window events become close commands and
// repaints; the state that routing follows (capture, modal windows, the
// open menu, the pointer) is kept here.

#include "platform/Types.h"
#include "platform/ui/Wnd.h"

union SDL_Event;

namespace plat::input {

// Processes one SDL event as if it came from the window system.
void Route(const SDL_Event& event);

HWND CaptureWindow();
void SetCaptureWindow(HWND hwnd);

// The cursor in screen coordinates, as the window system tells it
// (WindowSystem::PointerPosition) or as last seen.
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
