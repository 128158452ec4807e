#pragma once

// What a pattern adds to the test window beyond drawing its steps. Most
// rows have none; an animated pattern takes frames, an interactive one
// keys, clicks and a timer. The window makes the hooks afresh each time
// their pattern is shown and drops them when another pattern is, so their
// state lives with them, never in the window.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "screentest/MotionDamage.h"
#include "screentest/MotionFrame.h"

#include <cstdint>
#include <string_view>

// What the test window lends a pattern's hooks.
class PatternHost {
public:
    // Draws the current step again, as a step key does (DrawInstead first).
    virtual void Redraw() = 0;
    // OnTimer every `ms` milliseconds until StopTimer.
    virtual void StartTimer(unsigned ms) = 0;
    virtual void StopTimer() = 0;
    // Continuous frames paced to the display: DrawFrame once a refresh
    // while on.
    virtual void RequestFrames(bool on) = 0;
    // The speed of moving patterns in pixels per second; it stays when
    // another pattern is shown.
    virtual double MotionSpeed() const = 0;
    virtual void SetMotionSpeed(double speed) = 0;
    // Milliseconds of a clock that only moves forward.
    virtual long Now() const = 0;
    // The last mark on this monitor, else the pixel under the pointer.
    virtual plat::Point Focus() = 0;

protected:
    ~PatternHost() = default;
};

class PatternHooks {
public:
    virtual ~PatternHooks() = default;
    // The pattern has just come on screen (its first step is drawn after):
    // an animated one asks for frames here.
    virtual void OnShow(PatternHost& host);
    // A key pressed while the pattern shows; true when taken, and then the
    // window does nothing else with it.
    virtual bool OnKey(PatternHost& host, unsigned key);
    // A left or right click; true when taken.
    virtual bool OnClick(PatternHost& host);
    virtual void OnTimer(PatternHost& host);
    // One refresh of an animated pattern, drawn into `area` of the frame's
    // buffer: frame `now` (its refresh counted by the display since frames
    // were asked for, so a late frame shows as a jump) over `before`, the
    // frame the buffer already shows (null: unknown, draw it all). What it
    // drew goes into `damage`.
    virtual void DrawFrame(plat::DeviceContext& dc, const plat::Rect& area, const motion::MotionFrame& now,
        const motion::MotionFrame* before, motion::MotionDamage& damage);
    // Draws the whole window instead of the step (and true), or leaves the
    // step to the row's renderer (false). While the hooks draw instead, the
    // window's overlays wait.
    virtual bool DrawInstead(plat::DeviceContext& dc, const plat::Rect& area);
    // What the first information line says about the keys and clicks;
    // empty for the window's own ("left click: next, right click: end").
    virtual std::string_view KeysRemark() const;
    // Over the step once it is drawn and timed, under the overlays.
    virtual void DrawOver(plat::DeviceContext& dc, const plat::Rect& area, const plat::Font& font);
};
