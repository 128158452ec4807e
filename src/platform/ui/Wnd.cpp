#include "platform/ui/Wnd.h"

#include "platform/ui/DefaultProcs.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MonitorBounds.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WindowData.h"

#include <SDL.h>

#include <algorithm>

namespace plat {

Wnd::~Wnd()
{
    WindowData* data = windows::Find(this);
    if (!data)
        return;
    // The derived parts are gone: the window ends without messages to us.
    data->object = nullptr;
    windows::Destroy(data->handle);
}

bool Wnd::IsWindow() const
{
    return windows::Find(this) != nullptr;
}

Wnd* Wnd::FromHandle(HWND hwnd)
{
    WindowData* data = windows::Find(hwnd);
    return data ? data->object : nullptr;
}

bool Wnd::DestroyWindow()
{
    WindowData* data = windows::Find(this);
    if (!data)
        return false;
    bool top = data->IsTopLevel();
    HWND parent = data->parent;
    Rect rect = data->rect;
    bool wasVisible = data->visible;
    windows::Destroy(data->handle);
    if (!top && wasVisible)
        if (WindowData* p = windows::Find(parent))
            painter::Invalidate(*p, &rect, true);
    return true;
}

LRESULT Wnd::SendMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    WindowData* data = windows::Find(this);
    return data ? windows::Send(data->handle, message, wParam, lParam) : 0;
}

bool Wnd::PostMessage(unsigned message, WPARAM wParam, LPARAM lParam)
{
    return loop::Post(m_hWnd, { message, wParam, lParam });
}

void Wnd::SetWindowText(std::string_view text)
{
    WindowData* data = windows::Find(this);
    if (!data)
        return;
    data->text = std::string(text);
    if (NativeWindow* native = data->Native())
        native->SetTitle(data->text);
    else
        painter::Invalidate(*data, nullptr, true);
}

std::string Wnd::GetWindowText() const
{
    WindowData* data = windows::Find(this);
    return data ? data->text : std::string();
}

bool Wnd::IsWindowVisible() const
{
    WindowData* data = windows::Find(this);
    return data && painter::IsShowing(*data) && data->visible;
}

bool Wnd::EnableWindow(bool enable)
{
    WindowData* data = windows::Find(this);
    if (!data)
        return false;
    bool wasDisabled = !data->enabled;
    if (data->enabled == enable)
        return wasDisabled;
    data->enabled = enable;
    if (!enable && input::CaptureWindow() == data->handle)
        ReleaseCapture();
    if (!data->IsTopLevel())
        painter::Invalidate(*data, nullptr, true);
    return wasDisabled;
}

bool Wnd::IsWindowEnabled() const
{
    WindowData* data = windows::Find(this);
    return data && data->enabled;
}

int Wnd::GetDlgCtrlID() const
{
    WindowData* data = windows::Find(this);
    return data ? data->id : 0;
}

Wnd* Wnd::GetDlgItem(int id) const
{
    WindowData* data = windows::Find(this);
    WindowData* child = data ? windows::ChildById(*data, id) : nullptr;
    return child ? child->object : nullptr;
}

Wnd* Wnd::GetParent() const
{
    WindowData* data = windows::Find(this);
    if (!data)
        return nullptr;
    return FromHandle(data->IsTopLevel() ? data->owner : data->parent);
}

Wnd* Wnd::GetOwner() const
{
    WindowData* data = windows::Find(this);
    return data ? FromHandle(data->owner) : nullptr;
}

unsigned Wnd::IsDlgButtonChecked(int id) const
{
    WindowData* data = windows::Find(this);
    WindowData* child = data ? windows::ChildById(*data, id) : nullptr;
    const ButtonState* button = child ? child->AsButton() : nullptr;
    return button ? static_cast<unsigned>(button->check) : 0;
}

void Wnd::CheckDlgButton(int id, unsigned check)
{
    WindowData* data = windows::Find(this);
    WindowData* child = data ? windows::ChildById(*data, id) : nullptr;
    ButtonState* button = child ? child->AsButton() : nullptr;
    if (!button || button->check == static_cast<int>(check))
        return;
    button->check = static_cast<int>(check);
    painter::Invalidate(*child, nullptr, true);
}

void Wnd::SetDlgItemText(int id, std::string_view text)
{
    if (Wnd* item = GetDlgItem(id))
        item->SetWindowText(text);
}

std::string Wnd::GetDlgItemText(int id) const
{
    Wnd* item = GetDlgItem(id);
    return item ? item->GetWindowText() : std::string();
}

