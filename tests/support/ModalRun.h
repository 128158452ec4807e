#pragma once

// Driving a modal loop from a test: steps queued into the loop that runs
// then, and a watchdog that ends the process if a broken test would leave a
// modal run waiting forever. A watchdog belongs to the test that started it:
// when that test ends it is disarmed, so a whole binary can run any length.

#include "platform/ui/EventLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace lvtest {

// Counts watchdog starts and test ends: a watchdog acts only while the
// count is still the one it was started with.
inline std::atomic<unsigned> g_watchdogEpoch { 0 };

class WatchdogDisarmer : public ::testing::EmptyTestEventListener {
    void OnTestEnd(const ::testing::TestInfo&) override { ++g_watchdogEpoch; }
};

inline const bool g_watchdogDisarmerInstalled = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new WatchdogDisarmer);
    return true;
}();

// Ends the process after `seconds` unless the current test has ended by
// then (or started another watchdog), so a failing test fails instead of
// hanging.
inline void StartWatchdog(int seconds)
{
    const unsigned epoch = ++g_watchdogEpoch;
    std::thread([seconds, epoch] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        if (g_watchdogEpoch != epoch)
            return;
        plat::PostTask([epoch] {
            if (g_watchdogEpoch != epoch)
                return;
            ADD_FAILURE() << "watchdog: a modal run did not end";
            std::exit(3);
        });
    }).detach();
}

// Queues `step` to run inside the loop that is running then.
inline void Then(std::function<void()> step)
{
    plat::PostTask(std::move(step));
}

// Runs `step` once the loop is idle: after everything queued so far, the
// repaints it caused, and whatever those queued in turn.
inline void AfterEverything(std::function<void()> step)
{
    plat::PostIdleTask(std::move(step));
}

// Runs `step` after the idle steps queued so far and those they queue in
// turn (each round goes to the back of the idle queue again).
inline void AtTheEnd(std::function<void()> step, int rounds = 50)
{
    if (rounds == 0) {
        step();
        return;
    }
    plat::PostIdleTask([step = std::move(step), rounds]() mutable { AtTheEnd(std::move(step), rounds - 1); });
}

}
