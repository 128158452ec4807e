#include "platform/gfx/ProcessClock.h"

#include <chrono>

namespace plat {

long ProcessClockMs()
{
    using Clock = std::chrono::steady_clock;
    static const Clock::time_point start = Clock::now();
    return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

}
