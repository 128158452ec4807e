#pragma once

// Device contexts on a window's client area. Both draw straight into the
// back buffer of the window's top-level window, which is shown as soon as
// the current handler returns. On a hidden control they draw nothing.

#include "platform/gfx/DeviceContext.h"

namespace plat {

class Wnd;

class ClientDC : public DeviceContext {
public:
    explicit ClientDC(Wnd* wnd);
};

// The context of a paint handler (the pending repaint has already been
// taken by the time the paint message arrives).
class PaintDC : public DeviceContext {
public:
    explicit PaintDC(Wnd* wnd);
};

}
