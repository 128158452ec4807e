// The screen-test renderers on a 1920 x 1080 test window, each beside the
// floor it is held to in the same run:
//   block fill, dead pixel        vs std::fill of a 1920 x 1080 buffer          <= 1.2
//   vertical lines, v. gradient   vs a plain loop calling a non-inlined
//                                 per-column function, left to right          <= 1.3
//   horizontal lines, h. gradient vs std::fill of the whole buffer              <= 1.5
//   dot fill down / right         vs a plain loop calling a non-inlined
//                                 per-pixel function in the same order         <= 2
//   grey, black level, grid,
//   sharpness text page           vs std::fill of a 1920 x 1080 buffer          <= 1.5
//   gamma, sharpness checkerboard,
//   columns and rows              vs a plain loop writing the same one-pixel
//                                 pattern row by row                           <= 1.5
// Each floor runs twice: on a surface of its own and on the test window's
// back buffer itself, whose row pitch the window system chooses.
// Renderer and floor passes are timed in the thread's CPU time, so other
// processes on a shared machine do not skew them. Then, under an Xvfb of the
// same size that the benchmark starts itself, a left click on the test
// window until its next step is on screen (drawing and showing, wall time:
// the X server's work counts), beside the drawing alone and beside the floor
// a Linux program cannot beat on that server: filling a shared-memory image
// of the screen's size, XShmPutImage and XSync.

#include "platform/gfx/Surface.h"
#include "platform/ui/Automation.h"
#include "platform/ui/EventLoop.h"
#include "screentest/Patterns.h"
#include "screentest/TestWnd.h"
#include "support/Interleaved.h"
#include "support/Medians.h"
#include "support/PlainFloors.h"
#include "support/RatioTable.h"
#include "support/Timed.h"
#include "support/XShmTarget.h"
#include "support/Xvfb.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = benchsupport::kCanvasWidth;
constexpr int kHeight = benchsupport::kCanvasHeight;
constexpr std::uint32_t kXrgb = 0x0000FF;

benchsupport::Samples g_seconds;
benchsupport::Xvfb g_xvfb;

using benchsupport::Canvas;
using benchsupport::PlainColumn;
using benchsupport::PlainSetPixel;
using benchsupport::ThreadSeconds;
constexpr auto WallSeconds = benchsupport::SteadySeconds;

template <typename F>
void Run(benchmark::State& state, const std::string& name, double (*clock)(), F&& pass)
{
    benchsupport::Timed(state, g_seconds, name, pass, clock);
}

// The test window, covering the (1920 x 1080) screen, modeless so the
// benchmarks run from main's own loop; made again when a benchmark wants
// the information lines on (1) or off (0) and the window has them the
// other way.
CTestWnd& TestWindow(int showInfo = 0)
{
    static CTestWnd* wnd = nullptr;
    if (!wnd || wnd->ShowInfo() != showInfo) {
        if (wnd)
            wnd->DestroyWindow();
        delete wnd;
        wnd = new CTestWnd({ FindPattern("block-fill"), "块填充\n纯色测试", showInfo });
        wnd->Create();
        plat::ProcessPendingMessages();
    }
    return *wnd;
}

void Renderer(benchmark::State& state, const char* name, std::string_view pattern, int step = 0)
{
    CTestWnd& wnd = TestWindow();
    plat::Rect client;
    wnd.GetClientRect(&client);
    if (client.Width() != kWidth || client.Height() != kHeight) {
        state.SkipWithError("the test window is not 1920 x 1080");
        return;
    }
    wnd.ShowPattern(*FindPattern(pattern), step);
    Run(state, name, ThreadSeconds, [&] { wnd.DrawPattern(); });
}

