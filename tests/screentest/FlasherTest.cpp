// The flasher through the test window, on a fake clock: the warning first,
// then the colours in order no faster than 60 a second, any key or click
// back to the warning, and R's square around the last mark.

#include "TestWndSupport.h"

#include "platform/ui/Messages.h"
#include "screentest/Flasher.h"

using namespace sttest;
using plat::RGB;
namespace automation = plat::automation;

namespace {

constexpr std::string_view kFirstWarningLine = " 警告: 快速变化的颜色可能引发光敏性癫痫患者发作。 ";

// Where the warning's first line starts on a width x height client.
plat::Point WarningAt(int width, int height)
{
    plat::Surface scratch(1, 1);
    plat::DeviceContext dc(scratch);
    dc.SelectObject(InfoFont());
    int widest = 0;
    for (std::string_view line : { kFirstWarningLine, std::string_view(" 空格键开始，Esc 键离开；闪烁时按任意键或点击鼠标即停止。 ") })
        widest = std::max(widest, dc.GetTextExtent(line).cx);
    return { (width - widest) / 2, std::max(200, (height - 4 * 20) / 2) };
}

// The warning as drawn: its first line white on black, nothing under it.
bool ShowsWarning(const CTestWnd& wnd)
{
    plat::Point at = WarningAt(800, 320);
    const plat::Surface& s = Back(wnd);
    long white = 0, other = 0;
    for (int y = at.y; y < at.y + 16; ++y)
        for (int x = at.x; x < at.x + 8 * 40; ++x) {
            std::uint32_t p = s.Pixel(x, y) & 0xFFFFFFu;
            white += p == 0xFFFFFFu;
            other += p != 0xFFFFFFu && p != 0;
        }
    return white > 100 && other == 0 && CountOther(wnd, { 0, at.y + 4 * 20, 800, 320 }, RGB(0, 0, 0)) == 0;
}
}

TEST(TestWndFlasher, WarningFirstThenTheColoursAtMostSixtyASecond)
{
    CTestWnd wnd({ kFlasher, "", 1 });
    long now = 1000;
    wnd.SetClock([&now] { return now; });
    auto tickAt = [&](long ms) {
        return [&, ms] {
            now = ms;
            wnd.SendMessage(plat::WM_TIMER, 24);
        };
    };
    std::vector<plat::COLORREF> seen;
    auto look = [&] { seen.push_back(automation::PixelColor(wnd, { 400, 150 })); };
    bool warningFirst = false, warningAfterKey = false, warningAfterClick = false, stillRunning = false;
    long otherOnFirst = -1;
    RunModal(wnd, {
                      [&] { Resize(wnd, 800, 320); },
                      [&] { warningFirst = ShowsWarning(wnd); automation::Key(wnd, plat::VK_SPACE); },
                      [&] { look(); otherOnFirst = CountOther(wnd, RGB(255, 0, 0)); }, // no information lines
                      tickAt(1016),
                      look, // 16 ms: too soon
                      tickAt(1017),
                      look, // 1/60 s: green
                      tickAt(1017),
                      look, // the same moment again: no change
                      tickAt(1034),
                      look,
                      tickAt(1051),
                      look,
                      tickAt(1068),
                      look,
                      tickAt(1085),
                      look,
                      [&] { automation::Key(wnd, 'A'); },
                      [&] { warningAfterKey = ShowsWarning(wnd); automation::Key(wnd, plat::VK_SPACE); },
                      [&] { automation::Key(wnd, plat::VK_ESCAPE); }, // stops the flashing, not the test
                      [&] { stillRunning = wnd.IsWindow(); warningAfterClick = ShowsWarning(wnd); },
                      [&] { automation::Key(wnd, plat::VK_SPACE); },
                      [&] { automation::Click(wnd, { 5, 5 }, automation::MouseButton::Right); },
                      [&] { warningAfterClick = warningAfterClick && ShowsWarning(wnd) && wnd.IsWindow(); },
                  });
    EXPECT_TRUE(warningFirst);
    EXPECT_EQ(otherOnFirst, 0);
    const std::vector<plat::COLORREF> expected { RGB(255, 0, 0), RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 255, 0),
        RGB(0, 0, 255), RGB(255, 255, 255), RGB(0, 0, 0), RGB(255, 0, 0) };
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(warningAfterKey);
    EXPECT_TRUE(stillRunning);
    EXPECT_TRUE(warningAfterClick);
}

// R: a 128 x 128 square centred on the last mark flashes, the rest is black.
TEST(TestWndFlasher, RLimitsTheFlashToASquareAroundTheLastMark)
{
    CTestWnd wnd({ kFlasher });
    wnd.SetClock([] { return 0L; });
    long outside = -1, inside = -1;
    RunModal(wnd, {
                      [&] { Resize(wnd, 400, 300); },
                      [&] { automation::SetCursorPos({ 10, 10 }); automation::Key(wnd, 'M'); },
                      [&] { automation::SetCursorPos({ 200, 150 }); automation::Key(wnd, 'M'); },
                      [&] { automation::SetCursorPos({ 390, 290 }); automation::Key(wnd, 'R'); },
                      [&] { automation::Key(wnd, plat::VK_SPACE); },
                      [&] {
                          inside = CountOther(wnd, { 136, 86, 264, 214 }, RGB(255, 0, 0));
                          outside = 400 * 300 - 128 * 128 - (400 * 300 - CountOther(wnd, RGB(0, 0, 0)));
                          // No report from this test: the flash stops, the marks go.
                          automation::Key(wnd, plat::VK_ESCAPE);
                          automation::Key(wnd, 'C');
                      },
                  });
    EXPECT_EQ(inside, 0);
    EXPECT_EQ(outside, 0);
}
