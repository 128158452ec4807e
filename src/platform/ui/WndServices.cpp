// Visibility, timers, mouse capture, the window menu and icons.

#include "platform/ui/Wnd.h"

#include "platform/ui/EventLoop.h"
#include "platform/ui/Menu.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WindowData.h"

#include <SDL.h>

namespace plat {

namespace {

bool HoldsCapture(const WindowData& data)
{
    WindowData* w = windows::Find(loop::CaptureWindow());
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
    if (!data || data->desktop)
        return false;
    bool wasVisible = data->visible;
    switch (command) {
    case SW_HIDE:
        if (!wasVisible)
            break;
        if (HoldsCapture(*data))
            ReleaseCapture();
        data->visible = false;
        if (data->native) {
            data->native->Show(false);
        } else if (WindowData* parent = windows::Find(data->parent)) {
            painter::Invalidate(*parent, &data->rect, true);
        }
        break;
    case SW_MINIMIZE:
        if (data->native)
            data->native->Minimize();
        break;
    case SW_RESTORE:
        if (data->native)
            data->native->Restore();
        [[fallthrough]];
    default:
        if (wasVisible)
            break;
        data->visible = true;
        if (data->native) {
            data->native->SetIcon(data->bigIcon ? data->bigIcon : data->smallIcon);
            data->native->Show(true);
        }
        painter::Invalidate(*data, nullptr, true);
        break;
    }
    return wasVisible;
}

bool Wnd::IsIconic() const
{
    WindowData* data = windows::Find(this);
    if (!data || !data->native || !data->native->Window())
        return false;
    return (SDL_GetWindowFlags(data->native->Window()) & SDL_WINDOW_MINIMIZED) != 0;
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
    HWND previous = loop::CaptureWindow();
    loop::SetCaptureWindow(data->handle);
    SDL_CaptureMouse(SDL_TRUE);
    if (previous && previous != data->handle)
        windows::Send(previous, WM_CAPTURECHANGED, 0, 0);
    return FromHandle(previous);
}

Wnd* Wnd::GetCapture()
{
    return FromHandle(loop::CaptureWindow());
}

bool Wnd::ReleaseCapture()
{
    HWND previous = loop::CaptureWindow();
    loop::SetCaptureWindow(0);
    SDL_CaptureMouse(SDL_FALSE);
    if (previous)
        windows::Send(previous, WM_CAPTURECHANGED, 0, 0);
    return true;
}

Menu* Wnd::GetSystemMenu(bool revert)
{
    WindowData* data = windows::Find(this);
    if (!data || !data->IsTopLevel() || !data->sysMenu)
        return nullptr;
    if (revert) {
        data->systemMenu.reset();
        return nullptr;
    }
    if (!data->systemMenu)
        data->systemMenu = Menu::StandardWindowMenu(data->minimizeBox);
    return data->systemMenu.get();
}

const Icon* Wnd::SetIcon(const Icon* icon, bool bigIcon)
{
    WindowData* data = windows::Find(this);
    if (!data)
        return nullptr;
    const Icon*& slot = bigIcon ? data->bigIcon : data->smallIcon;
    const Icon* previous = slot;
    slot = icon;
    if (data->native)
        data->native->SetIcon(data->bigIcon ? data->bigIcon : data->smallIcon);
    return previous;
}

const Icon* Wnd::GetIcon(bool bigIcon) const
{
    WindowData* data = windows::Find(this);
    if (!data)
        return nullptr;
    return bigIcon ? data->bigIcon : data->smallIcon;
}

}