void BM_BlockFill(benchmark::State& s) { Renderer(s, "DrawBlockFill", "block-fill"); }
void BM_DeadPixel(benchmark::State& s) { Renderer(s, "DrawDeadPixel", "dead-pixel"); }
void BM_VLineFill(benchmark::State& s) { Renderer(s, "DrawVLineFill", "vline-fill"); }
void BM_HLineFill(benchmark::State& s) { Renderer(s, "DrawHLineFill", "hline-fill"); }
void BM_DotFillDown(benchmark::State& s) { Renderer(s, "DrawDotFillDown", "dot-fill-down"); }
void BM_DotFillRight(benchmark::State& s) { Renderer(s, "DrawDotFillRight", "dot-fill-right"); }
void BM_VLineGradient(benchmark::State& s) { Renderer(s, "DrawVLineGradient", "vline-gradient"); }
void BM_HLineGradient(benchmark::State& s) { Renderer(s, "DrawHLineGradient", "hline-gradient"); }
void BM_Grey(benchmark::State& s) { Renderer(s, "DrawGrey", "grey"); }
void BM_BlackLevel(benchmark::State& s) { Renderer(s, "DrawBlackLevel", "black-level"); }
void BM_Gamma(benchmark::State& s) { Renderer(s, "DrawGamma", "gamma"); }
void BM_SharpnessChecks(benchmark::State& s) { Renderer(s, "DrawSharpness checkerboard", "sharpness", 0); }
void BM_SharpnessColumns(benchmark::State& s) { Renderer(s, "DrawSharpness columns", "sharpness", 1); }
void BM_SharpnessRows(benchmark::State& s) { Renderer(s, "DrawSharpness rows", "sharpness", 2); }
void BM_SharpnessText(benchmark::State& s) { Renderer(s, "DrawSharpness text", "sharpness", 3); }
void BM_Grid(benchmark::State& s) { Renderer(s, "DrawGrid", "grid"); }

// Where a floor writes: its own padded surface (argument 0), or the test
// window's back buffer itself (argument 1: the very pixels the renderers
// write, with the window system's row pitch).
struct FloorTarget {
    std::uint32_t* pixels = nullptr;
    int pitch = 0;
    std::string suffix;
};

FloorTarget TargetFor(benchmark::State& state, Canvas& own)
{
    if (state.range(0) == 0)
        return { own.pixels, own.pitch, "" };
    // The benchmark owns the window; writing its buffer directly is the point.
    auto* back = const_cast<plat::Surface*>(plat::automation::BackBuffer(TestWindow()));
    if (!back || back->Width() != kWidth || back->Height() != kHeight)
        return {};
    return { back->Data(), back->Pitch(), " (window buffer)" };
}

void BM_StdFill(benchmark::State& state)
{
    Canvas c;
    FloorTarget t = TargetFor(state, c);
    if (!t.pixels) {
        state.SkipWithError("no 1920 x 1080 window buffer");
        return;
    }
    // Constant counts, as the optimiser vectorises best.
    Run(state, "std::fill" + t.suffix, ThreadSeconds, [&] {
        if (t.pitch == kWidth) {
            std::fill_n(t.pixels, static_cast<std::size_t>(kWidth) * kHeight, kXrgb);
            return;
        }
        for (int y = 0; y < kHeight; ++y)
            std::fill_n(t.pixels + static_cast<std::ptrdiff_t>(y) * t.pitch, kWidth, kXrgb);
    });
}

void BM_PlainColumns(benchmark::State& state)
{
    Canvas c;
    FloorTarget t = TargetFor(state, c);
    if (!t.pixels) {
        state.SkipWithError("no 1920 x 1080 window buffer");
        return;
    }
    Run(state, "plain columns" + t.suffix, ThreadSeconds, [&] {
        for (int x = 0; x < kWidth; ++x)
            PlainColumn(t.pixels, t.pitch, x, kHeight, kXrgb);
    });
}

void BM_PlainPixelsByRow(benchmark::State& state)
{
    Canvas c;
    FloorTarget t = TargetFor(state, c);
    if (!t.pixels) {
        state.SkipWithError("no 1920 x 1080 window buffer");
        return;
    }
    Run(state, "plain pixels by row" + t.suffix, ThreadSeconds, [&] {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                PlainSetPixel(t.pixels, t.pitch, x, y, kXrgb);
    });
}

