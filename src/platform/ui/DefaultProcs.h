#pragma once

// Internal: the default processing of each kind of window.

#include "platform/ui/WindowData.h"

namespace plat::defproc {

LRESULT Run(Wnd& wnd, unsigned message, WPARAM wParam, LPARAM lParam);

// Each kind's own, handed the state of that kind.
LRESULT Dialog(Wnd& wnd, WindowData& data, TopLevelState& top, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT Button(Wnd& wnd, WindowData& data, ButtonState& button, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT Static(Wnd& wnd, WindowData& data, const StaticState& label, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT WebHost(Wnd& wnd, WindowData& data, const WebHostState& host, unsigned message, WPARAM wParam, LPARAM lParam);

}
