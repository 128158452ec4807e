// The end of a test under Xvfb: from a right click on a running test to the
// main window shown again on screen. lv.exe hides its test window on the
// press and destroys it only once the release has been read; side by side
// in the same rounds runs the floor, a plain Xlib program (this binary
// started with --floor) whose 594 x 472 window opens a window over the whole
// screen on a left click, destroys it at once on a right press and draws its
// face again when the server exposes it. LUMIVEX_BENCH_EARLIER_LV may name
// another lv.exe (an earlier build, one that destroys its test window at
// once) to run in the same rounds: lv.exe is held to 1.1 x its time.
// Clicks come through the XTest extension, as from a real mouse; a window
// counts as shown when the screen returns its pixels. The benchmark starts
// its own Xvfb; times are wall-clock.

#include "support/LvFolder.h"
#include "support/Medians.h"
#include "support/RatioTable.h"
#include "support/Spawn.h"
#include "support/XScreen.h"
#include "support/Xvfb.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr unsigned long kFace = 0xF0F0F0;
constexpr unsigned long kBlue = 0x0000FF; // the block-fill test's first step
constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;
constexpr int kClientWidth = 594;
constexpr int kClientHeight = 472;
// The block-fill test's button in the main window's client area, and a
// point of the face that no control covers.
constexpr benchsupport::ScreenPoint kLaunch { 213, 199 };
constexpr benchsupport::ScreenPoint kFacePoint { kClientWidth - 4, kClientHeight - 4 };
constexpr int kTestsPerStart = 5;

benchsupport::Samples g_seconds;
benchsupport::Xvfb g_xvfb;
Display* g_display = nullptr;
std::filesystem::path g_folder;

// The floor: one window that opens a cover over the screen on a left
// press and destroys it at once on a right press.
int RunFloor()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return 1;
    const int screen = DefaultScreen(display);
    const Window root = RootWindow(display, screen);
    const Window main = XCreateSimpleWindow(display, root, (kScreenWidth - kClientWidth) / 2,
        (kScreenHeight - kClientHeight) / 2, kClientWidth, kClientHeight, 0, 0, 0);
    XSetWindowAttributes none {};
    none.background_pixmap = None;
    XChangeWindowAttributes(display, main, CWBackPixmap, &none);
    XStoreName(display, main, "floor");
    XSelectInput(display, main, ExposureMask | ButtonPressMask);
    XMapWindow(display, main);
    GC gc = XCreateGC(display, main, 0, nullptr);
    Window cover = 0;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == Expose && event.xexpose.window == main) {
            XSetForeground(display, gc, kFace);
            XFillRectangle(display, main, gc, 0, 0, kClientWidth, kClientHeight);
            XFlush(display);
        } else if (event.type == Expose && event.xexpose.window == cover) {
            XSetForeground(display, gc, kBlue);
            XFillRectangle(display, cover, gc, 0, 0, kScreenWidth, kScreenHeight);
            XFlush(display);
        } else if (event.type == ButtonPress && event.xbutton.button == Button1 && !cover) {
            XSetWindowAttributes attributes = none;
            attributes.override_redirect = True;
            cover = XCreateWindow(display, root, 0, 0, kScreenWidth, kScreenHeight, 0, CopyFromParent, InputOutput,
                CopyFromParent, CWBackPixmap | CWOverrideRedirect, &attributes);
            XSelectInput(display, cover, ExposureMask | ButtonPressMask);
            XMapRaised(display, cover);
            XFlush(display);
        } else if (event.type == ButtonPress && event.xbutton.button == Button3 && cover) {
            XDestroyWindow(display, cover);
            cover = 0;
            XFlush(display);
        }
    }
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }

struct Program {
    const char* name;
    std::string titlePrefix;
    std::vector<std::string> argv;
};

// Polls the screen at `p` until it shows `rgb`; false after 10 s.
bool AwaitPixel(benchsupport::ScreenPoint p, unsigned long rgb)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (benchsupport::ScreenPixel(g_display, p) == rgb)
            return true;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

void Click(unsigned button)
{
    XTestFakeButtonEvent(g_display, button, True, CurrentTime);
    XTestFakeButtonEvent(g_display, button, False, CurrentTime);
    XFlush(g_display);
}

// The client area's origin on screen once the main window shows its face.
std::optional<benchsupport::ScreenPoint> AwaitMainWindow(const Program& program)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Window window = benchsupport::FindTopLevel(g_display, program.titlePrefix)) {
            std::optional<benchsupport::ScreenPoint> origin = benchsupport::OriginOnScreen(g_display, window);
            if (origin && AwaitPixel({ origin->x + kFacePoint.x, origin->y + kFacePoint.y }, kFace))
                return origin;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return std::nullopt;
}

