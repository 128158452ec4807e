// Showing what was drawn, under Xvfb at 1920 x 1080, side by side with the
// floor a Linux program cannot beat on the same X server:
//   present   a full-screen window's back buffer shown through the window
//             framework (a step of the event loop that presents it)
//             vs XShmPutImage of a same-sized buffer + XSync
//   click     an injected click on a button whose handler fills the whole
//             client area, until the back buffer is on screen
//             vs filling a buffer + XShmPutImage + XSync
//   peer      SDL's own window surface shown as it is (no copy into it)
// The benchmark starts its own Xvfb, so figures do not depend on the
// desktop it runs on. Times are wall-clock: the X server's work counts.
// The framework's back buffer is SDL's window surface itself, so "present"
// is SDL showing its surface plus one step of the event loop; the peer
// shows what SDL's showing alone costs.

#include "platform/ui/Automation.h"
#include "platform/ui/ClientDC.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/EventLoop.h"
#include "support/Medians.h"
#include "support/RatioTable.h"
#include "support/Timed.h"
#include "support/XShmTarget.h"
#include "support/Xvfb.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

benchsupport::Samples g_seconds;
benchsupport::Xvfb g_xvfb;

template <typename F>
void Timed(benchmark::State& state, const char* name, F&& step)
{
    benchsupport::Timed(state, g_seconds, name, step);
}

benchsupport::XShmTarget& Floor()
{
    static benchsupport::XShmTarget target;
    return target;
}

// A full-screen popup with one button whose click fills the whole window.
class FullScreenDlg : public plat::Dialog {
public:
    FullScreenDlg()
        : Dialog(Template(), nullptr)
    {
    }
    std::uint32_t colour = 0;

    void OnFill()
    {
        colour ^= 0x00FF00;
        plat::ClientDC dc(this);
        dc.FillSolidRect({ 0, 0, kWidth, kHeight }, plat::RGB(0, static_cast<int>(colour >> 8), 0));
    }

private:
    static plat::DialogTemplate Template()
    {
        plat::DialogTemplate t;
        t.visible = true;
        t.units = { kWidth * 4 / 6, kHeight * 8 / 12 };
        plat::ControlTemplate button;
        button.id = 1000;
        button.kind = plat::ControlKind::Button;
        button.units = { 0, 0, 20, 20 };
        button.text = "x";
        t.controls = { button };
        return t;
    }
    LV_DECLARE_MESSAGE_MAP()
};

LV_BEGIN_MESSAGE_MAP(FullScreenDlg, plat::Dialog)
    LV_ON_BN_CLICKED(1000, OnFill)
LV_END_MESSAGE_MAP()

FullScreenDlg& Window()
{
    static FullScreenDlg* dlg = [] {
        auto* d = new FullScreenDlg;
        d->Create();
        d->SetWindowPos(plat::wndTopMost, 0, 0, kWidth, kHeight, plat::SWP_FRAMECHANGED);
        plat::ProcessPendingMessages();
        return d;
    }();
    return *dlg;
}

void RaiseFramework(FullScreenDlg& dlg)
{
    dlg.SetWindowPos(plat::wndTopMost, 0, 0, kWidth, kHeight, plat::SWP_NOMOVE | plat::SWP_NOSIZE);
    plat::ProcessPendingMessages();
}

void BM_Present_XShmFloor(benchmark::State& state)
{
    benchsupport::XShmTarget& t = Floor();
    t.Raise();
    Timed(state, "XShmPutImage", [&] { t.Put(); });
}

void BM_Present_Framework(benchmark::State& state)
{
    FullScreenDlg& dlg = Window();
    RaiseFramework(dlg);
    Timed(state, "present", [&] {
        plat::ClientDC dc(&dlg); // marks the whole buffer as drawn
        plat::PostTask([] {});
        plat::ProcessPendingMessages();
    });
}

// The peer: SDL's own window surface, shown as it is (no copy into it).
void BM_Present_SdlSurface(benchmark::State& state)
{
    static SDL_Window* window = SDL_CreateWindow("peer", 0, 0, kWidth, kHeight, SDL_WINDOW_BORDERLESS);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface) {
        state.SkipWithError("no SDL window surface");
        return;
    }
    SDL_RaiseWindow(window);
    SDL_PumpEvents();
    Timed(state, "SDL_UpdateWindowSurface", [&] { SDL_UpdateWindowSurface(window); });
}

void BM_Click_FillAndXShmFloor(benchmark::State& state)
{
    benchsupport::XShmTarget& t = Floor();
    t.Raise();
    std::uint32_t colour = 0;
    Timed(state, "fill+XShmPutImage", [&] {
        colour ^= 0x00FF00;
        auto* pixels = reinterpret_cast<std::uint32_t*>(t.image->data);
        std::fill(pixels, pixels + static_cast<std::size_t>(kWidth) * kHeight, colour);
        t.Put();
    });
}

void BM_Click_Framework(benchmark::State& state)
{
    FullScreenDlg& dlg = Window();
    plat::Wnd* button = dlg.GetDlgItem(1000);
    RaiseFramework(dlg);
    Timed(state, "click", [&] {
        plat::automation::Click(*button, { 5, 5 });
        plat::ProcessPendingMessages();
    });
}

BENCHMARK(BM_Present_XShmFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Present_Framework)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Present_SdlSurface)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Click_FillAndXShmFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Click_Framework)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);

}

int main(int argc, char** argv)
{
    unsetenv("SDL_VIDEODRIVER");
    if (!g_xvfb.Start("1920x1080x24", 120)) {
        (void)std::fprintf(stderr, "bench_ui: could not start Xvfb\n");
        g_xvfb.Stop();
        return 1;
    }
    if (!Floor().Open(kWidth, kHeight) || !plat::InitUi()) {
        (void)std::fprintf(stderr, "bench_ui: no shared-memory X image or no SDL video\n");
        g_xvfb.Stop();
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    benchsupport::PrintRatioTable(g_seconds, {
                                                 { "present", "XShmPutImage", "<= 1.3" },
                                                 { "present", "SDL_UpdateWindowSurface", "" },
                                                 { "SDL_UpdateWindowSurface", "XShmPutImage", "" },
                                                 { "click", "fill+XShmPutImage", "" },
                                             });
    Floor().Close();
    g_xvfb.Stop();
    return 0;
}
