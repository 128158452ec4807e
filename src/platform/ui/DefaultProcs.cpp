#include "platform/ui/DefaultProcs.h"

#include "platform/ui/Button.h"
#include "platform/ui/ControlPaint.h"
#include "platform/ui/DialogKeys.h"
#include "platform/ui/Dispatch.h"
#include "platform/ui/EventLoop.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/MenuPopup.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/WebHost.h"

#include <utility>

namespace plat::defproc {

namespace {

Rect ClientRect(const WindowData& data)
{
    Size size = windows::ClientSize(data);
    return { 0, 0, size.cx, size.cy };
}

void Command(WindowData& dialog, int id, HWND from)
{
    windows::Send(dialog.handle, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(id), BN_CLICKED), static_cast<LPARAM>(from));
}

}

LRESULT Run(Wnd& wnd, unsigned message, WPARAM wParam, LPARAM lParam)
{
    WindowData* data = windows::Find(&wnd);
    if (!data)
        return 0;
    switch (data->kind) {
    case WindowKind::Dialog:
        return Dialog(wnd, *data, *data->AsTopLevel(), message, wParam, lParam);
    case WindowKind::Button:
        return Button(wnd, *data, *data->AsButton(), message, wParam, lParam);
    case WindowKind::Static:
        return Static(wnd, *data, *data->AsStatic(), message, wParam, lParam);
    case WindowKind::WebHost:
        return WebHost(wnd, *data, *data->AsWebHost(), message, wParam, lParam);
    case WindowKind::Popup:
        return 0;
    }
    return 0;
}

LRESULT Dialog(Wnd& wnd, WindowData& data, TopLevelState& top, unsigned message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: {
        auto* dc = reinterpret_cast<DeviceContext*>(wParam);
        if (!dc)
            return 0;
        dc->SetBkColor(kFace);
        CtlColorRequest request { &wnd, CTLCOLOR_DLG };
        auto* brush = reinterpret_cast<const Brush*>(wnd.SendMessage(WM_CTLCOLOR, wParam, reinterpret_cast<LPARAM>(&request)));
        if (brush && !brush->IsNull())
            dc->FillRect(ClientRect(data), *brush);
        else
            dc->FillSolidRect(ClientRect(data), kFace);
        return 1;
    }
    case WM_ICONERASEBKGND:
        if (auto* dc = reinterpret_cast<DeviceContext*>(wParam))
            dc->FillSolidRect(ClientRect(data), kFace);
        return 1;
    case WM_KEYDOWN:
    case WM_KEYUP:
        DialogKey(data, message, static_cast<unsigned>(wParam));
        return 0;
    case WM_SYSKEYDOWN:
        if (wParam == VK_SPACE)
            wnd.SendMessage(WM_SYSCOMMAND, SC_KEYMENU, ' ');
        else if (wParam == VK_F4)
            wnd.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
        return 0;
    case WM_SYSCOMMAND:
        switch (wParam & 0xFFF0) {
        case SC_CLOSE:
            wnd.SendMessage(WM_CLOSE);
            break;
        case SC_MINIMIZE:
            if (top.native)
                top.native->Minimize();
            break;
        case SC_RESTORE:
            if (top.native)
                top.native->Restore();
            break;
        case SC_KEYMENU:
            if (top.sysMenu)
                TrackSystemMenu(data, windows::ClientOriginOnScreen(data));
            break;
        default:
            break;
        }
        return 0;
    case WM_CLOSE:
        Command(data, IDCANCEL, 0);
        return 0;
    case WM_RBUTTONDOWN:
        top.rightPressed = true;
        return 0;
    case WM_RBUTTONUP:
        // Only a whole click: the release of a press that ended another
        // window (a test ends on the press) opens nothing.
        if (top.sysMenu && std::exchange(top.rightPressed, false)) {
            Point screen = PointFromLParam(lParam);
            wnd.ClientToScreen(&screen);
            TrackSystemMenu(data, screen);
        }
        return 0;
    case WM_DRAWITEM: {
        // Reflected to the control, which draws itself.
        auto* item = reinterpret_cast<DrawItemStruct*>(lParam);
        auto* button = item ? dynamic_cast<plat::Button*>(item->control) : nullptr;
        if (!button)
            return 0;
        button->DrawItem(*item);
        return 1;
    }
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(top.bigIcon);
    case WM_SETICON:
        return reinterpret_cast<LRESULT>(wnd.SetIcon(reinterpret_cast<const Icon*>(lParam), wParam == ICON_BIG));
    default:
        return 0;
    }
}

