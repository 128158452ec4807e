// Drawing speed on a 1920 x 1080 surface, side by side with the floor each
// operation cannot beat and with the peers a Linux program would otherwise use:
//   FillRect (whole surface)      vs std::fill of the buffer, SDL_FillRect
//   1,920 vertical lines          vs a plain loop writing each column through a
//                                 non-inlined function, SDL's software renderer
//   1,080 horizontal lines        vs std::fill of the whole surface, the same plain loop per row
//   2,073,600 SetPixel calls      vs a plain loop calling a non-inlined set-pixel
//                                 function in the same order; SDL_FillRect and
//                                 pixman_fill with 1 x 1 rectangles
//   1,920 lines, a pen for each   vs the plain per-column loop
// Each iteration is one whole pass over the surface, timed in the thread's CPU
// time so that other processes on a shared machine do not skew the figures;
// the closing table gives the median time of every case and the ratios the
// drawing code is held to.

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "support/Interleaved.h"
#include "support/PlainFloors.h"
#include "support/RatioTable.h"
#include "support/Timed.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = benchsupport::kCanvasWidth;
constexpr int kHeight = benchsupport::kCanvasHeight;
constexpr plat::COLORREF kColour = plat::RGB(0, 0, 255);
constexpr std::uint32_t kXrgb = 0x0000FF;

benchsupport::Samples g_seconds;

using benchsupport::Canvas;
using benchsupport::PlainColumn;
using benchsupport::PlainRow;
using benchsupport::PlainSetPixel;

// Thread CPU time: other processes on a shared machine do not count.
template <typename F>
void Run(benchmark::State& state, const char* name, F&& pass)
{
    benchsupport::Timed(state, g_seconds, name, pass, benchsupport::ThreadSeconds);
}

void StdFill(benchmark::State& state)
{
    Canvas c;
    // A constant count, as the optimiser vectorises best: the floor for 1920 x 1080 pixels.
    Run(state, "std::fill", [&] { std::fill_n(c.pixels, static_cast<std::size_t>(kWidth) * kHeight, kXrgb); });
}

void FillRect(benchmark::State& state)
{
    Canvas c;
    plat::DeviceContext dc(c.surface);
    const plat::Brush brush(kColour);
    Run(state, "FillRect", [&] { dc.FillRect({ 0, 0, kWidth, kHeight }, brush); });
}

void PlainColumns(benchmark::State& state)
{
    Canvas c;
    Run(state, "plain columns", [&] {
        for (int x = 0; x < kWidth; ++x)
            PlainColumn(c.pixels, c.pitch, x, kHeight, kXrgb);
    });
}

void VerticalLines(benchmark::State& state)
{
    Canvas c;
    plat::DeviceContext dc(c.surface);
    const plat::Pen pen(plat::PS_SOLID, 1, kColour);
    dc.SelectObject(pen);
    Run(state, "vertical lines", [&] {
        for (int x = 0; x < kWidth; ++x) {
            dc.MoveTo(x, 0);
            dc.LineTo(x, kHeight);
        }
    });
}

void PlainRows(benchmark::State& state)
{
    Canvas c;
    Run(state, "plain rows", [&] {
        for (int y = 0; y < kHeight; ++y)
            PlainRow(c.pixels, c.pitch, y, kWidth, kXrgb);
    });
}

void HorizontalLines(benchmark::State& state)
{
    Canvas c;
    plat::DeviceContext dc(c.surface);
    const plat::Pen pen(plat::PS_SOLID, 1, kColour);
    dc.SelectObject(pen);
    Run(state, "horizontal lines", [&] {
        for (int y = 0; y < kHeight; ++y) {
            dc.MoveTo(0, y);
            dc.LineTo(kWidth, y);
        }
    });
}

void PlainPixelsByRow(benchmark::State& state)
{
    Canvas c;
    Run(state, "plain pixels by row", [&] {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                PlainSetPixel(c.pixels, c.pitch, x, y, kXrgb);
    });
}

void SetPixelByRow(benchmark::State& state)
{
    Canvas c;
    plat::DeviceContext dc(c.surface);
    Run(state, "SetPixel by row", [&] {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                dc.SetPixel(x, y, kColour);
    });
}

