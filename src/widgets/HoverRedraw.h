#pragma once

// What the owner-drawn widgets share: a repaint through an off-screen bitmap
// of the control's size, and the hover timer that notices the cursor leaving
// without a leave notice. Each widget keeps its own handlers and calls these.

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/Wnd.h"

#include <cstdint>
#include <functional>

namespace widgets {

using PaintFunction = std::function<void(plat::DeviceContext&, const plat::Rect&)>;

// Paints the whole client area of `control` into a memory bitmap, then copies
// it to the window in one BitBlt, so a repaint never shows half a picture.
// 1 when the control has no window (nothing drawn), else 0.
int RedrawThroughBuffer(plat::Wnd& control, const PaintFunction& paint);

// A mouse move: stops the hover timer, runs `update` (the widget's hover
// update and repaint), and starts the timer again, so ticks go on only while
// the cursor keeps moving over the control or has just left it.
void RestartHoverTimer(plat::Wnd& control, const std::function<void()>& update);

// A timer tick. False when `id` is not the hover timer (the caller passes it
// on); otherwise runs `stillInside` and stops the timer once it says false.
bool HandleHoverTick(plat::Wnd& control, std::uintptr_t id, const std::function<bool()>& stillInside);

}
