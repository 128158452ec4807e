#pragma once

// Message maps: a static table per window class from a message (or a
// button-click command and its control identifier) to a member handler.
// A class declares its table with LV_DECLARE_MESSAGE_MAP() and defines it
// in its .cpp:
//
//     LV_BEGIN_MESSAGE_MAP(CMainDlg, plat::Dialog)
//         LV_ON_WM_SYSCOMMAND()
//         LV_ON_BN_CLICKED(IDC_BLOCKFILL, OnTestBlockFill)
//     LV_END_MESSAGE_MAP()
//
// Messages found in no table of the class chain go to default processing.

#include "platform/ui/Messages.h"

#include <cstdint>

namespace plat {

class Wnd;
class DeviceContext;
class Brush;
class Icon;
struct DrawItemStruct;

// lParam of WM_CTLCOLOR (wParam is the DeviceContext*).
struct CtlColorRequest {
    Wnd* control = nullptr;
    unsigned kind = 0;
};

using MessageThunk = LRESULT (*)(Wnd& wnd, WPARAM wParam, LPARAM lParam);

struct MessageEntry {
    unsigned message = 0;
    unsigned code = 0; // notification code, WM_COMMAND only
    int id = 0;        // control identifier, WM_COMMAND only
    MessageThunk thunk = nullptr;
};

struct MessageMap {
    const MessageMap* (*base)() = nullptr;
    const MessageEntry* entries = nullptr; // ends with a null thunk
};

// Adapters from (wParam, lParam) to the handlers' typed signatures.
namespace msgmap {

template <class T, auto F>
LRESULT Void(Wnd& w, WPARAM, LPARAM)
{
    (static_cast<T&>(w).*F)();
    return 0;
}

template <class T, auto F>
LRESULT Mouse(Wnd& w, WPARAM wp, LPARAM lp)
{
    (static_cast<T&>(w).*F)(static_cast<unsigned>(wp), PointFromLParam(lp));
    return 0;
}

template <class T, auto F>
LRESULT EraseBkgnd(Wnd& w, WPARAM wp, LPARAM)
{
    return (static_cast<T&>(w).*F)(reinterpret_cast<DeviceContext*>(wp)) ? 1 : 0;
}

template <class T, auto F>
LRESULT Timer(Wnd& w, WPARAM wp, LPARAM)
{
    (static_cast<T&>(w).*F)(static_cast<std::uintptr_t>(wp));
    return 0;
}

template <class T, auto F>
LRESULT SysCommand(Wnd& w, WPARAM wp, LPARAM lp)
{
    (static_cast<T&>(w).*F)(static_cast<unsigned>(wp), lp);
    return 0;
}

template <class T, auto F>
LRESULT CtlColor(Wnd& w, WPARAM wp, LPARAM lp)
{
    const auto* request = reinterpret_cast<const CtlColorRequest*>(lp);
    const Brush* brush = (static_cast<T&>(w).*F)(reinterpret_cast<DeviceContext*>(wp), request->control, request->kind);
    return reinterpret_cast<LRESULT>(brush);
}

template <class T, auto F>
LRESULT DrawItem(Wnd& w, WPARAM wp, LPARAM lp)
{
    (static_cast<T&>(w).*F)(static_cast<int>(wp), reinterpret_cast<DrawItemStruct*>(lp));
    return 1;
}

template <class T, auto F>
LRESULT QueryDragIcon(Wnd& w, WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>((static_cast<T&>(w).*F)());
}

template <class T, auto F>
LRESULT KeyDown(Wnd& w, WPARAM wp, LPARAM lp)
{
    (static_cast<T&>(w).*F)(static_cast<unsigned>(wp), static_cast<unsigned>(lp & 0xffff), static_cast<unsigned>(lp >> 16));
    return 0;
}

template <class T, auto F>
LRESULT Raw(Wnd& w, WPARAM wp, LPARAM lp)
{
    return (static_cast<T&>(w).*F)(wp, lp);
}

}

}

#define LV_DECLARE_MESSAGE_MAP()                              \
protected:                                                    \
    static const ::plat::MessageMap* GetThisMessageMap();     \
                                                              \
public:                                                       \
    const ::plat::MessageMap* GetMessageMap() const override; \
                                                              \
private:

#define LV_BEGIN_MESSAGE_MAP(theClass, baseClass)                                             \
    const ::plat::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const ::plat::MessageMap* theClass::GetThisMessageMap()                                   \
    {                                                                                         \
        using ThisClass = theClass;                                                           \
        using TheBaseClass = baseClass;                                                       \
        static const ::plat::MessageEntry kEntries[] = {

#define LV_END_MESSAGE_MAP()                                                             \
    {                                                                                    \
        0, 0, 0, nullptr                                                                 \
    }                                                                                    \
    }                                                                                    \
    ;                                                                                    \
    static const ::plat::MessageMap kMap { &TheBaseClass::GetThisMessageMap, kEntries }; \
    return &kMap;                                                                        \
    }

