#pragma once

namespace plat {

// Milliseconds since the first call, from the monotonic wall clock, like the
// Windows runtime's clock() with 1000 ticks per second; only differences of
// two readings mean anything. Wall time, not CPU time, so a measured drawing
// pass counts everything it took.
long ProcessClockMs();

}
