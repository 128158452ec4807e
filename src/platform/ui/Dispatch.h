#pragma once

// Internal: sending a message to a window, which runs its object's handler
// now, and the message each object is handling.

#include "platform/ui/Messages.h"
#include "platform/ui/Wnd.h"

namespace plat::windows {

// Sends a message to whatever object handles the window now; 0 when the
// window is gone or has no object.
LRESULT Send(HWND hwnd, unsigned message, WPARAM wParam = 0, LPARAM lParam = 0);
// The message `wnd` is handling (innermost), or null.
const Message* CurrentMessage(const Wnd& wnd);

}
