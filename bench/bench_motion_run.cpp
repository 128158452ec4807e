// The program's motion test beside a bare reference client on the same
// display, about 1,000 frames each: Xvfb with a fake refresh of 60 Hz and
// of 144 Hz (the bare X11 Present client) and mutter's headless back end at
// 60 Hz (the bare presentation-time client). The program is started with
// `--test motion`, left to run, ended with Escape (xdotool under X11,
// mutter's remote-desktop keyboard under Wayland), and its end-of-test
// line read. Per 1,000 frames: mean interval
// ratio (target within 1 %), interval deviation ratio (<= 1.5x) and the
// refreshes missed (<= the reference's + 5).

#include "support/FakeRefreshXvfb.h"
#include "support/HeadlessMutter.h"
#include "support/LvFolder.h"
#include "support/MotionFigures.h"
#include "support/MutterKeyboard.h"
#include "support/ProgramRun.h"
#include "support/WaylandReference.h"
#include "support/X11Reference.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using benchsupport::MotionFigures;

constexpr int kFrames = 1000;
// The program's start before its first frame, and the time it may take
// past its frames before it counts as hung.
constexpr int kStartMs = 1500;
constexpr int kGraceMs = 15000;

enum class Display { Xvfb60,
    Xvfb144,
    Mutter60 };

struct Side {
    std::vector<MotionFigures> reference;
    std::vector<MotionFigures> program;
};
std::map<std::string, Side> g_sides;

std::optional<MotionFigures> RunX11Reference(int w, int h)
{
    benchsupport::X11Reference client;
    if (!client.Open(w, h)) {
        client.Close();
        return std::nullopt;
    }
    int previous = 0;
    for (int n = 0; n < kFrames; ++n) {
        std::uint32_t* pixels = client.Acquire();
        if (!pixels)
            break;
        benchsupport::PresentBand(client, pixels, w, h, n, &previous);
    }
    client.Drain();
    const MotionFigures f = benchsupport::FromLedger(client.ledger, "vblank");
    client.Close();
    return f;
}

std::optional<MotionFigures> RunWaylandReference(int w, int h)
{
    benchsupport::WaylandReference client;
    if (!client.Open(w, h) || !client.Run(kFrames))
        return std::nullopt;
    return benchsupport::FromLedger(client.Ledger(), "compositor");
}

std::string LastLine(const std::string& out)
{
    std::size_t end = out.find_last_not_of('\n');
    if (end == std::string::npos)
        return {};
    const std::size_t start = out.rfind('\n', end);
    return out.substr(start == std::string::npos ? 0 : start + 1, end + 1 - (start == std::string::npos ? 0 : start + 1));
}

// About 1,000 frames of the program's motion test at `rate`, ended by
// `escape`.
std::optional<MotionFigures> RunProgram(int rate, const std::function<void()>& escape)
{
    const int runMs = kFrames * 1000 / rate;
    const std::optional<std::filesystem::path> folder = benchsupport::CopyLvToFreshFolder();
    if (!folder)
        return std::nullopt;
    const benchsupport::ProgramRun run = benchsupport::RunProgram({ (*folder / "lv.exe").string(), "--test", "motion" }, kStartMs + runMs, escape, kStartMs + runMs + kGraceMs);
    std::error_code error;
    std::filesystem::remove_all(*folder, error);
    std::optional<MotionFigures> figures = benchsupport::FromProgramLine(LastLine(run.out));
    if (run.status != 0 || !figures) {
        (void)std::fprintf(stderr, "bench_motion_run: the program's run at %d Hz ended with status %d and \"%s\"\n", rate, run.status, LastLine(run.out).c_str());
        return std::nullopt;
    }
    return figures;
}

void Record(const std::string& name, const std::optional<MotionFigures>& reference, const std::optional<MotionFigures>& program)
{
    Side& side = g_sides[name];
    if (reference)
        side.reference.push_back(*reference);
    if (program)
        side.program.push_back(*program);
}

