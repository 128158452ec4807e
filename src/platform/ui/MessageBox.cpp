#include "platform/ui/MessageBox.h"

#include "platform/ui/Dialog.h"

#include "platform/fs/Process.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/intl/Translate.h"
#include "platform/ui/TextWrap.h"

#include <algorithm>

namespace plat {

namespace {

// The executable's file name without its extension ("lv" for lv.exe), the
// name the application object takes when it is given none.
std::string NameFromExecutable()
{
    std::string path = GetModuleFileName();
    std::string name = path.substr(path.find_last_of('\\') + 1);
    std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0)
        name.resize(dot);
    return name;
}

// Longer lines wrap and further lines are cut off, so that any text, however
// long, gives a box that fits on a screen.
constexpr int kMaxTextPixels = 600;
constexpr int kMaxLines = 40;

// Pixels of the 9-point template font to dialog units, rounded up.
int ToUnitsX(int px) { return (px * 4 + 5) / 6; }
int ToUnitsY(int px) { return (px * 8 + 11) / 12; }

DialogTemplate BuildTemplate(std::string_view text, std::string_view other)
{
    DialogTemplate t;
    t.title = GetAppName();
    t.caption = true;
    t.sysMenu = true;
    t.visible = true;

    Font font;
    font.CreateFont(t.FontPixels(), 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH, t.fontFace);
    DeviceContext dc;
    dc.SelectObject(font);
    int lines = 0;
    int widest = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t nl = text.find('\n', start);
        std::string_view line = text.substr(start, nl == std::string_view::npos ? std::string_view::npos : nl - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        widest = std::max(widest, dc.GetTextExtent(line).cx);
        ++lines;
        if (nl == std::string_view::npos)
            break;
        start = nl + 1;
    }
    if (widest > kMaxTextPixels) {
        lines = static_cast<int>(WrapText(dc, text, kMaxTextPixels).size());
        widest = kMaxTextPixels;
    }
    lines = std::min(lines, kMaxLines);
    int lineHeight = std::max(dc.GetTextMetrics().height, t.FontPixels());
    int textW = ToUnitsX(widest) + 2;
    int textH = ToUnitsY(lines * lineHeight);
    constexpr int kButtonW = 50;
    constexpr int kButtonH = 14;
    constexpr int kButtonGap = 8;
    int buttonsW = other.empty() ? kButtonW : 2 * kButtonW + kButtonGap;
    int width = std::max({ textW + 28, 120, buttonsW + 28 });

    ControlTemplate label;
    label.kind = ControlKind::Static;
    label.units = { 14, 12, 14 + textW, 12 + textH };
    label.text = std::string(text);
    label.noPrefix = true;
    ControlTemplate ok;
    ok.id = IDOK;
    ok.kind = ControlKind::Button;
    ok.defaultButton = true;
    ok.tabStop = true;
    ok.text = Translate("确定");
    int buttonTop = 12 + textH + 12;
    // OK comes first among the controls so that it has the focus (and Enter
    // gives it) although the second button stands before it.
    int left = (width - buttonsW) / 2;
    int okLeft = other.empty() ? left : left + kButtonW + kButtonGap;
    ok.units = { okLeft, buttonTop, okLeft + kButtonW, buttonTop + kButtonH };
    t.controls = { label, ok };
    if (!other.empty()) {
        ControlTemplate second;
        second.id = IDYES;
        second.kind = ControlKind::Button;
        second.tabStop = true;
        second.text = std::string(other);
        second.units = { left, buttonTop, left + kButtonW, buttonTop + kButtonH };
        t.controls.push_back(second);
    }
    t.units = { width, buttonTop + kButtonH + 8 };
    return t;
}

class MessageBoxDialog : public Dialog {
public:
    MessageBoxDialog(std::string_view text, std::string_view other, Wnd* owner)
        : Dialog(BuildTemplate(text, other), owner)
    {
    }

    void OnOther() { EndDialog(IDYES); }

    LV_DECLARE_MESSAGE_MAP()
};

LV_BEGIN_MESSAGE_MAP(MessageBoxDialog, Dialog)
    LV_ON_COMMAND(IDYES, OnOther)
LV_END_MESSAGE_MAP()

}

int MessageBox(std::string_view text, unsigned, Wnd* owner)
{
    MessageBoxDialog box(text, {}, owner);
    std::intptr_t result = box.DoModal();
    return result < 0 ? -1 : IDOK;
}

int MessageBoxWithButton(std::string_view text, std::string_view other, Wnd* owner)
{
    MessageBoxDialog box(text, other, owner);
    std::intptr_t result = box.DoModal();
    if (result < 0)
        return -1;
    return result == IDYES ? IDYES : IDOK;
}

std::string GetAppName()
{
    static const std::string name = NameFromExecutable();
    return name;
}

}
