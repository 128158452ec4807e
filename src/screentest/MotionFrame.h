#pragma once

// One frame of a moving pattern: its place in time is the display's refresh
// count, never the wall clock, so a frame shown late or never shows as a
// jump in the motion, as a camera sees it. Positions are x = x0 + v × n /
// rate, wrapped into the span the object travels.

#include <cstdint>

namespace motion {

struct MotionFrame {
    std::uint64_t refresh = 0; // n
    double rateHz = 60;        // the display's refresh rate
    double speed = 960;        // pixels per second
};

// Pixels travelled by refresh n (v × n / rate); 0 for a rate that is not
// positive.
double Travel(const MotionFrame& f);
// The left edge of an object starting at `x0` and moving right, wrapped into
// [x0, x0 + span); x0 when span is not positive.
int WrappedLeft(const MotionFrame& f, int x0, int span);
// The same frame with its refresh count held back to the last multiple of
// `every` (1 = every refresh): a lane drawn at a fraction of the rate.
MotionFrame EveryNth(MotionFrame f, std::uint64_t every);

}
