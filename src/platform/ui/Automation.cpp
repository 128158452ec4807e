#include "platform/ui/Automation.h"

#include "platform/gfx/Surface.h"
#include "platform/text/Utf8.h"
#include "platform/ui/DialogKeys.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/KeyCodes.h"
#include "platform/ui/Menu.h"
#include "platform/ui/MenuPopup.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Timers.h"
#include "platform/ui/WindowData.h"

#include <SDL.h>

#include <string>

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
    NativeWindow* native = top ? top->Native() : nullptr;
    if (!native || !native->MakeNow())
        return {};
    Point origin = windows::OriginInTopLevel(*data);
    return { native->Id(), { origin.x + client.x, origin.y + client.y } };
}

Uint8 SdlButton(MouseButton button)
{
    switch (button) {
    case MouseButton::Left:
        return SDL_BUTTON_LEFT;
    case MouseButton::Middle:
        return SDL_BUTTON_MIDDLE;
    default:
        return SDL_BUTTON_RIGHT;
    }
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

void PushKey(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers, bool down)
{
    Target t = Locate(wnd, {});
    if (!t.windowId)
        return;
    SDL_Event e {};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = t.windowId;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = keys::ToSdl(virtualKey);
    e.key.keysym.mod = modifiers == Modifiers::Alt ? KMOD_LALT : modifiers == Modifiers::Shift ? KMOD_LSHIFT
                                                                                               : KMOD_NONE;
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

void KeyDown(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers) { PushKey(wnd, virtualKey, modifiers, true); }
void KeyUp(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers) { PushKey(wnd, virtualKey, modifiers, false); }

void Key(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers)
{
    KeyDown(wnd, virtualKey, modifiers);
    KeyUp(wnd, virtualKey, modifiers);
}

void Char(const Wnd& wnd, char32_t character)
{
    Target t = Locate(wnd, {});
    if (!t.windowId)
        return;
    SDL_Event e {};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = t.windowId;
    std::string text;
    AppendUtf8(text, character);
    text.copy(e.text.text, sizeof e.text.text - 1);
    loop::PushInput(e);
}

void DisplayChange()
{
    SDL_Event e {};
    e.type = SDL_DISPLAYEVENT;
    e.display.event = SDL_DISPLAYEVENT_DISCONNECTED;
    loop::PushInput(e);
}

void CloseBox(const Wnd& wnd) { PushWindowEvent(wnd, SDL_WINDOWEVENT_CLOSE); }
void Expose(const Wnd& wnd) { PushWindowEvent(wnd, SDL_WINDOWEVENT_EXPOSED); }

void SetCursorPos(Point screen) { input::SetCursorPos(screen); }

const Surface* BackBuffer(const Wnd& wnd)
{
    WindowData* data = windows::Find(&wnd);
    WindowData* top = data ? windows::TopLevelOf(*data) : nullptr;
    NativeWindow* native = top ? top->Native() : nullptr;
    return native ? &native->BackBuffer() : nullptr;
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
    return Wnd::FromHandle(input::MenuWindow());
}

Point MenuItemPoint(const Wnd& owner, int index)
{
    Menu* menu = const_cast<Wnd&>(owner).GetSystemMenu(false);
    if (!menu)
        return {};
    Rect r = PopupItemRect(*menu, index);
    return { (r.left + r.right) / 2, (r.top + r.bottom) / 2 };
}

Wnd* FocusedControl(const Wnd& dialog)
{
    WindowData* data = windows::Find(&dialog);
    WindowData* focus = data ? defproc::FocusedControl(*data) : nullptr;
    return focus ? Wnd::FromHandle(focus->handle) : nullptr;
}

Wnd* ActiveModalWindow()
{
    return Wnd::FromHandle(input::ActiveModal());
}

int RunningTimers()
{
    return timers::ActiveCount();
}

}
