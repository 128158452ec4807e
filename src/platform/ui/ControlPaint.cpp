#include "platform/ui/ControlPaint.h"

#include "platform/ui/DialogKeys.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/TextWrap.h"

#include <algorithm>

namespace plat::defproc {

namespace {

Rect ClientRect(const WindowData& data)
{
    Size size = windows::ClientSize(data);
    return { 0, 0, size.cx, size.cy };
}

int LineCount(std::string_view text)
{
    int lines = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        if (text[i] == '\n' || text[i] == '\r')
            ++lines;
    }
    return lines;
}

}

std::string StripPrefix(std::string_view text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i;
        }
        result += text[i];
    }
    return result;
}

Font DialogFont(WindowData& data)
{
    WindowData* top = windows::TopLevelOf(data);
    return top ? top->AsTopLevel()->font : Font();
}

void PrepareBackground(WindowData& control, DeviceContext& dc, unsigned kind)
{
    dc.SetBkColor(kFace);
    dc.SetTextColor(control.enabled ? RGB(0, 0, 0) : RGB(109, 109, 109));
    CtlColorRequest request { control.object, kind };
    auto* brush = reinterpret_cast<const Brush*>(
        windows::Send(control.parent, WM_CTLCOLOR, reinterpret_cast<WPARAM>(&dc), reinterpret_cast<LPARAM>(&request)));
    if (brush && !brush->IsNull())
        dc.FillRect(ClientRect(control), *brush);
    else
        dc.FillSolidRect(ClientRect(control), kFace);
}

void DrawFocusRect(DeviceContext& dc, Rect r)
{
    // Every other pixel along the edges, starting at the top-left corner.
    auto dot = [&](int x, int y) {
        if ((x - r.left + y - r.top) % 2 == 0)
            dc.SetPixel(x, y, RGB(0, 0, 0));
    };
    for (int x = r.left; x < r.right; ++x) {
        dot(x, r.top);
        dot(x, r.bottom - 1);
    }
    for (int y = r.top; y < r.bottom; ++y) {
        dot(r.left, y);
        dot(r.right - 1, y);
    }
}

void PaintPushButton(WindowData& data, const ButtonState& button, DeviceContext& dc)
{
    Rect r = ClientRect(data);
    bool disabled = !data.enabled;
    COLORREF border = disabled ? RGB(191, 191, 191)
        : button.pressed       ? RGB(0, 84, 153)
        : button.defaultButton ? RGB(0, 120, 215)
                               : RGB(173, 173, 173);
    COLORREF face = disabled ? RGB(204, 204, 204) : button.pressed ? RGB(204, 228, 247)
                                                                   : RGB(225, 225, 225);
    dc.FillSolidRect(r, border);
    dc.FillSolidRect({ r.left + 1, r.top + 1, r.right - 1, r.bottom - 1 }, face);

    dc.SelectObject(DialogFont(data));
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(disabled ? RGB(131, 131, 131) : RGB(0, 0, 0));
    std::string text = button.noPrefix ? data.text : StripPrefix(data.text);
    if (ShowsFocus(data))
        DrawFocusRect(dc, { r.left + 3, r.top + 3, r.right - 3, r.bottom - 3 });
    int shift = button.pressed ? 1 : 0;
    int lines = LineCount(text);
    if (lines == 1) {
        dc.DrawText(text, { r.left + 2 + shift, r.top + shift, r.right - 2 + shift, r.bottom + shift }, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    int height = lines * dc.GetTextMetrics().height;
    int top = r.top + (r.Height() - height) / 2 + shift;
    dc.DrawText(text, { r.left + 2 + shift, top, r.right - 2 + shift, top + height }, DT_CENTER);
}

void PaintCheckBox(WindowData& data, const ButtonState& button, DeviceContext& dc)
{
    PrepareBackground(data, dc, CTLCOLOR_STATIC);
    Rect r = ClientRect(data);
    constexpr int kBox = 13;
    int top = (r.Height() - kBox) / 2;
    Rect box { 0, top, kBox, top + kBox };
    COLORREF ink = data.enabled ? RGB(51, 51, 51) : RGB(188, 188, 188);
    dc.FillSolidRect(box, ink);
    COLORREF inside = !data.enabled ? RGB(230, 230, 230) : button.pressed ? RGB(204, 228, 247)
                                                                          : RGB(255, 255, 255);
    dc.FillSolidRect({ box.left + 1, box.top + 1, box.right - 1, box.bottom - 1 }, inside);
    if (button.check) {
        Pen pen(PS_SOLID, 1, ink);
        Pen old = dc.SelectObject(pen);
        for (int dy = 0; dy < 2; ++dy) {
            dc.MoveTo(box.left + 3, box.top + 6 + dy);
            dc.LineTo(box.left + 5, box.top + 8 + dy);
            dc.LineTo(box.left + 10, box.top + 3 + dy);
        }
        dc.SelectObject(old);
    }
    dc.SelectObject(DialogFont(data));
    std::string text = button.noPrefix ? data.text : StripPrefix(data.text);
    dc.DrawText(text, { kBox + 3, r.top, r.right, r.bottom }, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    if (ShowsFocus(data)) {
        // Round the text, one pixel out, inside the control.
        Size extent = dc.GetTextExtent(text);
        int textTop = (r.Height() - extent.cy) / 2;
        DrawFocusRect(dc, { kBox + 2, std::max(textTop - 1, 0), std::min(kBox + 4 + extent.cx, r.right), std::min(textTop + extent.cy + 1, r.bottom) });
    }
}

void PaintStatic(WindowData& data, const StaticState& label, DeviceContext& dc)
{
    PrepareBackground(data, dc, CTLCOLOR_STATIC);
    Rect r = ClientRect(data);
    if (label.icon) {
        if (!label.icon->IsNull())
            dc.DrawIconEx(0, 0, *label.icon, kIconSize, kIconSize);
        return;
    }
    if (label.sunken) {
        dc.FillSolidRect({ r.left, r.top, r.right, r.top + 1 }, RGB(160, 160, 160));
        dc.FillSolidRect({ r.left, r.top, r.left + 1, r.bottom }, RGB(160, 160, 160));
        dc.FillSolidRect({ r.left, r.bottom - 1, r.right, r.bottom }, RGB(255, 255, 255));
        dc.FillSolidRect({ r.right - 1, r.top, r.right, r.bottom }, RGB(255, 255, 255));
        r = { r.left + 1, r.top + 1, r.right - 1, r.bottom - 1 };
    }
    dc.SelectObject(DialogFont(data));
    std::string text = label.noPrefix ? data.text : StripPrefix(data.text);
    int lineHeight = std::max(dc.GetTextMetrics().height, 1);
    int y = r.top;
    for (const std::string& line : WrapText(dc, text, r.Width())) {
        if (y >= r.bottom)
            break;
        dc.DrawText(line, { r.left, y, r.right, std::min(y + lineHeight, r.bottom) }, DT_LEFT | DT_SINGLELINE);
        y += lineHeight;
    }
}

}
