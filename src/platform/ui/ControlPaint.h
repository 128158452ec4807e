#pragma once

// Internal: the look of the standard controls: push buttons, check boxes
// and static texts and icons, on the dialog face colour.

#include "platform/gfx/DeviceContext.h"
#include "platform/ui/WindowData.h"

#include <string>
#include <string_view>

namespace plat::defproc {

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

// The dotted focus rectangle just inside `r`.
void DrawFocusRect(DeviceContext& dc, Rect r);

// "&x" shows x (the mnemonic is not underlined here), "&&" shows "&".
std::string StripPrefix(std::string_view text);

}
