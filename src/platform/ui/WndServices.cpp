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
