// Frame pacing and the cost of a motion frame, ours beside a floor, under
// X servers the benchmark starts itself.
//
// Pacing: under Xvfb with a fake refresh of 60 Hz and of 144 Hz, 1,000
// frames of a moving band through the platform's presenter (an SDL window)
// beside the same 1,000 frames from a bare xcb client written here (its own
// window, three shared-memory pixmaps, PresentPixmap aimed at the next
// refresh, CompleteNotify read straight off the connection). Both are
// judged by the same accounting: mean interval between shown frames
// (target: within 1 % of the bare client's), its deviation (<= 1.5x) and
// the refreshes missed (<= the bare client's + 5).
//
// Cost: at 3840 x 2160 under a 144 Hz fake refresh, the wall time of one
// frame's drawing and present, not counting the waits for a free buffer:
// the band (a 64 px bar moved 27 px: its old place cleared, its new one
// drawn) through the presenter beside the same band in a bare client's
// shared-memory pixmap with its PresentPixmap; and one frame of the motion
// lanes at 3,840 px/s (motion::DrawLanes through a device context, only
// what changed since the frame the buffer holds) beside a bare fill and
// present of the same damaged area. Target: a frame <= 30 % of the 6.94 ms
// period.

#include "platform/gfx/DeviceContext.h"
#include "platform/present/FrameLedger.h"
#include "platform/present/MonotonicClock.h"
#include "platform/present/Presenter.h"
#include "screentest/MotionPatterns.h"
#include "support/Medians.h"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <xcb/present.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

#include <poll.h>
#include <signal.h>
#include <sys/ipc.h>
#include <sys/prctl.h>
#include <sys/shm.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace plat::present;

constexpr int kFrames = 1000;
constexpr int kBar = 64;

// An Xvfb of its own on a free display, $DISPLAY while it runs. The server
// writes its display number into a file, as the check scripts have it do.
class FakeRefreshXvfb {
public:
    bool Start(const char* screen, int fps)
    {
        char folder[] = "/tmp/bench-present-XXXXXX";
        if (!mkdtemp(folder))
            return false;
        const std::string file = std::string(folder) + "/display";
        m_pid = fork();
        if (m_pid == 0) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const std::string command = "exec Xvfb -displayfd 3 -screen 0 " + std::string(screen) + " -nolisten tcp -noreset -fakescreenfps " + std::to_string(fps) + " 3>" + file + " >/dev/null 2>&1";
            execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        std::string number;
        for (int i = 0; i < 200 && number.empty() && m_pid > 0; ++i) {
            usleep(25'000);
            if (FILE* f = std::fopen(file.c_str(), "r")) {
                char line[16] = {};
                if (std::fgets(line, sizeof line, f) && std::strchr(line, '\n'))
                    number.assign(line, std::strcspn(line, "\n"));
                (void)std::fclose(f);
            }
        }
        (void)std::remove(file.c_str());
        rmdir(folder);
        if (number.empty())
            return false;
        setenv("DISPLAY", (":" + number).c_str(), 1);
        return true;
    }
    void Stop()
    {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            waitpid(m_pid, nullptr, 0);
        }
        m_pid = 0;
    }

private:
    pid_t m_pid = 0;
};

struct Pacing {
    double meanUs = 0;
    double deviationUs = 0;
    double missed = 0;
    double dropped = 0;
};
std::map<std::string, std::vector<Pacing>> g_pacing;
benchsupport::Samples g_cost;

void Fill(std::uint32_t* pixels, int pitch, int left, int top, int right, int bottom, std::uint32_t xrgb)
{
    for (int y = top; y < bottom; ++y)
        std::fill(pixels + static_cast<std::ptrdiff_t>(y) * pitch + left, pixels + static_cast<std::ptrdiff_t>(y) * pitch + right, xrgb);
}

