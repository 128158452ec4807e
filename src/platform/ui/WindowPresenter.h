#pragma once

// A presenter on a top-level window's pixels, for frames paced to the
// display. From the moment this object is made the window's back buffer is
// lent (drawing through contexts still works, none of it is shown), so SDL
// never makes a window surface behind the presenter's buffers; the
// presenter itself is made once the window is shown (it needs the window
// system's window on screen). Its backend is the window system's choice
// (WindowSystem::PresenterBackend): a window whose pixels SDL already holds
// where they cannot be shared gets the fallback, which draws into the back
// buffer itself and shows it as every window does. Destroying this object
// gives the pixels back to the back buffer.

#include "platform/present/Presenter.h"
#include "platform/ui/Wnd.h"

#include <memory>

namespace plat {

class WindowPresenter {
public:
    explicit WindowPresenter(HWND hwnd);
    ~WindowPresenter();
    WindowPresenter(const WindowPresenter&) = delete;
    WindowPresenter& operator=(const WindowPresenter&) = delete;

    // The presenter, made at the first call once the window is shown;
    // null before, or when the window cannot be shown.
    present::Presenter* Frames();
    // The presenter if it has been made.
    const present::Presenter* Shown() const { return m_presenter.get(); }
    // Drops the presenter: the next Frames() makes one afresh (the window
    // moved to another output).
    void Remake() { m_presenter.reset(); }

private:
    HWND m_hwnd;
    std::unique_ptr<present::Presenter> m_presenter;
};

}