void Wnd::InvalidateRect(const Rect* rect, bool erase)
{
    if (WindowData* data = windows::Find(this))
        painter::Invalidate(*data, rect, erase);
}

void Wnd::UpdateWindow()
{
    if (WindowData* data = windows::Find(this))
        painter::PaintNow(data->handle);
}

const MessageMap* Wnd::GetThisMessageMap()
{
    static const MessageEntry kEntries[] = { { 0, 0, 0, nullptr } };
    static const MessageMap kMap { nullptr, kEntries };
    return &kMap;
}

bool Wnd::OnWndMsg(unsigned message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->base ? map->base() : nullptr) {
        for (const MessageEntry* e = map->entries; e->thunk; ++e) {
            if (e->message != message)
                continue;
            if (message == WM_COMMAND && (e->code != HIWORD(wParam) || e->id != static_cast<int>(LOWORD(wParam))))
                continue;
            *result = e->thunk(*this, wParam, lParam);
            return true;
        }
    }
    return false;
}

LRESULT Wnd::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnWndMsg(message, wParam, lParam, &result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT Wnd::DefWindowProc(unsigned message, WPARAM wParam, LPARAM lParam)
{
    return defproc::Run(*this, message, wParam, lParam);
}

LRESULT Wnd::Default()
{
    const Message* m = windows::CurrentMessage(*this);
    return m ? DefWindowProc(m->id, m->wParam, m->lParam) : 0;
}

void Wnd::OnMouseMove(unsigned, Point) { Default(); }
void Wnd::OnLButtonDown(unsigned, Point) { Default(); }
void Wnd::OnLButtonUp(unsigned, Point) { Default(); }
void Wnd::OnRButtonDown(unsigned, Point) { Default(); }
void Wnd::OnRButtonUp(unsigned, Point) { Default(); }
bool Wnd::OnEraseBkgnd(DeviceContext*) { return Default() != 0; }
void Wnd::OnPaint() { Default(); }
void Wnd::OnTimer(std::uintptr_t) { Default(); }
void Wnd::OnSysCommand(unsigned, LPARAM) { Default(); }
const Brush* Wnd::OnCtlColor(DeviceContext*, Wnd*, unsigned) { return reinterpret_cast<const Brush*>(Default()); }
void Wnd::OnDrawItem(int, DrawItemStruct*) { Default(); }
const Icon* Wnd::OnQueryDragIcon() { return reinterpret_cast<const Icon*>(Default()); }
void Wnd::OnKeyDown(unsigned, unsigned, unsigned) { Default(); }
void Wnd::OnChar(unsigned, unsigned, unsigned) { Default(); }
void Wnd::OnClose() { Default(); }
void Wnd::OnDestroy() { Default(); }

bool IsWindow(HWND hwnd)
{
    return windows::Find(hwnd) != nullptr;
}

bool GetCursorPos(Point* point)
{
    if (!point)
        return false;
    *point = input::CursorPos();
    return true;
}

// Placement: frame and client rectangles, moving, centring, z-order.

namespace {

class DesktopWnd : public Wnd { };

Rect ClientOnScreen(const WindowData& data)
{
    Point origin = windows::ClientOriginOnScreen(data);
    Size size = windows::ClientSize(data);
    return { origin.x, origin.y, origin.x + size.cx, origin.y + size.cy };
}

// Puts a top-level window's frame at `frame` and its SDL window to match.
void PlaceTopLevel(WindowData& data, Rect frame)
{
    Size oldSize = windows::ClientSize(data);
    data.rect = frame;
    if (NativeWindow* native = data.Native())
        native->SetClientRect(ClientOnScreen(data));
    if (windows::ClientSize(data) != oldSize)
        painter::Invalidate(data, nullptr, true);
}

void PlaceChild(WindowData& data, Rect rect, bool repaint)
{
    Rect old = data.rect;
    data.rect = rect;
    if (!repaint || !data.visible)
        return;
    if (WindowData* parent = windows::Find(data.parent))
        painter::Invalidate(*parent, &old, true);
    painter::Invalidate(data, nullptr, true);
}

}

Wnd* Wnd::GetDesktopWindow()
{
    // Never destroyed: it must outlive every window that asks for it.
    static DesktopWnd* desktop = new DesktopWnd;
    if (!desktop->IsWindow()) {
        WindowData& data = windows::Create(WindowKind::Dialog, desktop, 0);
        data.AsTopLevel()->desktop = true;
        data.visible = true;
    }
    return desktop;
}

void Wnd::MoveWindow(int x, int y, int width, int height, bool repaint)
{
    WindowData* data = windows::Find(this);
    if (!data || data->IsDesktop())
        return;
    Rect rect { x, y, x + std::max(width, 0), y + std::max(height, 0) };
    if (data->IsTopLevel())
        PlaceTopLevel(*data, rect);
    else
        PlaceChild(*data, rect, repaint);
}

void Wnd::MoveWindow(const Rect& rect, bool repaint)
{
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), repaint);
}