// The bare client: a window, three shared-memory pixmaps, Present.
class BareClient {
public:
    bool Open(int w, int h)
    {
        m_w = w;
        m_h = h;
        m_c = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_c))
            return false;
        xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(m_c)).data;
        m_window = xcb_generate_id(m_c);
        const std::uint32_t values[] = { 1 };
        xcb_create_window(m_c, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h), 0,
            XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_OVERRIDE_REDIRECT, values);
        xcb_map_window(m_c, m_window);
        free(xcb_xfixes_query_version_reply(m_c, xcb_xfixes_query_version(m_c, 2, 0), nullptr));
        free(xcb_present_query_version_reply(m_c, xcb_present_query_version(m_c, 1, 0), nullptr));
        m_region = xcb_generate_id(m_c);
        xcb_xfixes_create_region(m_c, m_region, 0, nullptr);
        const std::uint32_t eid = xcb_generate_id(m_c);
        xcb_present_select_input(m_c, eid, m_window, XCB_PRESENT_EVENT_MASK_COMPLETE_NOTIFY | XCB_PRESENT_EVENT_MASK_IDLE_NOTIFY);
        m_special = xcb_register_for_special_xge(m_c, &xcb_present_id, eid, nullptr);
        for (Buffer& b : m_buffers) {
            const int id = shmget(IPC_PRIVATE, static_cast<std::size_t>(w) * h * 4, IPC_CREAT | 0600);
            b.pixels = static_cast<std::uint32_t*>(shmat(id, nullptr, 0));
            b.segment = xcb_generate_id(m_c);
            free(xcb_request_check(m_c, xcb_shm_attach_checked(m_c, b.segment, static_cast<std::uint32_t>(id), 0)));
            shmctl(id, IPC_RMID, nullptr);
            b.pixmap = xcb_generate_id(m_c);
            xcb_shm_create_pixmap(m_c, b.pixmap, m_window, static_cast<std::uint16_t>(w), static_cast<std::uint16_t>(h), screen->root_depth, b.segment, 0);
            Fill(b.pixels, w, 0, 0, w, h, 0);
        }
        xcb_present_notify_msc(m_c, m_window, 0, 0, 0, 0);
        xcb_flush(m_c);
        while (!m_lastMsc && !xcb_connection_has_error(m_c))
            Handle(xcb_wait_for_special_event(m_c, m_special));
        return m_lastMsc.has_value();
    }
    void Close()
    {
        if (m_special)
            xcb_unregister_for_special_event(m_c, m_special);
        for (Buffer& b : m_buffers) {
            if (b.pixels)
                shmdt(b.pixels);
        }
        if (m_c)
            xcb_disconnect(m_c);
    }

    // A free pixmap's pixels, waiting for its IdleNotify.
    std::uint32_t* Acquire()
    {
        for (;;) {
            while (xcb_generic_event_t* e = xcb_poll_for_special_event(m_c, m_special))
                Handle(e);
            for (Buffer& b : m_buffers) {
                if (!b.busy) {
                    m_current = &b;
                    return b.pixels;
                }
            }
            if (xcb_connection_has_error(m_c))
                return nullptr;
            Handle(xcb_wait_for_special_event(m_c, m_special));
        }
    }
    void Present(int left, int top, int right, int bottom)
    {
        const xcb_rectangle_t rect { static_cast<std::int16_t>(left), static_cast<std::int16_t>(top), static_cast<std::uint16_t>(right - left),
            static_cast<std::uint16_t>(bottom - top) };
        xcb_xfixes_set_region(m_c, m_region, 1, &rect);
        m_target = std::max(m_target, *m_lastMsc) + 1;
        xcb_present_pixmap(m_c, m_window, m_current->pixmap, ++m_serial, 0, m_region, 0, 0, 0, 0, 0, XCB_PRESENT_OPTION_NONE, m_target, 0, 0, 0, nullptr);
        xcb_flush(m_c);
        m_current->busy = true;
    }
    // Waits until every presented frame has completed.
    void Drain()
    {
        while (m_completed < m_serial && !xcb_connection_has_error(m_c))
            Handle(xcb_wait_for_special_event(m_c, m_special));
    }
    FrameLedger ledger;

