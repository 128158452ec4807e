#include "platform/ui/InputRouter.h"

#include "platform/ui/Cursor.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/KeyCodes.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowSystem.h"

#include "platform/text/Utf8.h"

#include <SDL.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace plat::input {

namespace {

struct RoutingState {
    HWND capture = 0;
    HWND menu = 0;
    Point cursor;
    std::vector<HWND> modal;
};

RoutingState& State()
{
    static RoutingState state;
    return state;
}

WindowData* TopLevelForNative(Uint32 id)
{
    for (HWND hwnd : windows::TopLevels()) {
        WindowData* data = windows::Find(hwnd);
        if (data && data->Native() && id != 0 && data->Native()->Id() == id)
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
        if (NativeWindow* native = modal->Native())
            native->Raise();
}

unsigned KeyState(Uint32 buttons)
{
    unsigned flags = 0;
    if (buttons & SDL_BUTTON_LMASK)
        flags |= MK_LBUTTON;
    if (buttons & SDL_BUTTON_RMASK)
        flags |= MK_RBUTTON;
    if (buttons & SDL_BUTTON_MMASK)
        flags |= MK_MBUTTON;
    return flags;
}

// Input the window system addressed while the program was busy may find
// its window closed, hidden or disabled by a modal window opened since (a
// click queued behind the click that starts a test). It belongs to what
// the user sees under the pointer now, as the window system the program
// comes from routes it when it is read.
bool Displaced(const WindowData* top)
{
    return !top || !top->visible || !top->enabled;
}

// The visible top-level window whose client area holds `screen`: topmost
// windows first, then the latest shown (a modal window is above its owner).
WindowData* TopLevelAt(Point screen)
{
    std::vector<HWND> order = windows::TopLevels();
    std::reverse(order.begin(), order.end());
    std::stable_partition(order.begin(), order.end(), [](HWND h) {
        WindowData* w = windows::Find(h);
        return w && w->AsTopLevel()->topMost;
    });
    for (HWND hwnd : order) {
        WindowData* w = windows::Find(hwnd);
        if (!w || !w->visible || !w->Native() || w->kind == WindowKind::Popup)
            continue;
        Point origin = windows::ClientOriginOnScreen(*w);
        Size size = windows::ClientSize(*w);
        if (Rect { origin.x, origin.y, origin.x + size.cx, origin.y + size.cy }.Contains(screen))
            return w;
    }
    return nullptr;
}

void Mouse(Uint32 windowId, Point client, unsigned message, WPARAM flags)
{
    WindowData* top = TopLevelForNative(windowId);
    std::optional<Point> origin;
    if (top)
        origin = windows::ClientOriginOnScreen(*top);
    else
        origin = NativeWindow::ClosedClientOrigin(windowId);
    if (!origin)
        return;
    Point screen { origin->x + client.x, origin->y + client.y };
    SetCursorPos(screen);
    bool press = message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;

    HWND menu = MenuWindow();
    if (menu && windows::Find(menu) && (!top || top->handle != menu)) {
        if (press)
            windows::Send(menu, WM_CANCELMODE);
        return;
    }
    WindowData* target = windows::Find(CaptureWindow());
    if (!target) {
        if (Displaced(top))
            if (WindowData* now = TopLevelAt(screen))
                top = now;
        if (!top)
            return;
        if (!top->enabled) {
            if (press)
                RaiseActiveModal();
            return;
        }
        Point at = windows::ClientOriginOnScreen(*top);
        target = HitTest(*top, { screen.x - at.x, screen.y - at.y });
        if (!IsEnabledChain(*target))
            return;
    }
    Point to = windows::ClientOriginOnScreen(*target);
    bool move = message == WM_MOUSEMOVE;
    if (move)
        cursor::BeginMove(windows::TopLevelOf(*target) ? windows::TopLevelOf(*target)->handle : 0);
    windows::Send(target->handle, message, flags, MAKELPARAM(screen.x - to.x, screen.y - to.y));
    if (move)
        cursor::EndMove();
}

// A key or typed character goes to the open menu, else to the window that
// has the keyboard now: a modal window opened since it was typed takes it
// from its owner. Only a press raises the modal window over a disabled one.
void KeyMessage(Uint32 windowId, unsigned message, WPARAM wParam, LPARAM lParam, bool down = true)
{
    if (HWND menu = MenuWindow(); menu && windows::Find(menu)) {
        windows::Send(menu, message, wParam, lParam);
        return;
    }
    WindowData* top = TopLevelForNative(windowId);
    if (!top || Displaced(top))
        if (WindowData* modal = windows::Find(ActiveModal()); modal && modal->visible)
            top = modal;
    if (!top)
        return;
    if (!top->enabled) {
        if (down)
            RaiseActiveModal();
        return;
    }
    windows::Send(top->handle, message, wParam, lParam);
}

void Key(const SDL_KeyboardEvent& event)
{
    unsigned vk = keys::FromSdl(event.keysym.sym);
    if (vk == 0)
        return;
    keys::SetModifiers(event.keysym.mod);
    bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    bool down = event.type == SDL_KEYDOWN;
    unsigned message = down ? (alt ? WM_SYSKEYDOWN : WM_KEYDOWN) : (alt ? WM_SYSKEYUP : WM_KEYUP);
    // The context bit for Alt, and the transition bits for a release.
    LPARAM lParam = MAKELPARAM(1, (alt ? 0x2000 : 0) | (down ? 0 : 0xC000));
    KeyMessage(event.windowID, message, vk, lParam, down);
}

// Each character of typed text becomes one WM_CHAR with its code point.
void Text(const SDL_TextInputEvent& event)
{
    keys::SetModifiers(SDL_GetModState());
    for (char32_t c : DecodeUtf8(event.text))
        KeyMessage(event.windowID, WM_CHAR, c, MAKELPARAM(1, 0));
}

// A monitor came or went: every top-level window hears of it.
void DisplayChanged()
{
    for (HWND hwnd : windows::TopLevels())
        windows::Send(hwnd, WM_DISPLAYCHANGE, 32, 0);
}

// The window system lost what a top-level window showed: its back buffer
// goes to the screen again.
void ShowAgain(WindowData& top)
{
    if (NativeWindow* native = top.Native())
        TheWindowSystem().ShowAgain(*native, top.invalid && top.erase);
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
    case SDL_WINDOWEVENT_EXPOSED: {
        NativeWindow* native = top->Native();
        if (!native)
            break;
        ShowAgain(*top);
        // Showing the window already asked for its first erase and paint;
        // a later expose asks the window to draw again what was lost.
        if (!native->TakeMappingExpose())
            painter::Invalidate(*top, nullptr, true);
        break;
    }
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        painter::Invalidate(*top, nullptr, true);
        ShowAgain(*top);
        break;
    case SDL_WINDOWEVENT_MOVED: {
        bool framed = top->AsTopLevel()->framed;
        int insetX = framed ? windows::kFrameSide : 0;
        int insetY = framed ? windows::kFrameTop : 0;
        int w = top->rect.Width();
        int h = top->rect.Height();
        top->rect = { event.data1 - insetX, event.data2 - insetY, event.data1 - insetX + w, event.data2 - insetY + h };
        break;
    }
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        if (NativeWindow* native = top->Native())
            TheWindowSystem().ShowFrameState(*native);
        if (!top->enabled)
            RaiseActiveModal();
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        if (NativeWindow* native = top->Native())
            TheWindowSystem().ShowFrameState(*native);
        break;
    default:
        break;
    }
}

}