void Wnd::CenterWindow(Wnd* alternateOwner)
{
    WindowData* data = windows::Find(this);
    if (!data || data->IsDesktop())
        return;
    Rect area;
    if (data->IsTopLevel()) {
        WindowData* ref = windows::Find(alternateOwner);
        if (!ref)
            ref = windows::Find(data->owner);
        if (ref && ref->visible && ref->Native() && !Wnd::FromHandle(ref->handle)->IsIconic())
            ref->object->GetWindowRect(&area);
        else
            area = monitors::Primary();
    } else if (WindowData* parent = windows::Find(data->parent)) {
        Size size = windows::ClientSize(*parent);
        area = { 0, 0, size.cx, size.cy };
    }
    int w = data->rect.Width();
    int h = data->rect.Height();
    int x = area.left + (area.Width() - w) / 2;
    int y = area.top + (area.Height() - h) / 2;
    if (data->IsTopLevel()) {
        // Keep the caption on the screen.
        Rect screen = monitors::Primary();
        x = std::max(screen.left, std::min(x, screen.right - w));
        y = std::max(screen.top, std::min(y, screen.bottom - h));
    }
    MoveWindow(x, y, w, h, true);
}

bool Wnd::SetWindowPos(InsertAfter after, int x, int y, int cx, int cy, unsigned flags)
{
    WindowData* data = windows::Find(this);
    if (!data || data->IsDesktop())
        return false;
    Rect rect = data->rect;
    if (!(flags & SWP_NOMOVE))
        rect = { x, y, x + rect.Width(), y + rect.Height() };
    if (!(flags & SWP_NOSIZE))
        rect.right = rect.left + std::max(cx, 0), rect.bottom = rect.top + std::max(cy, 0);
    if (TopLevelState* top = data->AsTopLevel()) {
        PlaceTopLevel(*data, rect);
        if (!(flags & SWP_NOZORDER) && after != InsertAfter::Top) {
            top->topMost = after == InsertAfter::TopMost;
            if (top->native)
                top->native->SetTopMost(top->topMost);
        }
        if (!(flags & SWP_NOZORDER) && top->native)
            top->native->Raise();
    } else {
        PlaceChild(*data, rect, true);
    }
    if (flags & SWP_FRAMECHANGED)
        painter::Invalidate(*data, nullptr, true);
    if (flags & SWP_SHOWWINDOW)
        ShowWindow(SW_SHOW);
    return true;
}

void Wnd::GetWindowRect(Rect* rect) const
{
    if (!rect)
        return;
    WindowData* data = windows::Find(this);
    if (!data) {
        *rect = {};
        return;
    }
    if (data->IsDesktop()) {
        data->rect = monitors::Primary();
        *rect = data->rect;
        return;
    }
    if (data->IsTopLevel()) {
        *rect = data->rect;
        return;
    }
    *rect = ClientOnScreen(*data);
}

void Wnd::GetClientRect(Rect* rect) const
{
    if (!rect)
        return;
    WindowData* data = windows::Find(this);
    if (!data) {
        *rect = {};
        return;
    }
    if (data->IsDesktop())
        data->rect = monitors::Primary();
    Size size = windows::ClientSize(*data);
    *rect = { 0, 0, size.cx, size.cy };
}

void Wnd::ScreenToClient(Point* point) const
{
    WindowData* data = windows::Find(this);
    if (!point || !data)
        return;
    Point origin = windows::ClientOriginOnScreen(*data);
    point->x -= origin.x;
    point->y -= origin.y;
}

void Wnd::ScreenToClient(Rect* rect) const
{
    if (!rect)
        return;
    Point a { rect->left, rect->top };
    Point b { rect->right, rect->bottom };
    ScreenToClient(&a);
    ScreenToClient(&b);
    *rect = { a.x, a.y, b.x, b.y };
}

void Wnd::ClientToScreen(Point* point) const
{
    WindowData* data = windows::Find(this);
    if (!point || !data)
        return;
    Point origin = windows::ClientOriginOnScreen(*data);
    point->x += origin.x;
    point->y += origin.y;
}

