#pragma once

// Driving a modal loop from a test: steps queued into the loop that runs
// then, and a watchdog that ends the process if a broken test would leave a
// modal run waiting forever.

#include "platform/ui/EventLoop.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <thread>

namespace lvtest {

// Ends the process after `seconds`, so a failing test fails instead of hanging.
inline void StartWatchdog(int seconds)
{
    std::thread([seconds] {
        std::this_thread::sleep_for(std::chrono::seconds(seconds));
        plat::PostTask([] {
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
