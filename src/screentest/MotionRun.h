#pragma once

// One window's run of motion frames: the window's pixels lent to a
// presenter (made once the window is shown, again after a move to another
// monitor), the
// account of what became of each frame, the refresh each frame is drawn
// for, and the frames the presenter's buffers still show, so each frame
// draws only what differs from the frame its buffer holds. Each frame also
// carries the state chip in a strip along the bottom, outside the area the
// pattern moves in, and whatever the window draws over it (its
// information lines).

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/present/FrameLedger.h"
#include "platform/ui/WindowPresenter.h"
#include "screentest/MotionClock.h"
#include "screentest/MotionReading.h"
#include "screentest/PatternHooks.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>

class CMotionRun {
public:
    // Draws over a frame, once the pattern and chip are drawn; returns what
    // it covered.
    using DrawOver = std::function<plat::Rect(plat::DeviceContext& dc, const MotionReading& reading)>;

    explicit CMotionRun(plat::HWND hwnd);
    // Waits (briefly) for the frames still on their way, so none of them
    // lands over what the window draws next.
    ~CMotionRun();

    // One frame of `hooks`' pattern at `speed` px/s. False when none was
    // presented: the window is not shown yet or no buffer came in time.
    bool Frame(PatternHooks& hooks, double speed, const plat::Font& font, const DrawOver& drawOver);
    // The window moved to another monitor: a new presenter there, and the
    // measurement starts again on that monitor's refresh.
    void Restart();
    // The window's contents were lost (an expose): the next frame is
    // presented whole.
    void ShowWhole() { m_showWhole = true; }

    MotionReading Reading() const;
    // The frames on their way reported (or a short while passed).
    void Drain();
    plat::present::TimingHealth Health() const;

private:
    // The frame `age` frames back, which a buffer of that age shows; null
    // when unknown.
    const motion::MotionFrame* Shown(int age) const;
    // What changed on screen since that frame, before this one.
    plat::Rect ChangedSince(int age) const;
    // The rate positions are computed with: the claimed one, else the
    // measured one, else 60 Hz until it is measured.
    double RateHz() const;
    plat::Rect DrawChip(plat::DeviceContext& dc, const plat::Rect& strip, const plat::Font& font);

    plat::WindowPresenter m_window;
    plat::present::FrameLedger m_ledger;
    CMotionClock m_clock;
    struct Presented {
        motion::MotionFrame frame;
        plat::Rect damage; // where it differed from the frame before it
    };
    std::deque<Presented> m_frames; // newest last
    plat::Rect m_bounds;            // the buffers' size the frames were drawn at
    bool m_showWhole = true;
    int m_chipWidth = 0; // the widest chip drawn since the last whole frame
};
