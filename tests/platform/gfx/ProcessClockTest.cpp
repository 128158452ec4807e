#include "platform/gfx/ProcessClock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace plat {
namespace {

TEST(ProcessClock, CountsMillisecondsOfWallTimeIncludingWaits)
{
    const long start = ProcessClockMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const long elapsed = ProcessClockMs() - start;
    EXPECT_GE(elapsed, 30);
    EXPECT_LT(elapsed, 5000);
}

}
}
