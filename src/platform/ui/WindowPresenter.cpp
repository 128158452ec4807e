#include "platform/ui/WindowPresenter.h"

#include "platform/ui/NativeWindow.h"
#include "platform/ui/WindowData.h"
#include "platform/ui/WindowSystem.h"

namespace plat {

namespace {

NativeWindow* NativeOf(HWND hwnd)
{
    WindowData* data = windows::Find(hwnd);
    return data ? data->Native() : nullptr;
}

}

WindowPresenter::WindowPresenter(HWND hwnd)
    : m_hwnd(hwnd)
{
    if (NativeWindow* native = NativeOf(hwnd))
        native->LendPixels(true);
}

WindowPresenter::~WindowPresenter()
{
    m_presenter.reset();
    if (NativeWindow* native = NativeOf(m_hwnd))
        native->LendPixels(false);
}

present::Presenter* WindowPresenter::Frames()
{
    if (m_presenter)
        return m_presenter.get();
    NativeWindow* native = NativeOf(m_hwnd);
    if (!native || !native->Shown() || !native->Window())
        return nullptr;
    m_presenter = present::MakePresenter(native->Window(), TheWindowSystem().PresenterBackend(*native));
    return m_presenter.get();
}

}
