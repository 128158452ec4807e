// Placement: frame and client rectangles, moving, centring, z-order.

#include "platform/ui/Wnd.h"

#include "platform/ui/EventLoop.h"
#include "platform/ui/MonitorBounds.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

#include <algorithm>

namespace plat {

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

}
