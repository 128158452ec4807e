#include "platform/ui/MenuPopup.h"

#include "platform/ui/ClientDC.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace plat {

namespace {

constexpr int kItemHeight = 22;
constexpr int kSeparatorHeight = 9;
constexpr int kTextLeft = 28;
constexpr int kMinWidth = 140;

Font MenuFont()
{
    Font font;
    font.CreateFont(12, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
        DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
    return font;
}

// The key of an item's mnemonic: the letter or digit after a single "&",
// upper-cased as virtual keys are; 0 when it has none.
unsigned Mnemonic(std::string_view text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        unsigned char c = static_cast<unsigned char>(text[i + 1]);
        if (c == '&') {
            ++i;
            continue;
        }
        if (c >= 'a' && c <= 'z')
            return c - 'a' + 'A';
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
        return 0;
    }
    return 0;
}

int PopupWidth(const Menu& menu)
{
    DeviceContext dc;
    dc.SelectObject(MenuFont());
    int widest = 0;
    for (const Menu::Item& item : menu.Items()) {
        std::string text = defproc::StripPrefix(item.text);
        std::size_t tab = text.find('\t');
        int w = dc.GetTextExtent(text.substr(0, tab)).cx;
        if (tab != std::string::npos)
            w += 24 + dc.GetTextExtent(text.substr(tab + 1)).cx;
        widest = std::max(widest, w);
    }
    return std::max(kMinWidth, kTextLeft + widest + 24);
}

class PopupWnd : public Wnd {
public:
    PopupWnd(const Menu& menu, int width)
        : m_menu(menu)
        , m_width(width)
    {
    }

    bool done = false;
    unsigned chosen = 0;
    bool closeOwner = false; // Alt+F4: the menu goes and the window closes

    LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSEMOVE:
            SetHot(ItemAt(PointFromLParam(lParam)));
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            Choose(ItemAt(PointFromLParam(lParam)));
            return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            Key(static_cast<unsigned>(wParam), message == WM_SYSKEYDOWN);
            return 0;
        case WM_CANCELMODE:
            done = true;
            return 0;
        default:
            return 0;
        }
    }

