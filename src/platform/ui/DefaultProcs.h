#pragma once

// Internal: the default processing of each kind of window, and the
// drawing of the standard controls.

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/WindowData.h"

namespace plat::defproc {

LRESULT Run(Wnd& wnd, unsigned message, WPARAM wParam, LPARAM lParam);

// Each kind's own, handed the state of that kind.
LRESULT Dialog(Wnd& wnd, WindowData& data, TopLevelState& top, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT Button(Wnd& wnd, WindowData& data, ButtonState& button, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT Static(Wnd& wnd, WindowData& data, const StaticState& label, unsigned message, WPARAM wParam, LPARAM lParam);
LRESULT WebHost(Wnd& wnd, WindowData& data, const WebHostState& host, unsigned message, WPARAM wParam, LPARAM lParam);

// The dialog face colour, behind every control that is not told otherwise.
constexpr COLORREF kFace = RGB(240, 240, 240);

// Asks the parent of `control` for its colours (WM_CTLCOLOR) and fills the
// control's client area with the brush it returns, or the face colour.
void PrepareBackground(WindowData& control, DeviceContext& dc, unsigned kind);
// The font of the control's dialog.
Font DialogFont(WindowData& data);

void PaintPushButton(WindowData& data, const ButtonState& button, DeviceContext& dc);
void PaintCheckBox(WindowData& data, const ButtonState& button, DeviceContext& dc);
void PaintStatic(WindowData& data, const StaticState& label, DeviceContext& dc);

// "&x" shows x (the mnemonic is not underlined here), "&&" shows "&".
std::string StripPrefix(std::string_view text);

// The dialog manager's keyboard. Tab and Shift+Tab move the focus over the
// visible, enabled controls with a tab stop in template order, the arrows
// within the focused control's group; Space pushes the focused button in
// and clicks it on release; Enter clicks the focused push button, else the
// default button, else sends IDOK; Escape sends IDCANCEL. False for other keys.
bool DialogKey(WindowData& dialog, unsigned message, unsigned key);
// After initialisation: the first tab stop takes the focus, without the
// focus rectangle until the keyboard moves it.
void FocusFirstTabStop(WindowData& dialog);
// Gives `control` the focus of its dialog (a press of the mouse does).
void SetFocus(WindowData& control);
// The control with the focus of `dialog`, while it can take it; or null.
WindowData* FocusedControl(WindowData& dialog);
// Whether `control` has the focus and its dialog shows the focus rectangle.
bool ShowsFocus(const WindowData& control);
// The dotted focus rectangle just inside `r`.
void DrawFocusRect(DeviceContext& dc, Rect r);

// Opens the window menu of `top` at `screen` and sends the chosen command.
void TrackSystemMenu(WindowData& top, Point screen);

}
