#include "platform/gfx/ProcessClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace plat {
namespace {

// Read between two readings of the steady clock, a difference of whole
// milliseconds is at least the time slept and at most the outer span plus
// the one millisecond that truncation can add: a clock of CPU time, of
// other ticks or of a clock that drifts fails one side.
TEST(ProcessClock, CountsMillisecondsOfWallTimeIncludingWaits)
{
    for (int sleepMs : { 30, 120 }) {
        const auto outerStart = std::chrono::steady_clock::now();
        const long start = ProcessClockMs();
        std::this_thread::sleep_for(std::chrono::milliseconds(sleepMs));
        const long elapsed = ProcessClockMs() - start;
        const double outerMs
            = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - outerStart).count();
        EXPECT_GE(elapsed, sleepMs);
        EXPECT_LE(elapsed, outerMs + 1) << "slept " << sleepMs << " ms";
    }
}

}
}