private:
    struct Buffer {
        std::uint32_t* pixels = nullptr;
        std::uint32_t segment = 0;
        xcb_pixmap_t pixmap = 0;
        bool busy = false;
    };
    void Handle(xcb_generic_event_t* e)
    {
        if (!e)
            return;
        const auto* generic = reinterpret_cast<xcb_present_generic_event_t*>(e);
        if (generic->evtype == XCB_PRESENT_EVENT_IDLE_NOTIFY) {
            const auto* idle = reinterpret_cast<xcb_present_idle_notify_event_t*>(e);
            for (Buffer& b : m_buffers)
                b.busy = b.busy && b.pixmap != idle->pixmap;
        } else if (generic->evtype == XCB_PRESENT_EVENT_COMPLETE_NOTIFY) {
            const auto* complete = reinterpret_cast<xcb_present_complete_notify_event_t*>(e);
            if (complete->kind == XCB_PRESENT_COMPLETE_KIND_PIXMAP) {
                m_completed = complete->serial;
                const CompletionMode mode = complete->mode == XCB_PRESENT_COMPLETE_MODE_SKIP ? CompletionMode::Skip : CompletionMode::Copy;
                ledger.Add(m_account.Add(complete->msc, mode), static_cast<std::int64_t>(complete->ust) * 1000);
            }
            if (complete->mode != XCB_PRESENT_COMPLETE_MODE_SKIP)
                m_lastMsc = complete->msc;
        }
        free(e);
    }

    xcb_connection_t* m_c = nullptr;
    xcb_window_t m_window = 0;
    xcb_special_event_t* m_special = nullptr;
    std::uint32_t m_region = 0;
    Buffer m_buffers[3];
    Buffer* m_current = nullptr;
    int m_w = 0;
    int m_h = 0;
    std::uint32_t m_serial = 0;
    std::uint32_t m_completed = 0;
    std::optional<std::uint64_t> m_lastMsc;
    std::uint64_t m_target = 0;
    CounterFrameAccount m_account;
};

Pacing FromLedger(const FrameLedger& l)
{
    return { l.MeanIntervalUs(), l.IntervalDeviationUs(), static_cast<double>(l.HeldRefreshes()), static_cast<double>(l.Dropped()) };
}

// The bar's place in frame n: 27 px a frame, wrapping.
int BarLeft(int n, int width) { return (n * 27) % (width - kBar); }

// Frame n of the bare client's moving bar over the bar of the frame
// before, at `*previous`: clears the old bar, draws the new one, presents
// only the band the two cover.
void PresentBand(BareClient& client, std::uint32_t* pixels, int w, int h, int n, int* previous)
{
    const int x = BarLeft(n, w);
    const int left = std::min(x, *previous);
    const int right = std::max(x, *previous) + kBar;
    Fill(pixels, w, left, 0, right, h, 0);
    Fill(pixels, w, x, 0, x + kBar, h, 0xffffff);
    client.Present(left, 0, right, h);
    *previous = x;
}

Pacing RunBare(int frames, int w, int h)
{
    BareClient client;
    if (!client.Open(w, h)) {
        client.Close();
        return {};
    }
    int previous = 0;
    for (int n = 0; n < frames; ++n) {
        std::uint32_t* pixels = client.Acquire();
        if (!pixels)
            break;
        PresentBand(client, pixels, w, h, n, &previous);
    }
    client.Drain();
    const Pacing p = FromLedger(client.ledger);
    client.Close();
    return p;
}

