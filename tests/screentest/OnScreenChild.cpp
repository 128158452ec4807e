// Entry point for the end-to-end monitor and compositor checks
// (tools/checks/monitors-e2e.sh): a block-fill test on whatever display
// SDL runs on, driven by real input from the check. Each stage waits for
// what the check's input should bring about, verifies it in the window's
// own back buffer and sizes, and reports to the file $LV_CHECK_DIR/state
// so the check can take its screenshot and send the next input.
//
// $LV_CHECK_SIZES lists the monitors' device sizes the check expects,
// "1280x1024,1024x768"; with two, Tab and Shift+Tab are checked too.

#include "TestWndSupport.h"

#include "platform/ui/Monitors.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

using namespace sttest;
using plat::RGB;

namespace {

std::vector<plat::Size> ExpectedSizes()
{
    std::vector<plat::Size> sizes;
    std::stringstream list(std::getenv("LV_CHECK_SIZES") ? std::getenv("LV_CHECK_SIZES") : "");
    std::string item;
    while (std::getline(list, item, ',')) {
        plat::Size s;
        char x = 0;
        std::stringstream(item) >> s.cx >> x >> s.cy;
        sizes.push_back(s);
    }
    return sizes;
}

void Report(const std::string& line)
{
    const char* dir = std::getenv("LV_CHECK_DIR");
    std::ofstream(std::string(dir ? dir : ".") + "/state", std::ios::app) << line << std::endl;
}

// A stage returns true once what it waits for has come; it then verifies
// and reports.
using Stage = std::function<bool()>;

void RunStages(CTestWnd& wnd, const std::shared_ptr<std::vector<Stage>>& stages, std::size_t at,
    std::chrono::steady_clock::time_point deadline)
{
    plat::PostIdleTask([&wnd, stages, at, deadline] {
        if (at >= stages->size() || !wnd.IsWindow())
            return;
        if ((*stages)[at]()) {
            RunStages(wnd, stages, at + 1, std::chrono::steady_clock::now() + std::chrono::seconds(20));
            return;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ADD_FAILURE() << "stage " << at << " did not come about";
            wnd.EndDialog(-2);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        RunStages(wnd, stages, at, deadline);
    });
}

bool Covers(const CTestWnd& wnd, plat::Size size)
{
    plat::Rect client = ClientOf(wnd);
    return client.Width() == size.cx && client.Height() == size.cy && Back(wnd).Width() == size.cx
        && Back(wnd).Height() == size.cy;
}

}

TEST(TestWndOnScreenChild, StepsMovesAndEndsThroughRealInput)
{
    std::vector<plat::Size> sizes = ExpectedSizes();
    ASSERT_FALSE(sizes.empty());
    ASSERT_EQ(plat::GetMonitorCount(), static_cast<int>(sizes.size()));
    lvtest::StartWatchdog(120);

    CTestWnd wnd({ kBlockFill, "块填充\n纯色测试", 1 });
    auto stages = std::make_shared<std::vector<Stage>>();
    // The information lines hold text: the pattern is checked below them.
    auto filled = [&](plat::COLORREF color) {
        plat::Rect client = ClientOf(wnd);
        return CountOther(wnd, { 0, 200, client.right, client.bottom }, color) == 0;
    };
    stages->push_back([&] {
        if (!Covers(wnd, sizes[0]) || !filled(RGB(0, 0, 255)))
            return false;
        Report("blue");
        return true;
    });
    stages->push_back([&] {
        if (wnd.Step() != 1 || !filled(RGB(0, 255, 0)))
            return false;
        Report("green");
        return true;
    });
    if (sizes.size() > 1) {
        stages->push_back([&] {
            if (wnd.Monitor() != 1 || !Covers(wnd, sizes[1]) || !filled(RGB(0, 255, 0)))
                return false;
            plat::MonitorInfo info;
            EXPECT_TRUE(plat::GetMonitorInfo(1, &info));
            std::string line = " 显示器 2: " + info.name + ", " + std::to_string(sizes[1].cx) + " x "
                + std::to_string(sizes[1].cy) + " ";
            EXPECT_TRUE(ShowsText(wnd, { 100, 160 }, line)) << line;
            Report("second");
            return true;
        });
        stages->push_back([&] {
            if (wnd.Monitor() != 0 || !Covers(wnd, sizes[0]) || !filled(RGB(0, 255, 0)))
                return false;
            Report("primary");
            return true;
        });
        stages->push_back([&] {
            if (wnd.Monitor() != 1 || !Covers(wnd, sizes[1]))
                return false;
            Report("second again");
            return true;
        });
    }
    RunStages(wnd, stages, 0, std::chrono::steady_clock::now() + std::chrono::seconds(30));
    EXPECT_EQ(wnd.DoModal(), plat::IDCANCEL);
    Report("ended");
}