void PlainPixelsByColumn(benchmark::State& state)
{
    Canvas c;
    Run(state, "plain pixels by column", [&] {
        for (int x = 0; x < kWidth; ++x)
            for (int y = 0; y < kHeight; ++y)
                PlainSetPixel(c.pixels, c.pitch, x, y, kXrgb);
    });
}

void SetPixelByColumn(benchmark::State& state)
{
    Canvas c;
    plat::DeviceContext dc(c.surface);
    Run(state, "SetPixel by column", [&] {
        for (int x = 0; x < kWidth; ++x)
            for (int y = 0; y < kHeight; ++y)
                dc.SetPixel(x, y, kColour);
    });
}

void PenPerLine(benchmark::State& state)
{
    Canvas c;
    plat::DeviceContext dc(c.surface);
    Run(state, "pen per line", [&] {
        for (int x = 0; x < kWidth; ++x) {
            const int level = x % 256;
            plat::Pen pen(plat::PS_SOLID, 1, plat::RGB(level, level, 255));
            const plat::Pen old = dc.SelectObject(pen);
            dc.MoveTo(x, 0);
            dc.LineTo(x, kHeight);
            dc.SelectObject(old);
            pen.DeleteObject();
        }
    });
}

SDL_Surface* MakeSdlSurface()
{
    return SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_XRGB8888);
}

void SdlFillWhole(benchmark::State& state)
{
    SDL_Surface* s = MakeSdlSurface();
    const SDL_Rect all { 0, 0, kWidth, kHeight };
    Run(state, "SDL_FillRect whole", [&] { SDL_FillRect(s, &all, kXrgb); });
    SDL_FreeSurface(s);
}

void SdlFillPixels(benchmark::State& state)
{
    SDL_Surface* s = MakeSdlSurface();
    Run(state, "SDL_FillRect 1x1", [&] {
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const SDL_Rect r { x, y, 1, 1 };
                SDL_FillRect(s, &r, kXrgb);
            }
        }
    });
    SDL_FreeSurface(s);
}

void SdlRendererLines(benchmark::State& state)
{
    SDL_Surface* s = MakeSdlSurface();
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(s);
    SDL_SetRenderDrawColor(renderer, 0, 0, 255, 255);
    Run(state, "SDL_RenderDrawLine columns", [&] {
        for (int x = 0; x < kWidth; ++x)
            SDL_RenderDrawLine(renderer, x, 0, x, kHeight - 1); // SDL includes the end point
        SDL_RenderFlush(renderer);
    });
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(s);
}

void PixmanFillPixels(benchmark::State& state)
{
    Canvas c;
    Run(state, "pixman_fill 1x1", [&] {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                pixman_fill(c.pixels, c.pitch, 32, x, y, 1, 1, kXrgb);
    });
}

BENCHMARK(StdFill)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FillRect)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SdlFillWhole)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PlainColumns)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(VerticalLines)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SdlRendererLines)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PlainRows)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(HorizontalLines)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PlainPixelsByRow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SetPixelByRow)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PlainPixelsByColumn)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SetPixelByColumn)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(SdlFillPixels)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PixmanFillPixels)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PenPerLine)->UseManualTime()->Unit(benchmark::kMillisecond);

void PrintSummary()
{
    benchsupport::PrintRatioTable(g_seconds, {
                                                 { "FillRect", "std::fill", "<= 1.2" },
                                                 { "FillRect", "SDL_FillRect whole", "peer" },
                                                 { "vertical lines", "plain columns", "<= 1.2" },
                                                 { "vertical lines", "SDL_RenderDrawLine columns", "< 1" },
                                                 { "horizontal lines", "std::fill", "<= 1.5" },
                                                 { "horizontal lines", "plain rows", "peer" },
                                                 { "SetPixel by row", "plain pixels by row", "<= 2" },
                                                 { "SetPixel by column", "plain pixels by column", "<= 2" },
                                                 { "SetPixel by row", "SDL_FillRect 1x1", "<= 0.2" },
                                                 { "SetPixel by row", "pixman_fill 1x1", "<= 0.2" },
                                                 { "pen per line", "plain columns", "<= 1.3" },
                                             });
}

}

int main(int argc, char** argv)
{
    if (!benchsupport::InitializeInterleaved(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();
    return 0;
}
