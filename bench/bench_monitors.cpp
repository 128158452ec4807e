// Moving a test to another monitor and drawing its step there, beside
// drawing the same step on a new window of that size: target <= 1.5.
// Under an Xvfb of 3200 x 1080 that the benchmark starts itself, the two
// "monitors" are the areas (0, 0, 1920 x 1080) and (1920, 0, 1280 x 1024);
// each pass alternates between them. A move is what the test window does
// on Tab once it knows the monitor's area: a topmost placement with a new
// frame, whose repaint draws the step at the new size and shows it. The
// floor makes a test window, places it on the area before its first
// repaint, and runs that repaint. Both are wall time until the step is on
// the X server (SDL waits for it after each update); information lines on.

#include "platform/ui/EventLoop.h"
#include "screentest/TestWnd.h"
#include "support/Interleaved.h"
#include "support/Medians.h"
#include "support/Xvfb.h"

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

benchsupport::Samples g_seconds;
benchsupport::Xvfb g_xvfb;

const plat::Rect kMonitors[] = { { 0, 0, 1920, 1080 }, { 1920, 0, 3200, 1024 } };

double WallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void Place(CTestWnd& wnd, const plat::Rect& r)
{
    wnd.SetWindowPos(plat::wndTopMost, r.left, r.top, r.Width(), r.Height(), plat::SWP_FRAMECHANGED);
}

// Block fill with the information lines, as its button starts it.
const TestLaunch kLaunch { FindPattern("block-fill"), "块填充\n纯色测试", 1 };

void BM_MoveToMonitor(benchmark::State& state)
{
    CTestWnd wnd(kLaunch);
    wnd.Create();
    plat::ProcessPendingMessages();
    int next = 1;
    for (auto _ : state) {
        const double start = WallSeconds();
        Place(wnd, kMonitors[next]);
        plat::ProcessPendingMessages();
        const double seconds = WallSeconds() - start;
        state.SetIterationTime(seconds);
        g_seconds["move to monitor"].push_back(seconds);
        next ^= 1;
    }
    wnd.DestroyWindow();
    plat::ProcessPendingMessages();
}

void BM_NewWindowOfThatSize(benchmark::State& state)
{
    int next = 1;
    for (auto _ : state) {
        CTestWnd wnd(kLaunch);
        const double start = WallSeconds();
        wnd.Create();
        Place(wnd, kMonitors[next]);
        plat::ProcessPendingMessages();
        const double seconds = WallSeconds() - start;
        state.SetIterationTime(seconds);
        g_seconds["new window"].push_back(seconds);
        wnd.DestroyWindow();
        plat::ProcessPendingMessages();
        next ^= 1;
    }
}

BENCHMARK(BM_MoveToMonitor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_NewWindowOfThatSize)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}

int main(int argc, char** argv)
{
    unsetenv("SDL_VIDEODRIVER");
    if (!g_xvfb.Start("3200x1080x24", 240)) {
        (void)std::fprintf(stderr, "bench_monitors: no Xvfb\n");
        g_xvfb.Stop();
        return 1;
    }
    if (!benchsupport::InitializeInterleaved(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    double move = benchsupport::Median(g_seconds["move to monitor"]) * 1000;
    double fresh = benchsupport::Median(g_seconds["new window"]) * 1000;
    std::printf("\n%-40s %12s\n", "case", "median ms");
    std::printf("%-40s %12.3f\n%-40s %12.3f\n", "move to monitor", move, "new window", fresh);
    if (fresh > 0)
        std::printf("\nmove to monitor / new window of that size: %.3f  (target <= 1.5)\n", move / fresh);
    // The X server goes last: nothing may still talk to it when it ends.
    SDL_Quit();
    g_xvfb.Stop();
    return 0;
}
