// The overlays of a test on a 1920 x 1080 step, beside their floors in the
// same run:
//   loupe drawn at a new pointer position            vs one 180 x 180 BitBlt    <= 2
//   loupe moved: its old area restored, then drawn   vs one 180 x 180 BitBlt    (shown)
//   1,000 mark rings drawn (both circles)             absolute                   < 1 ms
// Everything draws on device contexts over plain surfaces, as the test
// window's client-area context does; the loupe reads a memory context
// holding the pattern, as in the window.

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"
#include "platform/gfx/GdiConstants.h"
#include "platform/gfx/Surface.h"
#include "screentest/Loupe.h"
#include "screentest/MarkRing.h"
#include "support/Interleaved.h"
#include "support/Medians.h"
#include "support/RatioTable.h"
#include "support/Timed.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

benchsupport::Samples g_seconds;

struct Scene {
    plat::Surface screen { kWidth, kHeight };
    plat::DeviceContext dc { screen };
    plat::DeviceContext pattern;
    plat::Bitmap picture;
    plat::Font font;

    Scene()
    {
        pattern.CreateCompatibleDC(&dc);
        picture.CreateCompatibleBitmap(dc, kWidth, kHeight);
        pattern.SelectObject(picture);
        for (int y = 0; y < kHeight; y += 2)
            pattern.FillSolidRect({ 0, y, kWidth, y + 1 }, plat::RGB(0, 0, 255));
        dc.BitBlt(0, 0, kWidth, kHeight, pattern, 0, 0, plat::SRCCOPY);
        font.CreateFont(16, 8, 0, 0, 0, 0, 0, 0, 0, plat::OUT_DEFAULT_PRECIS, plat::CLIP_DEFAULT_PRECIS,
            plat::DEFAULT_QUALITY, plat::DEFAULT_PITCH, "宋体");
    }
};

Scene& TheScene()
{
    static Scene scene;
    return scene;
}

void BM_Blit180(benchmark::State& state)
{
    Scene& s = TheScene();
    int i = 0;
    benchsupport::Timed(state, g_seconds, "blit 180x180", [&] {
        int x = 100 + (i++ % 500);
        s.dc.BitBlt(x, 300, CLoupe::kBox, CLoupe::kBox, s.pattern, x, 300, plat::SRCCOPY);
    });
}

void BM_LoupeDraw(benchmark::State& state)
{
    Scene& s = TheScene();
    CLoupe loupe;
    loupe.Show(true);
    int i = 0;
    benchsupport::Timed(state, g_seconds, "loupe draw", [&] {
        loupe.MoveTo({ 400 + (i++ % 500), 300 });
        loupe.Draw(s.dc, s.pattern, { kWidth, kHeight }, plat::RGB(255, 255, 255), s.font);
    });
}

void BM_LoupeMove(benchmark::State& state)
{
    Scene& s = TheScene();
    CLoupe loupe;
    loupe.Show(true);
    int i = 0;
    benchsupport::Timed(state, g_seconds, "loupe move", [&] {
        plat::Rect old = loupe.Area({ kWidth, kHeight });
        s.dc.BitBlt(old.left, old.top, old.Width(), old.Height(), s.pattern, old.left, old.top, plat::SRCCOPY);
        loupe.MoveTo({ 400 + (i++ % 500), 300 });
        loupe.Draw(s.dc, s.pattern, { kWidth, kHeight }, plat::RGB(255, 255, 255), s.font);
    });
}

void BM_ThousandRings(benchmark::State& state)
{
    Scene& s = TheScene();
    benchsupport::Timed(state, g_seconds, "1000 rings", [&] {
        for (int i = 0; i < 1000; ++i)
            DrawTwoToneMarkRing(s.dc, { (i * 37) % kWidth, (i * 53) % kHeight }, plat::RGB(255, 255, 255));
    });
}

}

BENCHMARK(BM_Blit180)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_LoupeDraw)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_LoupeMove)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5);
BENCHMARK(BM_ThousandRings)->UseManualTime()->Unit(benchmark::kMicrosecond)->Repetitions(5);

int main(int argc, char** argv)
{
    if (!benchsupport::InitializeInterleaved(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    benchsupport::PrintRatioTable(g_seconds,
        { { "loupe draw", "blit 180x180", "<= 2" }, { "loupe move", "blit 180x180", "(restore + draw)" } }, 1e6, "us");
    std::printf("1000 rings: target < 1000 us (median above)\n");
    return 0;
}
