#include "platform/ui/WindowPresenter.h"

#include "platform/present/FallbackPresenter.h"
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

// The fallback's frames drawn into the window's own back buffer and shown
// the way every window shows it, so it works whatever SDL made for the
// window (its surface, or a renderer).
class BackBufferTarget final : public present::FallbackTarget {
public:
    explicit BackBufferTarget(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    Surface* Pixels(bool* fresh) override
    {
        NativeWindow* native = NativeOf(m_hwnd);
        if (!native)
            return nullptr;
        Surface& pixels = native->BackBuffer();
        if (pixels.IsEmpty())
            return nullptr;
        // SDL replaces its surface when the size changes: other memory.
        if (pixels.Row(0) != m_first || pixels.Width() != m_width || pixels.Height() != m_height) {
            m_first = pixels.Row(0);
            m_width = pixels.Width();
            m_height = pixels.Height();
            *fresh = true;
        }
        return &pixels;
    }

    bool Show(Rect damage) override
    {
        NativeWindow* native = NativeOf(m_hwnd);
        if (!native)
            return false;
        native->MarkDirty(damage);
        native->Present();
        return true;
    }

private:
    HWND m_hwnd;
    const std::uint32_t* m_first = nullptr;
    int m_width = 0;
    int m_height = 0;
};

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
    const present::Backend backend = TheWindowSystem().PresenterBackend(*native);
    if (backend != present::Backend::Fallback)
        m_presenter = present::MakePresenter(native->Window(), backend);
    // The fallback (also when the window system's own could not be made)
    // shows the back buffer, so the pixels go back to it.
    if (!m_presenter || m_presenter->Kind() == present::Backend::Fallback) {
        m_presenter.reset();
        native->LendPixels(false);
        m_presenter = present::MakeFallbackPresenter(native->Window(), std::make_unique<BackBufferTarget>(m_hwnd));
    }
    return m_presenter.get();
}

}
