// present_probe SECONDS [WIDTH HEIGHT]: opens a borderless window, moves a
// white band across it through the platform's presenter for SECONDS, and
// prints one line of what the frames' reports added up to. The end-to-end
// checks read that line under an X server or compositor with a known rate.

#include "platform/present/FrameLedger.h"
#include "platform/present/MonotonicClock.h"
#include "platform/present/Presenter.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>

namespace {

using namespace plat::present;

const char* SourceName(TimingSource s)
{
    switch (s) {
    case TimingSource::Vblank:
        return "vblank";
    case TimingSource::Compositor:
        return "compositor";
    default:
        return "estimated";
    }
}

void FillRect(plat::Surface& s, plat::Rect r, std::uint32_t xrgb)
{
    r = r.Intersected(s.Bounds());
    for (int y = r.top; y < r.bottom; ++y)
        std::fill(s.Row(y) + r.left, s.Row(y) + r.right, xrgb);
}

plat::Rect Union(plat::Rect a, plat::Rect b)
{
    if (a.IsEmpty())
        return b;
    return { std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom) };
}

}

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 4) {
        (void)std::fprintf(stderr, "usage: present_probe SECONDS [WIDTH HEIGHT]\n");
        return 2;
    }
    const double seconds = std::atof(argv[1]);
    const int width = argc == 4 ? std::atoi(argv[2]) : 640;
    const int height = argc == 4 ? std::atoi(argv[3]) : 480;
    // As the program does: the fallback's window surface on the shared-memory
    // path, not a texture.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        (void)std::fprintf(stderr, "present_probe: %s\n", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("present probe", 0, 0, width, height, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (!window) {
        (void)std::fprintf(stderr, "present_probe: %s\n", SDL_GetError());
        return 1;
    }
    SDL_PumpEvents();
    std::string why;
    auto presenter = MakePresenter(window, BackendForDriver(SDL_GetCurrentVideoDriver()), &why);
    if (!presenter) {
        (void)std::fprintf(stderr, "present_probe: no presenter\n");
        return 1;
    }
    if (!why.empty())
        (void)std::fprintf(stderr, "present_probe: fallback: %s\n", why.c_str());

    constexpr int kBand = 32;
    FrameLedger ledger;
    std::deque<plat::Rect> bands; // newest last
    std::uint64_t frame = 0;
    const std::int64_t until = MonotonicNs() + static_cast<std::int64_t>(seconds * 1e9);
    bool quit = false;
    while (!quit && MonotonicNs() < until) {
        SDL_Event e;
        while (SDL_PollEvent(&e))
            quit |= e.type == SDL_QUIT;
        for (const FrameReport& r : presenter->Collect(0))
            ledger.Add(r.verdict, r.timeNs);
        const FrameBuffer buffer = presenter->Acquire(1000);
        if (!buffer.pixels) {
            (void)std::fprintf(stderr, "present_probe: no buffer within a second\n");
            break;
        }
        plat::Surface& s = *buffer.pixels;
        const int x = static_cast<int>((frame * 8) % static_cast<std::uint64_t>(std::max(1, s.Width() - kBand)));
        const plat::Rect band { x, 0, x + kBand, s.Height() };
        plat::Rect damage = band;
        if (buffer.age == 0 || buffer.age > static_cast<int>(bands.size())) {
            FillRect(s, s.Bounds(), 0);
            damage = s.Bounds();
        } else {
            for (auto it = bands.end() - buffer.age; it != bands.end(); ++it)
                damage = Union(damage, *it);
            FillRect(s, damage, 0);
        }
        FillRect(s, band, 0xffffff);
        bands.push_back(band);
        if (bands.size() > 4)
            bands.pop_front();
        if (!presenter->Present(damage, 0))
            break;
        ++frame;
    }
    const std::int64_t drainUntil = MonotonicNs() + 300'000'000;
    while (MonotonicNs() < drainUntil) {
        for (const FrameReport& r : presenter->Collect(50))
            ledger.Add(r.verdict, r.timeNs);
    }
    const NominalRate nominal = presenter->Nominal();
    std::printf("frames=%llu shown=%llu held=%llu missed=%llu dropped=%llu measured=%.3f nominal=%s%.3f mean_us=%.1f deviation_us=%.1f source=%s\n",
        static_cast<unsigned long long>(frame), static_cast<unsigned long long>(ledger.Shown()),
        static_cast<unsigned long long>(ledger.HeldFrames()), static_cast<unsigned long long>(ledger.HeldRefreshes()),
        static_cast<unsigned long long>(ledger.Dropped()), ledger.MeasuredHz().value_or(0),
        nominal.kind == NominalRate::Kind::Variable ? "variable:" : nominal.kind == NominalRate::Kind::Unknown ? "unknown:"
                                                                                                               : "",
        nominal.hz, ledger.MeanIntervalUs(), ledger.IntervalDeviationUs(), SourceName(presenter->Source()));
    presenter.reset();
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
