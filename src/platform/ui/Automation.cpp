#include "platform/ui/Automation.h"

#include "platform/gfx/Surface.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPopup.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WindowData.h"

#include <SDL.h>

namespace plat::automation {

namespace {

struct Target {
    Uint32 windowId = 0;
    Point point; // client coordinates of the top-level window
};

Target Locate(const Wnd& wnd, Point client)
{
    WindowData* data = windows::Find(&wnd);
    if (!data)
        return {};
    WindowData* top = windows::TopLevelOf(*data);
    if (!top || !top->native)
        return {};
    Point origin = windows::OriginInTopLevel(*data);
    return { top->native->Id(), { origin.x + client.x, origin.y + client.y } };
}

Uint8 SdlButton(MouseButton button)
{
    return button == MouseButton::Left ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
}

void PushButton(const Wnd& wnd, Point client, MouseButton button, bool down)
{
    Target t = Locate(wnd, client);
    if (!t.windowId)
        return;
    SDL_Event e {};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = t.windowId;
    e.button.button = SdlButton(button);
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = t.point.x;
    e.button.y = t.point.y;
    loop::PushInput(e);
}

void PushWindowEvent(const Wnd& wnd, Uint8 event)
{
    Target t = Locate(wnd, {});
    if (!t.windowId)
        return;
    SDL_Event e {};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = t.windowId;
    e.window.event = event;
    loop::PushInput(e);
}

}

void MouseMove(const Wnd& wnd, Point client)
{
    Target t = Locate(wnd, client);
    if (!t.windowId)
        return;
    SDL_Event e {};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = t.windowId;
    e.motion.x = t.point.x;
    e.motion.y = t.point.y;
    loop::PushInput(e);
}

void MouseWheel(const Wnd& wnd, Point client, int notches)
{
    Target t = Locate(wnd, client);
    if (!t.windowId)
        return;
    SDL_Event e {};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.windowID = t.windowId;
    e.wheel.y = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    e.wheel.mouseX = t.point.x;
    e.wheel.mouseY = t.point.y;
    loop::PushInput(e);
}

void MouseDown(const Wnd& wnd, Point client, MouseButton button) { PushButton(wnd, client, button, true); }
void MouseUp(const Wnd& wnd, Point client, MouseButton button) { PushButton(wnd, client, button, false); }

void Click(const Wnd& wnd, Point client, MouseButton button)
{
    MouseMove(wnd, client);
    MouseDown(wnd, client, button);
    MouseUp(wnd, client, button);
}

bool ClickControl(const Wnd& dialog, int id)
{
    Wnd* control = dialog.GetDlgItem(id);
    if (!control)
        return false;
    Rect r;
    control->GetClientRect(&r);
    Click(*control, { r.Width() / 2, r.Height() / 2 });
    return true;
}

void Key(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers)
{
    Target t = Locate(wnd, {});
    if (!t.windowId)
        return;
    SDL_Event e {};
    e.type = SDL_KEYDOWN;
    e.key.windowID = t.windowId;
    e.key.state = SDL_PRESSED;
    SDL_Keycode code = SDLK_UNKNOWN;
    if (virtualKey == VK_RETURN)
        code = SDLK_RETURN;
    else if (virtualKey == VK_ESCAPE)
        code = SDLK_ESCAPE;
    else if (virtualKey == VK_SPACE)
        code = SDLK_SPACE;
    else if (virtualKey == VK_F4)
        code = SDLK_F4;
    else if (virtualKey >= 'A' && virtualKey <= 'Z')
        code = static_cast<SDL_Keycode>(virtualKey - 'A' + 'a');
    else if (virtualKey >= '0' && virtualKey <= '9')
        code = static_cast<SDL_Keycode>(virtualKey);
    e.key.keysym.sym = code;
    e.key.keysym.mod = modifiers == Modifiers::Alt ? KMOD_LALT : KMOD_NONE;
    loop::PushInput(e);
}

void CloseBox(const Wnd& wnd) { PushWindowEvent(wnd, SDL_WINDOWEVENT_CLOSE); }
void Expose(const Wnd& wnd) { PushWindowEvent(wnd, SDL_WINDOWEVENT_EXPOSED); }

void SetCursorPos(Point screen) { loop::SetCursorPos(screen); }

const Surface* BackBuffer(const Wnd& wnd)
{
    WindowData* data = windows::Find(&wnd);
    WindowData* top = data ? windows::TopLevelOf(*data) : nullptr;
    return top && top->native ? &top->native->BackBuffer() : nullptr;
}

std::uint32_t Pixel(const Wnd& wnd, Point client)
{
    const Surface* buffer = BackBuffer(wnd);
    WindowData* data = windows::Find(&wnd);
    if (!buffer || !data)
        return 0;
    Size size = windows::ClientSize(*data);
    if (client.x < 0 || client.y < 0 || client.x >= size.cx || client.y >= size.cy)
        return 0;
    Point origin = windows::OriginInTopLevel(*data);
    return buffer->Pixel(origin.x + client.x, origin.y + client.y);
}

COLORREF PixelColor(const Wnd& wnd, Point client)
{
    return FromXrgb(Pixel(wnd, client));
}

Wnd* OpenMenuPopup()
{
    return Wnd::FromHandle(loop::MenuWindow());
}

Point MenuItemPoint(const Wnd& owner, int index)
{
    Menu* menu = const_cast<Wnd&>(owner).GetSystemMenu(false);
    if (!menu)
        return {};
    Rect r = PopupItemRect(*menu, index);
    return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

Wnd* ActiveModalWindow()
{
    return Wnd::FromHandle(loop::ActiveModal());
}

int RunningTimers()
{
    return timers::ActiveCount();
}

}
