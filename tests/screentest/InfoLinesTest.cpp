// The three information lines: exact texts at x = 100, y = 100/120/140, in
// the 16 px Song face, black on opaque white, drawn after every pattern
// when the option is on and never when it is off.

#include "TestWndSupport.h"

#include "platform/gfx/ProcessClock.h"
#include "platform/ui/ClientDC.h"

using namespace sttest;
using plat::RGB;

namespace {

const char* const kRemark = " 处理时间可用于测试显卡的性能, 时间越小性能越好, 处理用时与系统当前运行的程序也有关系 ";

std::string FirstLine(int step, const std::string& title, const char* rgb)
{
    return " " + std::to_string(step) + ", " + title + ", RGB(" + rgb + ")  点击鼠标左键切换，右键退出 ";
}

std::string TimeLine(long elapsed)
{
    return " 处理用时: " + std::to_string(elapsed) + " 毫秒 ";
}

// The elapsed time the second line shows, searched up to `most`; -1 when none matches.
long ShownElapsed(const CTestWnd& wnd, long most)
{
    for (long n = 0; n <= most; ++n)
        if (ShowsText(wnd, { 100, 120 }, TimeLine(n)))
            return n;
    return -1;
}

struct Shown {
    bool first = false;
    bool remark = false;
    long elapsed = -1;
};

Shown Read(const CTestWnd& wnd, const std::string& firstLine, long mostElapsed)
{
    return { ShowsText(wnd, { 100, 100 }, firstLine), ShowsText(wnd, { 100, 140 }, kRemark), ShownElapsed(wnd, mostElapsed) };
}

}

TEST(TestWndInfo, LinesFollowEveryDrawingWithStepTitleAndTableColour)
{
    struct Case {
        const Pattern* mode;
        std::string title;
        int clicks;
        const char* rgb;
    };
    const Case cases[] = {
        { kBlockFill, "块填充\n纯色测试", 0, "0000FF" },
        { kBlockFill, "块填充\n纯色测试", 2, "FF0000" },
        { kVLineFill, "竖线填充\n纯色测试", 3, "FFFF00" },
        { kHLineFill, "横线填充\n纯色测试", 4, "00FFFF" },
        { kDotFillDown, "点填充\n从上向下", 1, "00FF00" },
        { kDotFillRight, "点填充\n从左向右", 5, "FF00FF" },
        // The gradients show their base colour, not that of any line.
        { kVLineGradient, "竖线填充\n渐变测试", 0, "0000FF" },
        { kHLineGradient, "横线填充\n渐变测试", 6, "FFFFFF" },
        { kDeadPixel, "显示器\n坏点测试", 0, "FFFFFF" },
        { kDeadPixel, "显示器\n坏点测试", 1, "000000" },
        { kGrey, "灰阶均匀", 3, "808080" },
        // Black on white after the gamma chart's labels in its own colours.
        { kGamma, "伽马", 2, "00FF00" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.mode->name) + " after " + std::to_string(c.clicks) + " clicks");
        CTestWnd wnd({ c.mode, c.title, 1 });
        Shown shown;
        long span = 0;
        long start = 0;
        std::vector<Step> script { [&] { Resize(wnd, 1280, 720); } };
        for (int i = 0; i < c.clicks; ++i)
            script.push_back([&] { LeftClick(wnd); });
        script.push_back([&] {
            // The last drawing again, timed from outside.
            start = plat::ProcessClockMs();
            LeftClick(wnd);
            for (int i = c.mode->Steps() - 1; i > 0; --i)
                LeftClick(wnd);
        });
        script.push_back([&] {
            span = plat::ProcessClockMs() - start;
            shown = Read(wnd, FirstLine(wnd.Step(), c.title, c.rgb), span);
        });
        RunModal(wnd, script);
        EXPECT_TRUE(shown.first);
        EXPECT_TRUE(shown.remark);
        EXPECT_GE(shown.elapsed, 0) << "no elapsed time up to the " << span << " ms the clicks took";
    }
}

TEST(TestWndInfo, TextIsBlackOnOpaqueWhiteOverThePattern)
{
    CTestWnd wnd({ kBlockFill, "块填充\n纯色测试", 1 });
    long black = 0, white = 0, other = 0, blueBeside = -1;
    RunModal(wnd, { [&] {
        const plat::Surface& s = Back(wnd);
        for (int y : { 100, 101, 108, 115, 120, 127, 135, 140, 147, 155 })
            for (int x = 100; x < 140; ++x) {
                std::uint32_t p = s.Pixel(x, y);
                black += p == 0x000000u;
                white += p == 0xFFFFFFu;
                other += p != 0x000000u && p != 0xFFFFFFu;
            }
        // Left of the lines, between them and below them the pattern shows.
        blueBeside = CountOther(wnd, { 0, 100, 100, 156 }, RGB(0, 0, 255)) + CountOther(wnd, { 100, 116, 400, 120 }, RGB(0, 0, 255))
            + CountOther(wnd, { 100, 136, 400, 140 }, RGB(0, 0, 255)) + CountOther(wnd, { 100, 156, 400, 170 }, RGB(0, 0, 255));
    } });
    EXPECT_GT(black, 0);
    EXPECT_GT(white, black);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(blueBeside, 0);
}

TEST(TestWndInfo, ExactTextsForAnyElapsedTimeAndTitle)
{
    struct Case {
        std::string title;
        int step;
        plat::COLORREF color;
        const char* rgb;
        long elapsed;
    };
    const Case cases[] = {
        { "块填充\n纯色测试", 0, RGB(0x12, 0xAB, 0xEF), "12ABEF", 0 },
        { std::string(300, 'x'), 7, RGB(1, 2, 3), "010203", 1234567 },
    };
    std::vector<bool> shown;
    for (const Case& c : cases) {
        CTestWnd wnd({ kBlockFill, c.title, 0, 0, c.step });
        RunModal(wnd, { [&] { Resize(wnd, 4000, 200); }, [&] {
            plat::ClientDC dc(&wnd);
            wnd.DrawInfo(&dc, c.color, c.elapsed);
            shown.push_back(ShowsText(wnd, { 100, 100 }, FirstLine(c.step, c.title, c.rgb)));
            shown.push_back(ShowsText(wnd, { 100, 120 }, TimeLine(c.elapsed)));
            shown.push_back(ShowsText(wnd, { 100, 140 }, kRemark)); } });
    }
    EXPECT_EQ(shown, std::vector<bool>(6, true));
}

TEST(TestWndInfo, NoTextUnlessTheOptionIsExactlyOne)
{
    for (int option : { 0, 2, -1 }) {
        SCOPED_TRACE("option " + std::to_string(option));
        CTestWnd wnd({ kVLineFill, "竖线填充\n纯色测试", option });
        long notBlue = -1, notGreen = -1;
        RunModal(wnd, {
                          [&] { notBlue = CountOther(wnd, RGB(0, 0, 255)); },
                          [&] { LeftClick(wnd); },
                          [&] { notGreen = CountOther(wnd, RGB(0, 255, 0)); },
                      });
        EXPECT_EQ(notBlue, 0);
        EXPECT_EQ(notGreen, 0);
    }
}