private:
    int ItemAt(Point p) const
    {
        for (int i = 0; i < m_menu.GetMenuItemCount(); ++i) {
            Rect r = PopupItemRect(m_menu, i);
            r.right = m_width;
            if (r.Contains(p))
                return i;
        }
        return -1;
    }

    bool Selectable(int index) const
    {
        if (index < 0 || index >= m_menu.GetMenuItemCount())
            return false;
        unsigned flags = m_menu.Items()[index].flags;
        return !(flags & MF_SEPARATOR) && !(flags & MF_GRAYED);
    }

    void Key(unsigned key, bool alt)
    {
        if (key == VK_ESCAPE)
            done = true;
        else if (key == VK_RETURN)
            Choose(m_hot);
        else if (key == VK_DOWN || key == VK_UP)
            MoveHot(key == VK_DOWN ? 1 : -1);
        else if (key == VK_F4 && alt)
            closeOwner = done = true;
        else
            ChooseMnemonic(key);
    }

    // The next selectable item from the highlighted one, wrapping round;
    // with none highlighted, the first or the last.
    void MoveHot(int step)
    {
        int count = m_menu.GetMenuItemCount();
        int index = m_hot >= 0 ? m_hot : (step > 0 ? -1 : count);
        for (int n = 0; n < count; ++n) {
            index = ((index + step) % count + count) % count;
            if (Selectable(index)) {
                SetHot(index);
                return;
            }
        }
    }

    // One selectable item with this mnemonic is chosen; several take the
    // highlight in turn, for Enter to choose.
    void ChooseMnemonic(unsigned key)
    {
        if (key == 0)
            return;
        std::vector<int> matches;
        for (int i = 0; i < m_menu.GetMenuItemCount(); ++i)
            if (Selectable(i) && Mnemonic(m_menu.Items()[i].text) == key)
                matches.push_back(i);
        if (matches.size() == 1) {
            Choose(matches[0]);
            return;
        }
        if (matches.empty())
            return;
        auto next = std::upper_bound(matches.begin(), matches.end(), m_hot);
        SetHot(next == matches.end() ? matches.front() : *next);
    }

    void SetHot(int index)
    {
        if (!Selectable(index))
            index = -1;
        if (index == m_hot)
            return;
        m_hot = index;
        Invalidate(false);
    }

    void Choose(int index)
    {
        if (!Selectable(index))
            return;
        chosen = m_menu.Items()[index].id;
        done = true;
    }

    void Paint()
    {
        PaintDC dc(this);
        Rect client;
        GetClientRect(&client);
        dc.FillSolidRect(client, RGB(204, 204, 204));
        dc.FillSolidRect({ 1, 1, client.right - 1, client.bottom - 1 }, RGB(242, 242, 242));
        dc.SelectObject(MenuFont());
        dc.SetBkMode(TRANSPARENT);
        for (int i = 0; i < m_menu.GetMenuItemCount(); ++i) {
            const Menu::Item& item = m_menu.Items()[i];
            Rect r = PopupItemRect(m_menu, i);
            r.right = client.right - 2;
            if (item.flags & MF_SEPARATOR) {
                int y = r.top + kSeparatorHeight / 2;
                dc.FillSolidRect({ kTextLeft, y, r.right - 2, y + 1 }, RGB(215, 215, 215));
                continue;
            }
            if (i == m_hot)
                dc.FillSolidRect(r, RGB(145, 201, 247));
            dc.SetTextColor(item.flags & MF_GRAYED ? RGB(109, 109, 109) : RGB(0, 0, 0));
            // The label underlines its mnemonic; the shortcut text is plain.
            std::size_t tab = item.text.find('\t');
            dc.DrawText(item.text.substr(0, tab), { kTextLeft, r.top, r.right, r.bottom }, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
            if (tab != std::string::npos)
                dc.DrawText(item.text.substr(tab + 1), { kTextLeft, r.top, r.right - 10, r.bottom },
                    DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    const Menu& m_menu;
    int m_width = 0;
    int m_hot = -1;
};

}

Rect PopupItemRect(const Menu& menu, int index)
{
    int y = 2;
    for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
        int h = (menu.Items()[i].flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
        if (i == index)
            return { 2, y, 2 + PopupWidth(menu) - 4, y + h };
        y += h;
    }
    return {};
}

unsigned TrackPopupMenu(const Menu& menu, Point screen, HWND owner)
{
    if (menu.GetMenuItemCount() == 0 || !InitUi())
        return 0;
    int width = PopupWidth(menu);
    Rect last = PopupItemRect(menu, menu.GetMenuItemCount() - 1);
    int height = last.bottom + 2;

    PopupWnd popup(menu, width);
    WindowData& data = windows::Create(WindowKind::Popup, &popup, 0);
    data.owner = owner;
    data.rect = { screen.x, screen.y, screen.x + width, screen.y + height };
    std::unique_ptr<NativeWindow>& native = data.AsTopLevel()->native;
    native = std::make_unique<NativeWindow>("", data.rect, WindowFrame::None, WindowRole::Menu);
    if (!native->IsValid()) {
        popup.DestroyWindow();
        return 0;
    }
    HWND previousMenu = input::MenuWindow();
    input::SetMenuWindow(popup.m_hWnd);
    popup.ShowWindow(SW_SHOW);
    RunMessageLoop(popup.done);
    input::SetMenuWindow(previousMenu);
    popup.DestroyWindow();
    if (WindowData* o = windows::Find(owner); o && o->Native())
        o->Native()->Activate();
    if (popup.closeOwner)
        windows::Send(owner, WM_SYSKEYDOWN, VK_F4, MAKELPARAM(1, 0x2000));
    return popup.chosen;
}

}

namespace plat::defproc {

void TrackSystemMenu(WindowData& top, Point screen)
{
    HWND hwnd = top.handle;
    Wnd* wnd = top.object;
    Menu* menu = wnd ? wnd->GetSystemMenu(false) : nullptr;
    if (!menu)
        return;
    menu->EnableMenuItem(SC_RESTORE, wnd->IsIconic());
    unsigned id = TrackPopupMenu(*menu, screen, hwnd);
    if (id != 0)
        windows::Send(hwnd, WM_SYSCOMMAND, id, MAKELPARAM(screen.x, screen.y));
}

}
