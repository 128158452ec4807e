// Start-up under Xvfb: from starting the process to its main window's first
// frame on screen, and resident memory once it is up, for lv.exe and, side
// by side in the same run, for the floor: a minimal SDL2 program that opens
// one 600 x 500 window and shows one filled frame (this binary started with
// --floor-window). The floor shows its frame the way lv.exe does, through
// SDL's window surface without a GL framebuffer; the same program with
// SDL's default framebuffer (GL under Xvfb) runs beside them as a peer. The
// three start in turn in each round. A frame counts as on screen when the X
// server returns its pixels: the background, and for lv.exe also a test
// button's outline.
// lv.exe runs twice in each round: with its font answers remembered in its
// cache folder (every start after the first), and with a cache folder it
// cannot write, as the first start after a change of the installed fonts
// is, when it asks fontconfig and tries to write the answers down.
// The benchmark starts its own Xvfb; times are wall-clock.

#include "support/LvFolder.h"
#include "support/Medians.h"
#include "support/Spawn.h"
#include "support/XScreen.h"
#include "support/Xvfb.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr unsigned long kFace = 0xF0F0F0;
constexpr unsigned long kButtonOutline = 0x155C93;

struct Probe {
    int x;
    int y;
    unsigned long rgb;
};

struct Program {
    const char* name;
    std::string titlePrefix;
    std::vector<std::string> argv;
    std::vector<Probe> probes;
    std::string cacheFolder; // XDG_CACHE_HOME, when set
};

std::map<std::string, std::vector<double>> g_seconds;
std::map<std::string, std::vector<double>> g_residentMb;
benchsupport::Xvfb g_xvfb;
Display* g_display = nullptr;
std::filesystem::path g_folder;

// The floor: one window, one filled frame, then idle until killed.
int RunFloorWindow(bool defaultFramebuffer)
{
    if (!defaultFramebuffer)
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = SDL_CreateWindow("floor", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 600, 500, 0);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface)
        return 1;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0xF0, 0xF0, 0xF0));
    SDL_UpdateWindowSurface(window);
    SDL_Event event;
    while (SDL_WaitEvent(&event) && event.type != SDL_QUIT) {
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

int IgnoreXErrors(Display*, XErrorEvent*)
{
    return 0;
}

// An X server of the benchmark's own, and a connection to it that ignores
// errors about windows that vanish while they are looked at.
bool StartDisplay()
{
    if (!g_xvfb.Start("1280x1024x24", 400) || !(g_display = XOpenDisplay(nullptr)))
        return false;
    XSetErrorHandler(&IgnoreXErrors);
    return true;
}

void StopDisplay()
{
    if (g_display)
        XCloseDisplay(g_display);
    g_xvfb.Stop();
}

bool ShowsProbes(Window window, const std::vector<Probe>& probes)
{
    for (const Probe& p : probes) {
        XImage* image = XGetImage(g_display, window, p.x, p.y, 1, 1, AllPlanes, ZPixmap);
        if (!image)
            return false;
        unsigned long rgb = XGetPixel(image, 0, 0) & 0xFFFFFF;
        XDestroyImage(image);
        if (rgb != p.rgb)
            return false;
    }
    return true;
}

double ResidentMb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024.0;
    }
    return 0;
}

