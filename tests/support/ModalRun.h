#pragma once

// Driving windows from a test. A modal dialog runs through a script of
// steps, each once the loop is idle after the one before (its clicks
// handled, its repaints done); a watchdog ends the process if a broken test
// would leave a modal run waiting forever, and is disarmed when the test
// that started it ends, so a whole binary can run any length. A modeless
// window is driven by pumping the loop between checks.

#include "platform/ui/Automation.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/EventLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <concepts>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

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
inline void StartWatchdog(int seconds = 60)
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

// One step of a script: an action, or a wait (Until).
class Step {
public:
    template <std::invocable F>
    Step(F action) // implicit: a script is written as a list of lambdas
        : m_action(std::move(action))
    {
    }

    // Holds the script until `ready` is true, checked each time the loop is
    // idle; the step after it runs once what followed has settled. After
    // `limit` the script goes on, and the test's own checks say what is missing.
    static Step Until(std::function<bool()> ready, std::chrono::seconds limit = std::chrono::seconds(20))
    {
        Step step([] {});
        step.m_ready = std::move(ready);
        step.m_limit = limit;
        return step;
    }

private:
    friend struct Script;
    std::function<void()> m_action;
    std::function<bool()> m_ready;
    std::chrono::seconds m_limit {};
};

// Who ends a scripted run.
enum class Ending {
    AfterTheSteps, // IDOK once the last step's work has settled
    ByTheSteps,    // a step ends it; the run's result is theirs alone
};

struct Script {
    plat::Dialog* dialog = nullptr;
    std::vector<Step> steps;
    Ending ending = Ending::AfterTheSteps;
    bool over = false; // the run ended: what is still queued does nothing

    static void RunFrom(const std::shared_ptr<Script>& script, std::size_t next)
    {
        plat::PostIdleTask([script, next] {
            if (script->over)
                return;
            if (next == script->steps.size()) {
                if (script->ending == Ending::AfterTheSteps)
                    AtTheEnd([script] {
                        if (!script->over)
                            script->dialog->EndDialog(plat::IDOK);
                    });
                return;
            }
            Step& step = script->steps[next];
            if (step.m_ready) {
                Wait(script, next, std::chrono::steady_clock::now() + step.m_limit);
                return;
            }
            step.m_action();
            RunFrom(script, next + 1);
        });
    }

    static void Wait(const std::shared_ptr<Script>& script, std::size_t at, std::chrono::steady_clock::time_point limit)
    {
        if (script->over)
            return;
        if (script->steps[at].m_ready() || std::chrono::steady_clock::now() > limit) {
            AtTheEnd([script, at] { RunFrom(script, at + 1); });
            return;
        }
        plat::PostIdleTask([script, at, limit] {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            Wait(script, at, limit);
        });
    }
};

// Runs `dialog` modally with `steps`, the first once its start-up has
// settled (what its initialisation queued has run). Steps queued after the
// run ended never run. Returns DoModal's result.
inline std::intptr_t RunModal(plat::Dialog& dialog, std::vector<Step> steps, Ending ending = Ending::AfterTheSteps)
{
    StartWatchdog();
    auto script = std::make_shared<Script>();
    script->dialog = &dialog;
    script->steps = std::move(steps);
    script->ending = ending;
    // Queued now, taken once the dialog's initialisation has run.
    plat::PostTask([script] { Script::RunFrom(script, 0); });
    std::intptr_t result = dialog.DoModal();
    script->over = true;
    return result;
}

inline void Pump() { plat::ProcessPendingMessages(); }

// Pumps until `done` holds; the milliseconds that took, or -1 after `limitMs`.
inline int WaitUntil(const std::function<bool()>& done, int limitMs = 2000)
{
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        Pump();
        int elapsed = static_cast<int>(
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count());
        if (done())
            return elapsed;
        if (elapsed > limitMs)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

// Pumps for `ms` milliseconds, so real timers can tick.
inline void PumpFor(int ms)
{
    WaitUntil([] { return false; }, ms);
}

// Pixels of a window's client area, row by row, as 0x00RRGGBB.
inline std::vector<std::uint32_t> ClientPixels(const plat::Wnd& wnd)
{
    plat::Rect r;
    wnd.GetClientRect(&r);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < r.Height(); ++y)
        for (int x = 0; x < r.Width(); ++x)
            pixels.push_back(plat::automation::Pixel(wnd, { x, y }));
    return pixels;
}

}
