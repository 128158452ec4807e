#include "platform/ui/ClientDC.h"

#include "platform/ui/Painter.h"
#include "platform/ui/WindowData.h"

namespace plat {

namespace {

DeviceContext ContextOf(Wnd* wnd)
{
    WindowData* data = windows::Find(wnd);
    return data ? painter::ContextFor(*data) : DeviceContext();
}

}

ClientDC::ClientDC(Wnd* wnd)
    : DeviceContext(ContextOf(wnd))
{
}

PaintDC::PaintDC(Wnd* wnd)
    : DeviceContext(ContextOf(wnd))
{
}

}