// Starts `program`, waits for its first frame and records the time and,
// once start-up has settled, the resident memory. The seconds to the first
// frame, or nothing when none came.
std::optional<double> FirstFrame(const Program& program)
{
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = benchsupport::Spawn(program.argv, program.cacheFolder);
    const auto deadline = start + std::chrono::seconds(10);
    bool shown = false;
    while (!shown && std::chrono::steady_clock::now() < deadline) {
        Window window = benchsupport::FindTopLevel(g_display, program.titlePrefix);
        shown = window && ShowsProbes(window, program.probes);
        if (!shown)
            std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (shown) {
        // Memory once start-up has settled, outside the timed span.
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        g_residentMb[program.name].push_back(ResidentMb(pid));
        g_seconds[program.name].push_back(seconds);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    if (!shown)
        return std::nullopt;
    return seconds;
}

constexpr const char* kLv = "lv.exe";
constexpr const char* kLvUncached = "lv.exe, fonts changed";

Program LvProgram(const char* name, const std::string& cacheFolder)
{
    // Button outline of the first test button (column 30, row 162).
    return { name, "Lumivex ", { (g_folder / "lv.exe").string() }, { { 590, 280, kFace }, { 67, 162, kButtonOutline } },
        cacheFolder };
}

Program FloorProgram(const char* name, const char* mode)
{
    return { name, "floor", { std::filesystem::canonical("/proc/self/exe").string(), mode }, { { 590, 280, kFace } }, {} };
}

constexpr const char* kFloor = "SDL2 600x500";
constexpr const char* kPeer = "SDL2 600x500 GL";

// Each round starts the floor, lv.exe and the peer in turn, so that a change
// in the machine's load falls on all of them alike; the medians below are
// taken per program over the rounds. The iteration time is lv.exe's.
void BM_Startup_Rounds(benchmark::State& state)
{
    // A cache folder below a regular file cannot be made.
    const Program programs[] = { FloorProgram(kFloor, "--floor-window"), LvProgram(kLv, (g_folder / "cache").string()),
        FloorProgram(kPeer, "--floor-window-gl"), LvProgram(kLvUncached, (g_folder / "lv.exe" / "cache").string()) };
    constexpr std::size_t kLvIndex = 1;
    for (auto _ : state) {
        for (std::size_t i = 0; i < std::size(programs); ++i) {
            const std::optional<double> seconds = FirstFrame(programs[i]);
            if (!seconds) {
                state.SkipWithError((std::string(programs[i].name) + ": no first frame within 10 s").c_str());
                return;
            }
            if (i == kLvIndex)
                state.SetIterationTime(*seconds);
        }
    }
}

BENCHMARK(BM_Startup_Rounds)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(15);

bool PrepareFolder()
{
    std::optional<std::filesystem::path> folder = benchsupport::CopyLvToFreshFolder();
    if (folder)
        g_folder = *folder;
    return folder.has_value();
}

}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--floor-window") == 0)
        return RunFloorWindow(false);
    if (argc > 1 && std::strcmp(argv[1], "--floor-window-gl") == 0)
        return RunFloorWindow(true);
    unsetenv("SDL_VIDEODRIVER");
    if (!PrepareFolder()) {
        (void)std::fprintf(stderr, "bench_startup: no lv.exe beside this benchmark to copy\n");
        return 1;
    }
    if (!StartDisplay()) {
        (void)std::fprintf(stderr, "bench_startup: could not start Xvfb\n");
        StopDisplay();
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    const double lvMs = benchsupport::Median(g_seconds[kLv]) * 1e3;
    const double uncachedMs = benchsupport::Median(g_seconds[kLvUncached]) * 1e3;
    const double floorMs = benchsupport::Median(g_seconds[kFloor]) * 1e3;
    const double peerMs = benchsupport::Median(g_seconds[kPeer]) * 1e3;
    const double lvMb = benchsupport::Median(g_residentMb[kLv]);
    const double floorMb = benchsupport::Median(g_residentMb[kFloor]);
    const double peerMb = benchsupport::Median(g_residentMb[kPeer]);
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    std::printf("\n%-22s %10s %12s %8s  %-8s %16s %8s\n", "first frame", "lv.exe", "SDL2 floor", "ratio", "target",
        "SDL2 GL (peer)", "ratio");
    std::printf("%-22s %10.1f %12.1f %8.2f  %-8s %16.1f %8.2f\n", "median ms", lvMs, floorMs, ratio(lvMs, floorMs), "<= 1.3",
        peerMs, ratio(lvMs, peerMs));
    std::printf("%-22s %10.1f %12.1f %8.2f  %-8s %16.1f %8.2f\n", "median ms, fonts new", uncachedMs, floorMs,
        ratio(uncachedMs, floorMs), "<= 1.67", peerMs, ratio(uncachedMs, peerMs));
    std::printf("%-22s %10.1f %12.1f %8.2f  %-8s %16.1f %8.2f\n", "median resident MB", lvMb, floorMb, ratio(lvMb, floorMb),
        "< 25 MB", peerMb, ratio(lvMb, peerMb));

    StopDisplay();
    std::error_code ignored;
    std::filesystem::remove_all(g_folder, ignored);
    return 0;
}
