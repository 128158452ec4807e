#pragma once

// Internal: the default processing of each kind of window, and the
// drawing of the standard controls.

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/WindowData.h"

namespace plat::defproc {

LRESULT Run(Wnd& wnd, unsigned message, WPARAM wParam, LPARAM lParam);

LRESULT Dialog(Wnd& wnd, WindowData& data, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT Button(Wnd& wnd, WindowData& data, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT Static(Wnd& wnd, WindowData& data, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT WebHost(Wnd& wnd, WindowData& data, unsigned message, WPARAM wParam, LPARAM lParam);

// The dialog face colour, behind every control that is not told otherwise.
constexpr COLORREF kFace = RGB(240, 240, 240);

// Asks the parent of `control` for its colours (WM_CTLCOLOR) and fills the
// control's client area with the brush it returns, or the face colour.
void PrepareBackground(WindowData& control, DeviceContext& dc, unsigned kind);
// The font of the control's dialog.
Font DialogFont(WindowData& data);

void PaintPushButton(WindowData& data, DeviceContext& dc);
void PaintCheckBox(WindowData& data, DeviceContext& dc);
void PaintStatic(WindowData& data, DeviceContext& dc);

// "&x" shows x (the mnemonic is not underlined here), "&&" shows "&".
std::string StripPrefix(std::string_view text);

// Opens the window menu of `top` at `screen` and sends the chosen command.
void TrackSystemMenu(WindowData& top, Point screen);

}