// Frames of a moving band through the presenter; with `cost`, the wall
// time of each frame's drawing and present (not the wait for a buffer) goes
// to g_cost[cost].
Pacing RunOurs(int frames, int w, int h, const char* cost = nullptr)
{
    SDL_Window* window = SDL_CreateWindow("bench_present", 0, 0, w, h, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (!window)
        return {};
    SDL_PumpEvents();
    auto presenter = MakePresenter(window, BackendForDriver(SDL_GetCurrentVideoDriver()));
    FrameLedger ledger;
    std::vector<int> bars; // the bar's place in every frame presented
    for (int n = 0; presenter && n < frames; ++n) {
        for (const FrameReport& r : presenter->Collect(0))
            ledger.Add(r.verdict, r.timeNs);
        const FrameBuffer buffer = presenter->Acquire(2000);
        if (!buffer.pixels)
            break;
        const std::int64_t start = MonotonicNs();
        plat::Surface& s = *buffer.pixels;
        const int x = BarLeft(n, w);
        int left = x;
        int right = x + kBar;
        if (buffer.age == 0) {
            left = 0;
            right = w;
        } else {
            for (int k = 1; k <= buffer.age && k <= static_cast<int>(bars.size()); ++k) {
                left = std::min(left, bars[bars.size() - k]);
                right = std::max(right, bars[bars.size() - k] + kBar);
            }
        }
        Fill(s.Data(), s.Pitch(), left, 0, right, h, 0);
        Fill(s.Data(), s.Pitch(), x, 0, x + kBar, h, 0xffffff);
        presenter->Present({ left, 0, right, h }, 0);
        if (cost)
            g_cost[cost].push_back(static_cast<double>(MonotonicNs() - start) / 1e9);
        bars.push_back(x);
    }
    const std::int64_t until = MonotonicNs() + 500'000'000;
    while (presenter && MonotonicNs() < until) {
        for (const FrameReport& r : presenter->Collect(20))
            ledger.Add(r.verdict, r.timeNs);
    }
    presenter.reset();
    SDL_DestroyWindow(window);
    return FromLedger(ledger);
}

// The motion lanes through the presenter at the window's size; each frame's
// drawing and present go to g_cost, its damage to `damages`.
void RunOursLanes(int frames, int w, int h, std::vector<plat::Rect>* damages)
{
    SDL_Window* window = SDL_CreateWindow("bench_present", 0, 0, w, h, SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (!window)
        return;
    SDL_PumpEvents();
    auto presenter = MakePresenter(window, BackendForDriver(SDL_GetCurrentVideoDriver()));
    for (std::uint64_t n = 0; presenter && n < static_cast<std::uint64_t>(frames); ++n) {
        (void)presenter->Collect(0);
        const FrameBuffer buffer = presenter->Acquire(2000);
        if (!buffer.pixels)
            break;
        const std::int64_t start = MonotonicNs();
        const motion::MotionFrame now { n, 144, 3840 };
        const motion::MotionFrame before { n - static_cast<std::uint64_t>(buffer.age), 144, 3840 };
        plat::DeviceContext dc(*buffer.pixels);
        motion::MotionDamage damage;
        motion::DrawLanes(dc, buffer.pixels->Bounds(), now, buffer.age > 0 ? &before : nullptr, damage);
        presenter->Present(damage.Bounds(), 0);
        g_cost["presenter lanes frame 4K"].push_back(static_cast<double>(MonotonicNs() - start) / 1e9);
        damages->push_back(damage.Bounds());
    }
    presenter.reset();
    SDL_DestroyWindow(window);
}

// The floor of the band: the same band moved in a shared-memory pixmap and
// presented, without the presenter.
void RunBareBandCost(int frames, int w, int h)
{
    BareClient client;
    if (!client.Open(w, h)) {
        client.Close();
        return;
    }
    int previous = 0;
    for (int n = 0; n < frames; ++n) {
        std::uint32_t* pixels = client.Acquire();
        if (!pixels)
            break;
        const std::int64_t start = MonotonicNs();
        PresentBand(client, pixels, w, h, n, &previous);
        g_cost["bare band 4K"].push_back(static_cast<double>(MonotonicNs() - start) / 1e9);
    }
    client.Drain();
    client.Close();
}

// The floor of the lanes: their damaged areas filled into a shared-memory
// pixmap and presented, without the presenter.
void RunBareCost(const std::vector<plat::Rect>& damages, int w, int h)
{
    BareClient client;
    if (!client.Open(w, h)) {
        client.Close();
        return;
    }
    for (const plat::Rect& r : damages) {
        std::uint32_t* pixels = client.Acquire();
        if (!pixels)
            break;
        const std::int64_t start = MonotonicNs();
        Fill(pixels, w, r.left, r.top, r.right, r.bottom, 0xffffff);
        client.Present(r.left, r.top, r.right, r.bottom);
        g_cost["bare fill + present 4K"].push_back(static_cast<double>(MonotonicNs() - start) / 1e9);
    }
    client.Drain();
    client.Close();
}

bool StartVideo(FakeRefreshXvfb& xvfb, const char* screen, int fps)
{
    if (!xvfb.Start(screen, fps))
        return false;
    return SDL_Init(SDL_INIT_VIDEO) == 0;
}

void StopVideo(FakeRefreshXvfb& xvfb)
{
    SDL_Quit();
    xvfb.Stop();
}

// Alternating rounds of 1,000 frames, bare client first.
void BM_Pacing(benchmark::State& state)
{
    const int fps = static_cast<int>(state.range(0));
    FakeRefreshXvfb xvfb;
    if (!StartVideo(xvfb, "1280x1024x24", fps)) {
        StopVideo(xvfb);
        state.SkipWithError("no Xvfb");
        return;
    }
    const std::string rate = std::to_string(fps) + " Hz";
    for (auto _ : state) {
        g_pacing["bare client " + rate].push_back(RunBare(kFrames, 640, 480));
        g_pacing["presenter " + rate].push_back(RunOurs(kFrames, 640, 480));
    }
    StopVideo(xvfb);
}

void BM_MotionFrameCost(benchmark::State& state)
{
    FakeRefreshXvfb xvfb;
    if (!StartVideo(xvfb, "3840x2160x24", 144)) {
        StopVideo(xvfb);
        state.SkipWithError("no Xvfb");
        return;
    }
    for (auto _ : state) {
        std::vector<plat::Rect> damages;
        RunBareBandCost(300, 3840, 2160);
        RunOurs(300, 3840, 2160, "presenter band 4K");
        RunOursLanes(300, 3840, 2160, &damages);
        RunBareCost(damages, 3840, 2160);
    }
    StopVideo(xvfb);
}

BENCHMARK(BM_Pacing)->Arg(60)->Arg(144)->Iterations(2)->Unit(benchmark::kSecond);
BENCHMARK(BM_MotionFrameCost)->Iterations(2)->Unit(benchmark::kSecond);

Pacing Mean(const std::vector<Pacing>& runs)
{
    Pacing m;
    for (const Pacing& p : runs) {
        m.meanUs += p.meanUs / static_cast<double>(runs.size());
        m.deviationUs += p.deviationUs / static_cast<double>(runs.size());
        m.missed += p.missed / static_cast<double>(runs.size());
        m.dropped += p.dropped / static_cast<double>(runs.size());
    }
    return m;
}

void PrintPacing()
{
    std::printf("\n%-22s %12s %12s %8s %8s   (per %d frames, mean of rounds)\n", "case", "mean us", "deviation us", "missed", "dropped", kFrames);
    for (const auto& [name, runs] : g_pacing) {
        const Pacing p = Mean(runs);
        std::printf("%-22s %12.1f %12.1f %8.1f %8.1f\n", name.c_str(), p.meanUs, p.deviationUs, p.missed, p.dropped);
    }
    for (const char* rate : { "60 Hz", "144 Hz" }) {
        const auto ours = g_pacing.find(std::string("presenter ") + rate);
        const auto bare = g_pacing.find(std::string("bare client ") + rate);
        if (ours == g_pacing.end() || bare == g_pacing.end())
            continue;
        const Pacing o = Mean(ours->second);
        const Pacing b = Mean(bare->second);
        std::printf("%-7s mean interval ratio %.4f (target 0.99..1.01), deviation ratio %.3f (<= 1.5), missed %+.1f (<= +5)\n", rate,
            b.meanUs > 0 ? o.meanUs / b.meanUs : 0, b.deviationUs > 0 ? o.deviationUs / b.deviationUs : 0, o.missed - b.missed);
    }
    const double period = 1000.0 / 144;
    const double band = benchsupport::Median(g_cost["presenter band 4K"]) * 1e3;
    const double bareBand = benchsupport::Median(g_cost["bare band 4K"]) * 1e3;
    if (band > 0 && bareBand > 0) {
        std::printf("\n4K band (64 px bar, full height): presenter %.3f ms, bare fill + present %.3f ms, ratio %.3f; %.1f %% of the %.2f ms period (target <= 30 %%)\n",
            band, bareBand, band / bareBand, band / period * 100, period);
    }
    const double lanes = benchsupport::Median(g_cost["presenter lanes frame 4K"]) * 1e3;
    const double bareLanes = benchsupport::Median(g_cost["bare fill + present 4K"]) * 1e3;
    if (lanes > 0 && bareLanes > 0) {
        std::printf("4K motion lanes frame: presenter %.3f ms, bare fill + present of its damaged area %.3f ms, ratio %.3f; %.1f %% of the period\n",
            lanes, bareLanes, lanes / bareLanes, lanes / period * 100);
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
    PrintPacing();
    return 0;
}
