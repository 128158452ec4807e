#include "platform/ui/Wnd.h"

#include "platform/ui/DefaultProcs.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

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
    if (!enable && loop::CaptureWindow() == data->handle)
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
    const Message* m = loop::CurrentMessage(*this);
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
    *point = loop::CursorPos();
    return true;
}

}
