#pragma once

// Internal: repaint requests and the paint pass. A request marks the window
// and the children it overlaps; the pass (when the queue is empty, or at
// UpdateWindow) sends each marked window erase-background, if asked, then
// paint, parents before children so that controls end up on top.

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/WindowData.h"

namespace plat::painter {

void Invalidate(WindowData& data, const Rect* rect, bool erase);
// Runs pending repaints of every shown top-level window; true if any ran.
bool PaintPending();
// Runs the pending repaints of one window and its children now.
void PaintNow(HWND hwnd);
// A context on the window's client area in its top-level's back buffer,
// which is marked as drawn. Draws nothing when the window or a parent
// control is hidden.
DeviceContext ContextFor(const WindowData& data);
// True when the window and every parent up to the top-level are visible.
bool IsShowing(const WindowData& data);

}
