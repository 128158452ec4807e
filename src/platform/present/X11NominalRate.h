#pragma once

// Internal: the rate XRandR claims for the output under a window's centre.

#include "platform/present/NominalRate.h"

#include <xcb/xcb.h>

namespace plat::present {

NominalRate X11NominalRate(xcb_connection_t* c, xcb_window_t window);

}