LRESULT Button(Wnd& wnd, WindowData& data, ButtonState& button, unsigned message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        button.tracking = true;
        button.pressed = true;
        SetFocus(data);
        wnd.SetCapture();
        painter::Invalidate(data, nullptr, false);
        return 0;
    case WM_MOUSEMOVE: {
        if (!button.tracking)
            return 0;
        bool inside = ClientRect(data).Contains(PointFromLParam(lParam));
        if (inside != button.pressed) {
            button.pressed = inside;
            painter::Invalidate(data, nullptr, false);
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        if (!button.tracking)
            return 0;
        bool inside = ClientRect(data).Contains(PointFromLParam(lParam));
        button.tracking = false;
        button.pressed = false;
        HWND self = data.handle;
        if (input::CaptureWindow() == self)
            Wnd::ReleaseCapture();
        WindowData* alive = windows::Find(self);
        if (!alive || !inside)
            return 0;
        painter::Invalidate(*alive, nullptr, false);
        if (ButtonState* state = alive->AsButton(); state && state->checkBox)
            state->check = state->check ? 0 : 1;
        windows::Send(alive->parent, WM_COMMAND, MAKEWPARAM(static_cast<unsigned>(alive->id), BN_CLICKED), static_cast<LPARAM>(self));
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (button.tracking) {
            button.tracking = false;
            button.pressed = false;
            painter::Invalidate(data, nullptr, false);
        }
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        DeviceContext dc = painter::ContextFor(data);
        if (button.ownerDraw) {
            DrawItemStruct item;
            item.id = data.id;
            item.state = (button.pressed ? ODS_SELECTED : 0) | (data.enabled ? 0 : ODS_DISABLED);
            const WindowData* dialog = windows::Find(data.parent);
            if (const TopLevelState* top = dialog ? dialog->AsTopLevel() : nullptr; top && top->focus == data.handle)
                item.state |= ODS_FOCUS | (top->focusCues ? 0 : ODS_NOFOCUSRECT);
            item.control = &wnd;
            item.dc = &dc;
            item.rect = ClientRect(data);
            windows::Send(data.parent, WM_DRAWITEM, static_cast<WPARAM>(data.id), reinterpret_cast<LPARAM>(&item));
        } else if (button.checkBox) {
            PaintCheckBox(data, button, dc);
        } else {
            PaintPushButton(data, button, dc);
        }
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT Static(Wnd&, WindowData& data, const StaticState& label, unsigned message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        DeviceContext dc = painter::ContextFor(data);
        PaintStatic(data, label, dc);
        return 0;
    }
    default:
        return 0;
    }
}

LRESULT WebHost(Wnd&, WindowData& data, const WebHostState& host, unsigned message, WPARAM wParam, LPARAM lParam)
{
    // Held for the call: the content may replace or end itself meanwhile.
    std::shared_ptr<WebHostContent> content = host.content;
    Point point = PointFromLParam(lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        DeviceContext dc = painter::ContextFor(data);
        Rect client = ClientRect(data);
        dc.FillSolidRect(client, RGB(255, 255, 255));
        if (content)
            content->Paint(dc, client);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (content)
            content->MouseMove(point);
        return 0;
    case WM_LBUTTONDOWN:
        if (content)
            content->MouseDown(point);
        return 0;
    case WM_LBUTTONUP:
        if (content)
            content->MouseUp(point);
        return 0;
    case WM_MOUSEWHEEL:
        if (content)
            content->MouseWheel(point, GET_WHEEL_DELTA_WPARAM(wParam));
        return 0;
    default:
        return 0;
    }
}

}
