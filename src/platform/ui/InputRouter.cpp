// Turns the window system's events into messages: mouse input goes to the
// capturing window or to the control under the pointer, keys to the
// top-level window, and window events become close commands and repaints.

#include "platform/ui/Cursor.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

#include <SDL.h>

namespace plat::loop {

namespace {

WindowData* TopLevelForNative(Uint32 id)
{
    for (HWND hwnd : windows::TopLevels()) {
        WindowData* data = windows::Find(hwnd);
        if (data && data->native && data->native->Id() == id)
            return data;
    }
    return nullptr;
}

// The deepest visible control under `p` (client coordinates of `w`);
// static controls let the mouse through to their parent.
WindowData* HitTest(WindowData& w, Point p)
{
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        WindowData* c = windows::Find(*it);
        if (!c || !c->visible || c->kind == WindowKind::Static)
            continue;
        if (c->rect.Contains(p))
            return HitTest(*c, { p.x - c->rect.left, p.y - c->rect.top });
    }
    return &w;
}

bool IsEnabledChain(const WindowData& data)
{
    const WindowData* w = &data;
    while (w) {
        if (!w->enabled)
            return false;
        w = windows::Find(w->parent);
    }
    return true;
}

void RaiseActiveModal()
{
    if (WindowData* modal = windows::Find(ActiveModal()))
        if (modal->native)
            modal->native->Raise();
}

unsigned KeyState(Uint32 buttons)
{
    unsigned flags = 0;
    if (buttons & SDL_BUTTON_LMASK)
        flags |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK)
        flags |= MK_RBUTTON;
    return flags;
}

void Mouse(Uint32 windowId, Point client, unsigned message, WPARAM flags)
{
    WindowData* top = TopLevelForNative(windowId);
    if (!top)
        return;
    Point origin = windows::ClientOriginOnScreen(*top);
    Point screen { origin.x + client.x, origin.y + client.y };
    SetCursorPos(screen);
    bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN;

    HWND menu = MenuWindow();
    if (menu && windows::Find(menu) && top->handle != menu) {
        if (press)
            windows::Send(menu, WM_CANCELMODE);
        return;
    }
    WindowData* target = windows::Find(CaptureWindow());
    if (!target) {
        if (!top->enabled) {
            if (press)
                RaiseActiveModal();
            return;
        }
        target = HitTest(*top, client);
        if (!IsEnabledChain(*target))
            return;
    }
    Point to = windows::ClientOriginOnScreen(*target);
    bool move = message == WM_MOUSEMOVE;
    if (move)
        cursor::BeginMove();
    windows::Send(target->handle, message, flags, MAKELPARAM(screen.x - to.x, screen.y - to.y));
    if (move)
        cursor::EndMove();
}

unsigned VirtualKey(SDL_Keycode key)
{
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return VK_RETURN;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_F4:
        return VK_F4;
    default:
        break;
    }
    if (key >= 'a' && key <= 'z')
        return static_cast<unsigned>(key - 'a' + 'A');
    if (key >= '0' && key <= '9')
        return static_cast<unsigned>(key);
    return 0;
}

void Key(const SDL_KeyboardEvent& event)
{
    unsigned vk = VirtualKey(event.keysym.sym);
    if (vk == 0)
        return;
    bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    unsigned message = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    LPARAM lParam = MAKELPARAM(1, alt ? 0x2000 : 0);
    if (HWND menu = MenuWindow(); menu && windows::Find(menu)) {
        windows::Send(menu, message, vk, lParam);
        return;
    }
    WindowData* top = TopLevelForNative(event.windowID);
    if (!top)
        top = windows::Find(ActiveModal());
    if (!top)
        return;
    if (!top->enabled) {
        RaiseActiveModal();
        return;
    }
    windows::Send(top->handle, message, vk, lParam);
}

void WindowEvent(const SDL_WindowEvent& event)
{
    WindowData* top = TopLevelForNative(event.windowID);
    if (!top)
        return;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        if (!top->enabled) {
            RaiseActiveModal();
            return;
        }
        windows::Send(top->handle, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        if (!top->native)
            break;
        top->native->MarkDirty(top->native->BackBuffer().Bounds());
        // Showing the window already asked for its first erase and paint;
        // a later expose asks the window to draw again what was lost.
        if (!top->native->TakeMappingExpose())
            painter::Invalidate(*top, nullptr, true);
        break;
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        painter::Invalidate(*top, nullptr, true);
        if (top->native)
            top->native->MarkDirty(top->native->BackBuffer().Bounds());
        break;
    case SDL_WINDOWEVENT_MOVED: {
        int insetX = top->framed ? windows::kFrameSide : 0;
        int insetY = top->framed ? windows::kFrameTop : 0;
        int w = top->rect.Width();
        int h = top->rect.Height();
        top->rect = { event.data1 - insetX, event.data2 - insetY, event.data1 - insetX + w, event.data2 - insetY + h };
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (!top->enabled)
            RaiseActiveModal();
        break;
    default:
        break;
    }
}

}

void HandleInput(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        Mouse(event.motion.windowID, { event.motion.x, event.motion.y }, WM_MOUSEMOVE, KeyState(event.motion.state));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        unsigned message;
        if (event.button.button == SDL_BUTTON_LEFT)
            message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        else if (event.button.button == SDL_BUTTON_RIGHT)
            message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        else
            return;
        Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        Mouse(event.button.windowID, { event.button.x, event.button.y }, message, KeyState(buttons));
        break;
    }
    case SDL_MOUSEWHEEL: {
        int notches = event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
        if (notches == 0)
            return;
        Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
        auto delta = static_cast<unsigned>(notches * WHEEL_DELTA);
        Mouse(event.wheel.windowID, { event.wheel.mouseX, event.wheel.mouseY }, WM_MOUSEWHEEL,
            MAKEWPARAM(KeyState(buttons), delta));
        break;
    }
    case SDL_KEYDOWN:
        Key(event.key);
        break;
    case SDL_WINDOWEVENT:
        WindowEvent(event.window);
        break;
    default:
        break;
    }
}

}