void BM_PlainPixelsByColumn(benchmark::State& state)
{
    Canvas c;
    FloorTarget t = TargetFor(state, c);
    if (!t.pixels) {
        state.SkipWithError("no 1920 x 1080 window buffer");
        return;
    }
    Run(state, "plain pixels by column" + t.suffix, ThreadSeconds, [&] {
        for (int x = 0; x < kWidth; ++x)
            for (int y = 0; y < kHeight; ++y)
                PlainSetPixel(t.pixels, t.pitch, x, y, kXrgb);
    });
}

// Every pixel written in a plain loop, white or black by `white(x, y)`:
// the floor of the charts' one-pixel patterns.
template <class White>
void PlainPattern(benchmark::State& state, const char* name, White white)
{
    Canvas c;
    FloorTarget t = TargetFor(state, c);
    if (!t.pixels) {
        state.SkipWithError("no 1920 x 1080 window buffer");
        return;
    }
    Run(state, name + t.suffix, ThreadSeconds, [&] {
        for (int y = 0; y < kHeight; ++y) {
            std::uint32_t* row = t.pixels + static_cast<std::ptrdiff_t>(y) * t.pitch;
            for (int x = 0; x < kWidth; ++x)
                row[x] = white(x, y) ? 0xFFFFFFu : 0u;
        }
    });
}

void BM_PlainCheckerboard(benchmark::State& s)
{
    PlainPattern(s, "plain checkerboard", [](int x, int y) { return (x + y) % 2 == 0; });
}
void BM_PlainColumnStripes(benchmark::State& s)
{
    PlainPattern(s, "plain column stripes", [](int x, int) { return x % 2 == 0; });
}
void BM_PlainRowStripes(benchmark::State& s)
{
    PlainPattern(s, "plain row stripes", [](int, int y) { return y % 2 == 0; });
}

// A left click (mode 1, information lines on) until the new step is shown:
// the loop handles the click, the handler draws, the loop presents.
void BM_ClickToScreen(benchmark::State& state)
{
    CTestWnd& wnd = TestWindow(1);
    if (!g_xvfb.Running()) {
        state.SkipWithError("no Xvfb: nothing is shown on a screen");
        return;
    }
    plat::ProcessPendingMessages();
    Run(state, "click to screen", WallSeconds, [&] {
        plat::automation::Click(wnd, { kWidth / 2, kHeight / 2 });
        plat::ProcessPendingMessages();
    });
}

// The same step drawn without the event loop or showing it.
void BM_ClickDrawOnly(benchmark::State& state)
{
    CTestWnd& wnd = TestWindow(1);
    Run(state, "draw only", WallSeconds, [&] { wnd.DrawPattern(); });
}

void BM_FillAndShowFloor(benchmark::State& state)
{
    if (!g_xvfb.Running()) {
        state.SkipWithError("no Xvfb");
        return;
    }
    benchsupport::XShmTarget floor;
    if (!floor.Open(kWidth, kHeight)) {
        floor.Close();
        state.SkipWithError("no shared-memory X image");
        return;
    }
    std::uint32_t colour = 0;
    auto* pixels = reinterpret_cast<std::uint32_t*>(floor.image->data);
    Run(state, "fill+XShmPutImage", WallSeconds, [&] {
        colour ^= 0x00FF00;
        std::fill_n(pixels, static_cast<std::size_t>(kWidth) * kHeight, colour);
        floor.Put();
    });
    floor.Close();
}

BENCHMARK(BM_StdFill)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainColumns)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPixelsByRow)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPixelsByColumn)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlockFill)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeadPixel)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VLineFill)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HLineFill)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DotFillDown)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DotFillRight)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VLineGradient)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HLineGradient)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainCheckerboard)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainColumnStripes)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRowStripes)->Arg(0)->Arg(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grey)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BlackLevel)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gamma)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharpnessChecks)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharpnessColumns)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharpnessRows)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SharpnessText)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Grid)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickToScreen)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickDrawOnly)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FillAndShowFloor)->UseManualTime()->Unit(benchmark::kMillisecond);

