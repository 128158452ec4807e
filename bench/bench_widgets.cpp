// Repaints of the owner-drawn buttons, side by side with their floor, one
// BitBlt of the same size onto the same window:
//   hover     CImageButton::Redraw of a 75 x 75 button in its hot look (what
//             every mouse move over it costs: off-screen bitmap, face,
//             picture, caption, copy to the window)
//             vs BitBlt 75 x 75 from a memory context to the window
//   skin      CSkinButton::DrawItem of a 70 x 22 button (strip loaded, two
//             copies, caption)
//             vs BitBlt 70 x 22
//   bar       CSoftBar::Redraw of a 584 x 100 software bar with ten entries,
//             one of them hot (frame, caption, ten rounded entries with
//             their captions, copy to the window)
//             vs one FillRect of 584 x 100 in a memory context plus one
//             BitBlt of it to the window
// Runs under SDL's offscreen driver: drawing into the window's back buffer
// is measured, showing it is the same for every repaint and left out.

#include "platform/ui/ClientDC.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/EventLoop.h"
#include "resource.h"
#include "support/Medians.h"
#include "support/RatioTable.h"
#include "support/Timed.h"
#include "widgets/ImageButton.h"
#include "widgets/SkinButton.h"
#include "widgets/SoftBar.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

benchsupport::Samples g_seconds;

template <typename F>
void Timed(benchmark::State& state, const char* name, F&& step)
{
    benchsupport::Timed(state, g_seconds, name, step);
}

// The main window's sizes: a 75 x 75 test button, a 70 x 22 link button and
// the 584 x 100 software bar.
class ButtonsDlg : public plat::Dialog {
public:
    ButtonsDlg()
        : Dialog(Template(), nullptr)
    {
    }
    CImageButton image;
    CSkinButton skin;
    CSoftBar bar;

protected:
    void DoDataExchange(plat::DataExchange* dx) override
    {
        plat::DDX_Control(dx, 1000, image);
        plat::DDX_Control(dx, 1004, skin);
        plat::DDX_Control(dx, 1010, bar);
    }
    bool OnInitDialog() override
    {
        Dialog::OnInitDialog();
        image.SetImage(IDB_BLOCKFILL);
        image.MoveWindow(30, 30, 75, 75);
        skin.MoveWindow(30, 120, 70, 22);
        bar.MoveWindow(5, 160, 584, 100);
        // Ten entries in two rows of five, as a configured list gives them.
        static constexpr const char* kCaptions[] = { "轻舟浏览器", "垃圾清理", "墨香阅读", "图片批量下载", "看图播放器",
            "日程管家", "连连乐", "游戏盒子", "网页快照", "显示器测试" };
        bar.m_strMode = "tamrel";
        for (const char* caption : kCaptions)
            bar.AddEntry({ 0, 0, 105, 22 }, caption);
        bar.Layout();
        return true;
    }

private:
    static plat::DialogTemplate Template()
    {
        std::string error;
        auto t = plat::DialogTemplate::Parse(R"(dialog 902
title "bench"
font 9 "宋体"
size 400 180
style caption visible
control 1000 button 20 20 50 50 ownerdraw "块填充\n纯色测试"
control 1004 button 20 80 47 15 ownerdraw "软件官网"
control 1010 button 3 105 389 67 ownerdraw "软件推荐"
)",
            &error);
        return t ? *t : plat::DialogTemplate {};
    }
};

ButtonsDlg& Window()
{
    static ButtonsDlg* dlg = [] {
        auto* d = new ButtonsDlg;
        d->Create();
        plat::ProcessPendingMessages();
        return d;
    }();
    return *dlg;
}

// One BitBlt of width x height from a memory context to the control's client area.
void BlitFloor(benchmark::State& state, const char* name, plat::Wnd& control, int width, int height)
{
    plat::ClientDC dc(&control);
    plat::Bitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, width, height);
    plat::DeviceContext memory;
    memory.CreateCompatibleDC(&dc);
    plat::Bitmap previous = memory.SelectObject(bitmap);
    memory.FillSolidRect({ 0, 0, width, height }, plat::RGB(1, 2, 3));
    Timed(state, name, [&] { dc.BitBlt(0, 0, width, height, memory, 0, 0, plat::SRCCOPY); });
    memory.SelectObject(previous);
}

void BM_Hover_BitBltFloor(benchmark::State& state)
{
    BlitFloor(state, "BitBlt 75x75", Window().image, 75, 75);
}

void BM_Hover_Redraw(benchmark::State& state)
{
    CImageButton& b = Window().image;
    b.m_bHover = 1;
    Timed(state, "hover Redraw", [&] { benchmark::DoNotOptimize(b.Redraw()); });
}

void BM_Skin_BitBltFloor(benchmark::State& state)
{
    BlitFloor(state, "BitBlt 70x22", Window().skin, 70, 22);
}

void BM_Skin_DrawItem(benchmark::State& state)
{
    CSkinButton& b = Window().skin;
    b.m_nState = CSkinButton::kStateHighlighted;
    plat::ClientDC dc(&b);
    plat::DrawItemStruct item;
    item.control = &b;
    item.dc = &dc;
    b.GetClientRect(&item.rect);
    Timed(state, "skin DrawItem", [&] { b.DrawItem(item); });
}

void BM_Bar_FillBlitFloor(benchmark::State& state)
{
    CSoftBar& bar = Window().bar;
    plat::ClientDC dc(&bar);
    const plat::Rect rect { 0, 0, 584, 100 };
    plat::Bitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, rect.Width(), rect.Height());
    plat::DeviceContext memory;
    memory.CreateCompatibleDC(&dc);
    plat::Bitmap previous = memory.SelectObject(bitmap);
    const plat::Brush brush(plat::RGB(240, 240, 240));
    Timed(state, "fill+blit 584x100", [&] {
        memory.FillRect(rect, brush);
        dc.BitBlt(0, 0, rect.Width(), rect.Height(), memory, 0, 0, plat::SRCCOPY);
    });
    memory.SelectObject(previous);
}

void BM_Bar_HoverRedraw(benchmark::State& state)
{
    CSoftBar& bar = Window().bar;
    bar.m_entries[3].hover = 1;
    Timed(state, "bar Redraw", [&] { benchmark::DoNotOptimize(bar.Redraw()); });
}

BENCHMARK(BM_Hover_BitBltFloor)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Hover_Redraw)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Skin_BitBltFloor)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Skin_DrawItem)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Bar_FillBlitFloor)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);
BENCHMARK(BM_Bar_HoverRedraw)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(0.5);

}

int main(int argc, char** argv)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (!plat::InitUi()) {
        (void)std::fprintf(stderr, "bench_widgets: no SDL video\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    benchsupport::PrintRatioTable(g_seconds, {
                                                 { "hover Redraw", "BitBlt 75x75", "<= 3" },
                                                 { "skin DrawItem", "BitBlt 70x22", "<= 3" },
                                                 { "bar Redraw", "fill+blit 584x100", "<= 4" },
                                             },
        1e6, "us");
    return 0;
}
