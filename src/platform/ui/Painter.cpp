#include "platform/ui/Painter.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/NativeWindow.h"

#include <algorithm>

namespace plat::painter {

namespace {

bool PaintTree(HWND hwnd)
{
    WindowData* data = windows::Find(hwnd);
    if (!data || !data->visible)
        return false;
    bool painted = false;
    if (data->invalid) {
        bool erase = data->erase;
        data->invalid = false;
        data->erase = false;
        data->update = {};
        if (erase) {
            DeviceContext dc = ContextFor(*data);
            windows::Send(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc));
        }
        windows::Send(hwnd, WM_PAINT);
        painted = true;
    }
    data = windows::Find(hwnd);
    if (!data)
        return painted;
    std::vector<HWND> children = data->children;
    for (HWND child : children)
        painted = PaintTree(child) || painted;
    return painted;
}

}

void Invalidate(WindowData& data, const Rect* rect, bool erase)
{
    if (!data.visible)
        return;
    Size size = windows::ClientSize(data);
    Rect client { 0, 0, size.cx, size.cy };
    Rect area = rect ? rect->Intersected(client) : client;
    if (area.IsEmpty())
        return;
    data.update = data.update.United(area);
    data.invalid = true;
    data.erase = data.erase || erase;
    for (HWND child : data.children) {
        WindowData* c = windows::Find(child);
        if (!c || !c->visible)
            continue;
        Rect overlap = c->rect.Intersected(area);
        if (overlap.IsEmpty())
            continue;
        Rect local { overlap.left - c->rect.left, overlap.top - c->rect.top, overlap.right - c->rect.left,
            overlap.bottom - c->rect.top };
        Invalidate(*c, &local, erase);
    }
}

bool PaintPending()
{
    bool painted = false;
    for (HWND hwnd : windows::TopLevels()) {
        WindowData* data = windows::Find(hwnd);
        if (data && data->Native() && data->visible)
            painted = PaintTree(hwnd) || painted;
    }
    return painted;
}

void PaintNow(HWND hwnd)
{
    PaintTree(hwnd);
}

bool IsShowing(const WindowData& data)
{
    const WindowData* w = &data;
    while (w) {
        if (!w->visible && !w->IsTopLevel())
            return false;
        if (w->IsTopLevel())
            return true;
        w = windows::Find(w->parent);
    }
    return false;
}

DeviceContext ContextFor(const WindowData& data)
{
    if (!IsShowing(data))
        return {};
    WindowData* top = windows::TopLevelOf(const_cast<WindowData&>(data));
    NativeWindow* native = top ? top->Native() : nullptr;
    if (!native || !native->IsValid())
        return {};
    Point origin = windows::OriginInTopLevel(data);
    Size size = windows::ClientSize(data);
    Rect area { origin.x, origin.y, origin.x + size.cx, origin.y + size.cy };
    native->MarkDirty(area);
    return DeviceContext(native->BackBuffer(), area);
}

}