void Route(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_MOUSEMOTION:
        Mouse(event.motion.windowID, { event.motion.x, event.motion.y }, WM_MOUSEMOVE, KeyState(event.motion.state));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        NativeWindow::NoteButton(event.button.button, down);
        unsigned message;
        if (event.button.button == SDL_BUTTON_LEFT)
            message = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        else if (event.button.button == SDL_BUTTON_RIGHT)
            message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        else if (event.button.button == SDL_BUTTON_MIDDLE)
            message = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
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
    case SDL_KEYUP:
        Key(event.key);
        break;
    case SDL_TEXTINPUT:
        Text(event.text);
        break;
    case SDL_DISPLAYEVENT:
        if (event.display.event == SDL_DISPLAYEVENT_CONNECTED || event.display.event == SDL_DISPLAYEVENT_DISCONNECTED)
            DisplayChanged();
        break;
    case SDL_WINDOWEVENT:
        WindowEvent(event.window);
        break;
    default:
        break;
    }
}

HWND CaptureWindow() { return State().capture; }
void SetCaptureWindow(HWND hwnd) { State().capture = hwnd; }

Point CursorPos() { return TheWindowSystem().PointerPosition(State().cursor); }
void SetCursorPos(Point screen) { State().cursor = screen; }

void PushModal(HWND hwnd) { State().modal.push_back(hwnd); }
void PopModal(HWND hwnd) { std::erase(State().modal, hwnd); }
HWND ActiveModal()
{
    auto& modal = State().modal;
    for (auto it = modal.rbegin(); it != modal.rend(); ++it)
        if (windows::Find(*it))
            return *it;
    return 0;
}

void SetMenuWindow(HWND hwnd) { State().menu = hwnd; }
HWND MenuWindow() { return State().menu; }

}