// void OnMouseMove(unsigned flags, plat::Point point), likewise for the buttons.
#define LV_ON_WM_MOUSEMOVE() { ::plat::WM_MOUSEMOVE, 0, 0, &::plat::msgmap::Mouse<ThisClass, &ThisClass::OnMouseMove> },
#define LV_ON_WM_LBUTTONDOWN() { ::plat::WM_LBUTTONDOWN, 0, 0, &::plat::msgmap::Mouse<ThisClass, &ThisClass::OnLButtonDown> },
#define LV_ON_WM_LBUTTONUP() { ::plat::WM_LBUTTONUP, 0, 0, &::plat::msgmap::Mouse<ThisClass, &ThisClass::OnLButtonUp> },
#define LV_ON_WM_RBUTTONDOWN() { ::plat::WM_RBUTTONDOWN, 0, 0, &::plat::msgmap::Mouse<ThisClass, &ThisClass::OnRButtonDown> },
#define LV_ON_WM_MBUTTONDOWN() { ::plat::WM_MBUTTONDOWN, 0, 0, &::plat::msgmap::Mouse<ThisClass, &ThisClass::OnMButtonDown> },
#define LV_ON_WM_RBUTTONUP() { ::plat::WM_RBUTTONUP, 0, 0, &::plat::msgmap::Mouse<ThisClass, &ThisClass::OnRButtonUp> },
// bool OnEraseBkgnd(plat::DeviceContext* dc): true when the background was erased.
#define LV_ON_WM_ERASEBKGND() { ::plat::WM_ERASEBKGND, 0, 0, &::plat::msgmap::EraseBkgnd<ThisClass, &ThisClass::OnEraseBkgnd> },
// void OnPaint()
#define LV_ON_WM_PAINT() { ::plat::WM_PAINT, 0, 0, &::plat::msgmap::Void<ThisClass, &ThisClass::OnPaint> },
// void OnTimer(std::uintptr_t id)
#define LV_ON_WM_TIMER() { ::plat::WM_TIMER, 0, 0, &::plat::msgmap::Timer<ThisClass, &ThisClass::OnTimer> },
// void OnSysCommand(unsigned id, plat::LPARAM param)
#define LV_ON_WM_SYSCOMMAND() { ::plat::WM_SYSCOMMAND, 0, 0, &::plat::msgmap::SysCommand<ThisClass, &ThisClass::OnSysCommand> },
// const plat::Brush* OnCtlColor(plat::DeviceContext* dc, plat::Wnd* control, unsigned kind)
#define LV_ON_WM_CTLCOLOR() { ::plat::WM_CTLCOLOR, 0, 0, &::plat::msgmap::CtlColor<ThisClass, &ThisClass::OnCtlColor> },
// void OnDrawItem(int id, plat::DrawItemStruct* item)
#define LV_ON_WM_DRAWITEM() { ::plat::WM_DRAWITEM, 0, 0, &::plat::msgmap::DrawItem<ThisClass, &ThisClass::OnDrawItem> },
// const plat::Icon* OnQueryDragIcon()
#define LV_ON_WM_QUERYDRAGICON() { ::plat::WM_QUERYDRAGICON, 0, 0, &::plat::msgmap::QueryDragIcon<ThisClass, &ThisClass::OnQueryDragIcon> },
// void OnKeyDown(unsigned key, unsigned repeat, unsigned flags)
#define LV_ON_WM_KEYDOWN() { ::plat::WM_KEYDOWN, 0, 0, &::plat::msgmap::KeyDown<ThisClass, &ThisClass::OnKeyDown> },
// void OnChar(unsigned character, unsigned repeat, unsigned flags): the character typed, a Unicode code point
#define LV_ON_WM_CHAR() { ::plat::WM_CHAR, 0, 0, &::plat::msgmap::KeyDown<ThisClass, &ThisClass::OnChar> },
// void OnClose(), void OnDestroy()
#define LV_ON_WM_CLOSE() { ::plat::WM_CLOSE, 0, 0, &::plat::msgmap::Void<ThisClass, &ThisClass::OnClose> },
#define LV_ON_WM_DESTROY() { ::plat::WM_DESTROY, 0, 0, &::plat::msgmap::Void<ThisClass, &ThisClass::OnDestroy> },
// void memberFxn(): the click of control `id`, or a command `id`.
#define LV_ON_BN_CLICKED(id, memberFxn) { ::plat::WM_COMMAND, ::plat::BN_CLICKED, (id), &::plat::msgmap::Void<ThisClass, &ThisClass::memberFxn> },
#define LV_ON_COMMAND(id, memberFxn) LV_ON_BN_CLICKED(id, memberFxn)
// plat::LRESULT memberFxn(plat::WPARAM, plat::LPARAM)
#define LV_ON_MESSAGE(message, memberFxn) { (message), 0, 0, &::plat::msgmap::Raw<ThisClass, &ThisClass::memberFxn> },