void PrintSummary()
{
    benchsupport::PrintRatioTable(g_seconds, {
                                                 { "DrawBlockFill", "std::fill", "<= 1.2" },
                                                 { "DrawDeadPixel", "std::fill", "<= 1.2" },
                                                 { "DrawVLineFill", "plain columns", "<= 1.3" },
                                                 { "DrawVLineGradient", "plain columns", "<= 1.3" },
                                                 { "DrawHLineFill", "std::fill", "<= 1.5" },
                                                 { "DrawHLineGradient", "std::fill", "<= 1.5" },
                                                 { "DrawDotFillDown", "plain pixels by row", "<= 2" },
                                                 { "DrawDotFillRight", "plain pixels by column", "<= 2" },
                                                 { "DrawBlockFill", "std::fill (window buffer)", "<= 1.2" },
                                                 { "DrawDeadPixel", "std::fill (window buffer)", "<= 1.2" },
                                                 { "DrawVLineFill", "plain columns (window buffer)", "<= 1.3" },
                                                 { "DrawVLineGradient", "plain columns (window buffer)", "<= 1.3" },
                                                 { "DrawHLineFill", "std::fill (window buffer)", "<= 1.5" },
                                                 { "DrawHLineGradient", "std::fill (window buffer)", "<= 1.5" },
                                                 { "DrawDotFillDown", "plain pixels by row (window buffer)", "<= 2" },
                                                 { "DrawDotFillRight", "plain pixels by column (window buffer)", "<= 2" },
                                                 { "DrawGrey", "std::fill", "<= 1.5" },
                                                 { "DrawBlackLevel", "std::fill", "<= 1.5" },
                                                 { "DrawSharpness text", "std::fill", "<= 1.5" },
                                                 { "DrawGrid", "std::fill", "<= 1.5" },
                                                 { "DrawGamma", "plain row stripes", "<= 1.5" },
                                                 { "DrawSharpness checkerboard", "plain checkerboard", "<= 1.5" },
                                                 { "DrawSharpness columns", "plain column stripes", "<= 1.5" },
                                                 { "DrawSharpness rows", "plain row stripes", "<= 1.5" },
                                                 { "DrawGrey", "std::fill (window buffer)", "<= 1.5" },
                                                 { "DrawBlackLevel", "std::fill (window buffer)", "<= 1.5" },
                                                 { "DrawSharpness text", "std::fill (window buffer)", "<= 1.5" },
                                                 { "DrawGrid", "std::fill (window buffer)", "<= 1.5" },
                                                 { "DrawGamma", "plain row stripes (window buffer)", "<= 1.5" },
                                                 { "DrawSharpness checkerboard", "plain checkerboard (window buffer)", "<= 1.5" },
                                                 { "DrawSharpness columns", "plain column stripes (window buffer)", "<= 1.5" },
                                                 { "DrawSharpness rows", "plain row stripes (window buffer)", "<= 1.5" },
                                                 { "click to screen", "fill+XShmPutImage", "<= 1.3" },
                                                 { "click to screen", "draw only", "" },
                                             });
}

}

int main(int argc, char** argv)
{
    // The test window covers the primary screen: an Xvfb of 1920 x 1080 makes
    // it that size and lets the click case show on a real X server.
    unsetenv("SDL_VIDEODRIVER");
    if (!g_xvfb.Start("1920x1080x24", 230)) {
        (void)std::fprintf(stderr, "bench_screentest: no Xvfb, the click case is skipped\n");
        g_xvfb.Stop();
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    }
    if (!benchsupport::InitializeInterleaved(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    // The X server goes last: nothing may still talk to it when it ends.
    TestWindow().DestroyWindow();
    SDL_Quit();
    g_xvfb.Stop();
    return 0;
}