void Wnd::ClientToScreen(Rect* rect) const
{
    if (!rect)
        return;
    Point a { rect->left, rect->top };
    Point b { rect->right, rect->bottom };
    ClientToScreen(&a);
    ClientToScreen(&b);
    *rect = { a.x, a.y, b.x, b.y };
}

// Visibility, timers, mouse capture, the window menu and icons.

namespace {

bool HoldsCapture(const WindowData& data)
{
    WindowData* w = windows::Find(input::CaptureWindow());
    while (w) {
        if (w == &data)
            return true;
        w = windows::Find(w->parent);
    }
    return false;
}

}

bool Wnd::ShowWindow(int command)
{
    WindowData* data = windows::Find(this);
    if (!data || data->IsDesktop())
        return false;
    bool wasVisible = data->visible;
    switch (command) {
    case SW_HIDE:
        if (!wasVisible)
            break;
        if (HoldsCapture(*data))
            ReleaseCapture();
        data->visible = false;
        if (NativeWindow* native = data->Native()) {
            native->Show(false);
        } else if (WindowData* parent = windows::Find(data->parent)) {
            painter::Invalidate(*parent, &data->rect, true);
        }
        break;
    case SW_MINIMIZE:
        if (NativeWindow* native = data->Native())
            native->Minimize();
        break;
    case SW_RESTORE:
        if (NativeWindow* native = data->Native())
            native->Restore();
        [[fallthrough]];
    default:
        if (wasVisible)
            break;
        data->visible = true;
        if (TopLevelState* top = data->AsTopLevel(); top && top->native) {
            top->native->SetIcon(top->bigIcon ? top->bigIcon : top->smallIcon);
            top->native->Show(true);
        }
        painter::Invalidate(*data, nullptr, true);
        break;
    }
    return wasVisible;
}

bool Wnd::IsIconic() const
{
    WindowData* data = windows::Find(this);
    NativeWindow* native = data ? data->Native() : nullptr;
    if (!native || !native->Window())
        return false;
    return (SDL_GetWindowFlags(native->Window()) & SDL_WINDOW_MINIMIZED) != 0;
}

std::uintptr_t Wnd::SetTimer(std::uintptr_t id, unsigned elapseMs)
{
    WindowData* data = windows::Find(this);
    if (!data || id == 0 || !InitUi())
        return 0;
    return timers::Set(data->handle, id, elapseMs) ? id : 0;
}

bool Wnd::KillTimer(std::uintptr_t id)
{
    WindowData* data = windows::Find(this);
    return data && timers::Kill(data->handle, id);
}

Wnd* Wnd::SetCapture()
{
    WindowData* data = windows::Find(this);
    if (!data)
        return nullptr;
    HWND previous = input::CaptureWindow();
    input::SetCaptureWindow(data->handle);
    SDL_CaptureMouse(SDL_TRUE);
    if (previous && previous != data->handle)
        windows::Send(previous, WM_CAPTURECHANGED, 0, 0);
    return FromHandle(previous);
}

Wnd* Wnd::GetCapture()
{
    return FromHandle(input::CaptureWindow());
}

bool Wnd::ReleaseCapture()
{
    HWND previous = input::CaptureWindow();
    input::SetCaptureWindow(0);
    SDL_CaptureMouse(SDL_FALSE);
    if (previous)
        windows::Send(previous, WM_CAPTURECHANGED, 0, 0);
    return true;
}

Menu* Wnd::GetSystemMenu(bool revert)
{
    WindowData* data = windows::Find(this);
    TopLevelState* top = data ? data->AsTopLevel() : nullptr;
    if (!top || !top->sysMenu)
        return nullptr;
    if (revert) {
        top->systemMenu.reset();
        return nullptr;
    }
    if (!top->systemMenu)
        top->systemMenu = Menu::StandardWindowMenu(top->minimizeBox);
    return top->systemMenu.get();
}

const Icon* Wnd::SetIcon(const Icon* icon, bool bigIcon)
{
    WindowData* data = windows::Find(this);
    TopLevelState* top = data ? data->AsTopLevel() : nullptr;
    if (!top)
        return nullptr;
    const Icon*& slot = bigIcon ? top->bigIcon : top->smallIcon;
    const Icon* previous = slot;
    slot = icon;
    if (top->native)
        top->native->SetIcon(top->bigIcon ? top->bigIcon : top->smallIcon);
    return previous;
}

const Icon* Wnd::GetIcon(bool bigIcon) const
{
    WindowData* data = windows::Find(this);
    const TopLevelState* top = data ? data->AsTopLevel() : nullptr;
    if (!top)
        return nullptr;
    return bigIcon ? top->bigIcon : top->smallIcon;
}

}