void BM_SideBySide(benchmark::State& state)
{
    const auto display = static_cast<Display>(state.range(0));
    benchsupport::FakeRefreshXvfb xvfb;
    benchsupport::HeadlessMutter mutter;
    benchsupport::MutterKeyboard keyboard;
    const bool wayland = display == Display::Mutter60;
    const int rate = display == Display::Xvfb144 ? 144 : 60;
    const bool started = wayland ? mutter.Start() && keyboard.Open(mutter.BusAddress())
                                 : xvfb.Start("1280x720x24", rate);
    if (!started) {
        mutter.Stop();
        xvfb.Stop();
        state.SkipWithError(wayland ? "no headless mutter" : "no Xvfb");
        return;
    }
    const std::string name = std::string(wayland ? "mutter " : "Xvfb ") + std::to_string(rate) + " Hz";
    // Under mutter the first key only makes the keyboard: Escape twice.
    auto escape = [&] {
        if (wayland) {
            (void)keyboard.Press(0xff1b);
            sleep(1);
            (void)keyboard.Press(0xff1b);
        } else {
            (void)std::system("xdotool key Escape");
        }
    };
    for (auto _ : state) {
        const std::optional<MotionFigures> program = RunProgram(rate, escape);
        Record(name, wayland ? RunWaylandReference(1280, 720) : RunX11Reference(1280, 720), program);
    }
    mutter.Stop();
    xvfb.Stop();
}

BENCHMARK(BM_SideBySide)->Arg(static_cast<int>(Display::Xvfb60))->Arg(static_cast<int>(Display::Xvfb144))->Arg(static_cast<int>(Display::Mutter60))->Iterations(1)->Unit(benchmark::kSecond);

MotionFigures Mean(const std::vector<MotionFigures>& runs)
{
    MotionFigures m;
    double hz = 0;
    int rated = 0;
    for (const MotionFigures& f : runs) {
        // Per 1,000 frames, so runs of slightly different lengths add up.
        const double scale = f.frames > 0 ? kFrames / f.frames : 0;
        m.frames = kFrames;
        m.held += f.held * scale / static_cast<double>(runs.size());
        m.dropped += f.dropped * scale / static_cast<double>(runs.size());
        m.deviationUs += f.deviationUs / static_cast<double>(runs.size());
        if (f.measuredHz) {
            hz += *f.measuredHz;
            ++rated;
        }
        m.source = f.source;
    }
    if (rated)
        m.measuredHz = hz / rated;
    return m;
}

void PrintTable()
{
    std::printf("\nlv.exe --test motion beside the bare clients, per %d frames, mean of rounds\n", kFrames);
    std::printf("%-14s %-9s %10s %12s %12s %8s %8s  %s\n", "display", "side", "measured", "mean us", "deviation us", "held", "dropped", "timing");
    for (const auto& [name, side] : g_sides) {
        std::optional<MotionFigures> means[2];
        const std::vector<MotionFigures>* runs[2] = { &side.reference, &side.program };
        for (int i = 0; i < 2; ++i) {
            if (runs[i]->empty()) {
                std::printf("%-14s %-9s no run finished\n", name.c_str(), i ? "program" : "reference");
                continue;
            }
            means[i] = Mean(*runs[i]);
            const MotionFigures& m = *means[i];
            std::printf("%-14s %-9s %10.3f %12.1f %12.1f %8.1f %8.1f  %s\n", name.c_str(), i ? "program" : "reference", m.measuredHz.value_or(0),
                m.MeanIntervalUs(), m.deviationUs, m.held, m.dropped, m.source.c_str());
        }
        if (!means[0] || !means[1])
            continue;
        const MotionFigures& r = *means[0];
        const MotionFigures& p = *means[1];
        const double meanRatio = r.MeanIntervalUs() > 0 ? p.MeanIntervalUs() / r.MeanIntervalUs() : 0;
        const double deviationRatio = r.deviationUs > 0 ? p.deviationUs / r.deviationUs : 0;
        const double missed = p.MissedPerThousand() - r.MissedPerThousand();
        std::printf("%-14s mean interval ratio %.4f (target 0.99..1.01), deviation ratio %.3f (<= 1.5), missed %+.1f (<= +5)\n", name.c_str(), meanRatio,
            deviationRatio, missed);
    }
}

}

int main(int argc, char** argv)
{
    unsetenv("SDL_VIDEODRIVER");
    unsetenv("WAYLAND_DISPLAY");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintTable();
    return 0;
}
