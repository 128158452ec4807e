#include "platform/ui/WindowData.h"

#include "platform/ui/Dispatch.h"
#include "platform/ui/InputRouter.h"
#include "platform/ui/Menu.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/Timers.h"

#include <algorithm>
#include <map>

namespace plat {

WindowData::WindowData(WindowKind windowKind)
    : kind(windowKind)
{
    switch (windowKind) {
    case WindowKind::Dialog:
    case WindowKind::Popup:
        break; // the state starts as a top-level window's
    case WindowKind::Button:
        m_state.emplace<ButtonState>();
        break;
    case WindowKind::Static:
        m_state.emplace<StaticState>();
        break;
    case WindowKind::WebHost:
        m_state.emplace<WebHostState>();
        break;
    }
}

}

namespace plat::windows {

namespace {

struct Table {
    std::map<HWND, std::unique_ptr<WindowData>> windows; // ordered: creation order
    HWND next = 1;

    // Windows still open at exit: their objects forget them first, so that
    // no destructor looks them up in a table that is going away.
    ~Table()
    {
        for (auto& [hwnd, data] : windows) {
            if (data->object)
                data->object->m_hWnd = 0;
            if (data->ownedObject)
                data->ownedObject->m_hWnd = 0;
        }
    }
};

Table& TheTable()
{
    static Table table;
    return table;
}

}

WindowData* Find(HWND hwnd)
{
    if (hwnd == 0)
        return nullptr;
    auto& windows = TheTable().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.get();
}

WindowData* Find(const Wnd* wnd)
{
    if (!wnd)
        return nullptr;
    WindowData* data = Find(wnd->m_hWnd);
    return data && data->object == wnd ? data : nullptr;
}

WindowData& Create(WindowKind kind, Wnd* object, HWND parent)
{
    Table& table = TheTable();
    auto data = std::make_unique<WindowData>(kind);
    data->handle = table.next++;
    data->object = object;
    data->parent = parent;
    if (object)
        object->m_hWnd = data->handle;
    if (WindowData* p = Find(parent))
        p->children.push_back(data->handle);
    WindowData& result = *data;
    table.windows.emplace(result.handle, std::move(data));
    return result;
}

void Destroy(HWND hwnd)
{
    WindowData* data = Find(hwnd);
    if (!data)
        return;
    // Children first, each while it is still whole.
    std::vector<HWND> children = data->children;
    for (HWND child : children)
        Destroy(child);
    data = Find(hwnd);
    if (!data)
        return;
    if (data->object)
        Send(hwnd, WM_DESTROY);
    data = Find(hwnd); // a WM_DESTROY handler may have destroyed it already
    if (!data)
        return;
    timers::KillAll(hwnd);
    if (input::CaptureWindow() == hwnd)
        input::SetCaptureWindow(0);
    if (WindowData* p = Find(data->parent))
        std::erase(p->children, hwnd);
    if (data->object && data->object->m_hWnd == hwnd)
        data->object->m_hWnd = 0;
    // Out of the table before anything is freed, so that nothing freed can
    // be found by handle from a destructor.
    auto& windows = TheTable().windows;
    auto it = windows.find(hwnd);
    std::unique_ptr<WindowData> doomed = std::move(it->second);
    windows.erase(it);
    doomed.reset();
}

std::vector<HWND> TopLevels()
{
    std::vector<HWND> result;
    for (auto& [hwnd, data] : TheTable().windows)
        if (data->IsTopLevel())
            result.push_back(hwnd);
    return result;
}

WindowData* TopLevelOf(WindowData& data)
{
    WindowData* w = &data;
    while (w && !w->IsTopLevel())
        w = Find(w->parent);
    return w;
}

WindowData* ChildById(const WindowData& parent, int id)
{
    for (HWND child : parent.children) {
        WindowData* c = Find(child);
        if (c && c->id == id)
            return c;
    }
    return nullptr;
}

Point OriginInTopLevel(const WindowData& data)
{
    Point origin;
    const WindowData* w = &data;
    while (w && !w->IsTopLevel()) {
        origin.x += w->rect.left;
        origin.y += w->rect.top;
        w = Find(w->parent);
    }
    return origin;
}

Point ClientOriginOnScreen(const WindowData& data)
{
    Point origin = OriginInTopLevel(data);
    const WindowData* top = TopLevelOf(const_cast<WindowData&>(data));
    if (!top)
        return origin;
    bool framed = top->AsTopLevel()->framed;
    int insetX = framed ? kFrameSide : 0;
    int insetY = framed ? kFrameTop : 0;
    origin.x += top->rect.left + insetX;
    origin.y += top->rect.top + insetY;
    return origin;
}

Size ClientSize(const WindowData& data)
{
    int w = data.rect.Width();
    int h = data.rect.Height();
    if (const TopLevelState* top = data.AsTopLevel(); top && top->framed) {
        w -= 2 * kFrameSide;
        h -= kFrameTop + kFrameSide;
    }
    return { std::max(w, 0), std::max(h, 0) };
}

}