// Starts `program` and ends kTestsPerStart tests in it with a right click,
// recording each time from the click to the main window's face on screen.
// An error text, or nothing.
std::optional<std::string> EndTests(const Program& program)
{
    const pid_t pid = benchsupport::Spawn(program.argv);
    std::optional<std::string> error;
    std::optional<benchsupport::ScreenPoint> origin = AwaitMainWindow(program);
    const benchsupport::ScreenPoint corner { kScreenWidth - 1, kScreenHeight - 1 };
    for (int n = 0; origin && !error && n < kTestsPerStart; ++n) {
        const benchsupport::ScreenPoint face { origin->x + kFacePoint.x, origin->y + kFacePoint.y };
        XTestFakeMotionEvent(g_display, -1, origin->x + kLaunch.x, origin->y + kLaunch.y, CurrentTime);
        Click(Button1);
        if (!AwaitPixel(corner, kBlue)) {
            error = std::string(program.name) + ": the launch showed no test within 10 s";
            break;
        }
        const auto start = std::chrono::steady_clock::now();
        Click(Button3);
        if (!AwaitPixel(face, kFace)) {
            error = std::string(program.name) + ": the right click did not show the main window within 10 s";
            break;
        }
        g_seconds[program.name].push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    if (!origin)
        error = std::string(program.name) + ": no main window within 10 s";
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return error;
}

constexpr const char* kLv = "lv.exe";
constexpr const char* kEarlierLv = "earlier lv.exe";
constexpr const char* kFloor = "Xlib floor";

std::vector<Program> Programs()
{
    std::vector<Program> programs { { kFloor, "floor", { std::filesystem::canonical("/proc/self/exe").string(), "--floor" } },
        { kLv, "Lumivex ", { (g_folder / "lv.exe").string() } } };
    if (std::filesystem::exists(g_folder / "earlier" / "lv.exe"))
        programs.push_back({ kEarlierLv, "Lumivex ", { (g_folder / "earlier" / "lv.exe").string() } });
    return programs;
}

// Each round starts every program in turn, so that a change in the
// machine's load falls on all of them alike. The iteration time is the
// median of lv.exe's tests in the round.
void BM_RightClickToMainWindow(benchmark::State& state)
{
    const std::vector<Program> programs = Programs();
    for (auto _ : state) {
        for (const Program& program : programs) {
            if (std::optional<std::string> error = EndTests(program)) {
                state.SkipWithError(error->c_str());
                return;
            }
        }
        const std::vector<double>& lv = g_seconds[kLv];
        state.SetIterationTime(benchsupport::Median({ lv.end() - kTestsPerStart, lv.end() }));
    }
}

BENCHMARK(BM_RightClickToMainWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(4);

// lv.exe (and the earlier one, if named) in a fresh folder.
bool PrepareFolder()
{
    std::optional<std::filesystem::path> folder = benchsupport::CopyLvToFreshFolder();
    if (!folder)
        return false;
    g_folder = *folder;
    std::error_code error;
    if (const char* earlier = std::getenv("LUMIVEX_BENCH_EARLIER_LV")) {
        std::filesystem::create_directory(g_folder / "earlier", error);
        if (!error)
            std::filesystem::copy_file(earlier, g_folder / "earlier" / "lv.exe", error);
    }
    return !error;
}

}

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--floor") == 0)
        return RunFloor();
    unsetenv("SDL_VIDEODRIVER");
    if (!PrepareFolder()) {
        (void)std::fprintf(stderr, "bench_test_end: no lv.exe beside this benchmark to copy, or no earlier one where "
                                   "LUMIVEX_BENCH_EARLIER_LV says\n");
        return 1;
    }
    int ignored = 0;
    if (!g_xvfb.Start("1920x1080x24", 460) || !(g_display = XOpenDisplay(nullptr))
        || !XTestQueryExtension(g_display, &ignored, &ignored, &ignored, &ignored)) {
        (void)std::fprintf(stderr, "bench_test_end: could not start Xvfb with the XTest extension\n");
        g_xvfb.Stop();
        return 1;
    }
    XSetErrorHandler(&IgnoreXErrors);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    benchsupport::PrintRatioTable(g_seconds, { { kLv, kFloor, "" }, { kLv, kEarlierLv, "<= 1.1" } });

    XCloseDisplay(g_display);
    g_xvfb.Stop();
    std::error_code error;
    std::filesystem::remove_all(g_folder, error);
    return 0;
}
