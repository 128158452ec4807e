#pragma once

// Internal: the dialog manager's keyboard and the focus of a dialog's controls.

#include "platform/ui/WindowData.h"

namespace plat::defproc {

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

}
