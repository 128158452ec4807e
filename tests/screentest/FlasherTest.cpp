// The flasher through the test window, on a fake clock: the warning first,
// where the step keys start nothing; F starts the colours in order no
// faster than 60 a second; any key or click goes back to the warning, which
// then adds the rate achieved; R's square around the last mark.

#include "TestWndSupport.h"

#include "platform/ui/Messages.h"
#include "screentest/Flasher.h"

using namespace sttest;
using plat::RGB;
namespace automation = plat::automation;

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 600;

// The warning as drawn: `lines` large lines centred in a block below the
// information lines, white on black, its first line a full one, nothing
// under the block.
bool ShowsWarning(const CTestWnd& wnd, int lines)
{
    const int top = std::max(200, (kHeight - lines * 44) / 2);
    const plat::Surface& s = Back(wnd);
    auto whiteIn = [&](int from) {
        long white = 0, other = 0;
        for (int y = from; y < from + 32; ++y)
            for (int x = 0; x < kWidth; ++x) {
                std::uint32_t p = s.Pixel(x, y) & 0xFFFFFFu;
                white += p == 0xFFFFFFu;
                other += p != 0xFFFFFFu && p != 0;
            }
        return other == 0 ? white : -1;
    };
    return whiteIn(top) > 1000 && whiteIn(top + (lines - 1) * 44) > 100
        && CountOther(wnd, { 0, top + lines * 44, kWidth, kHeight }, RGB(0, 0, 0)) == 0;
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
    bool warningFirst = false, warningAfterSpace = false, warningAfterKey = false, warningAfterClick = false, stillRunning = false;
    long otherOnFirst = -1;
    RunModal(wnd, {
                      [&] { Resize(wnd, kWidth, kHeight); },
                      [&] { warningFirst = ShowsWarning(wnd, 4); automation::Key(wnd, plat::VK_SPACE); },
                      [&] { warningAfterSpace = ShowsWarning(wnd, 4); automation::Key(wnd, 'F'); },
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
                      [&] { warningAfterKey = ShowsWarning(wnd, 5); automation::Key(wnd, 'F'); },
                      [&] { automation::Key(wnd, plat::VK_ESCAPE); }, // stops the flashing, not the test
                      [&] { stillRunning = wnd.IsWindow(); warningAfterClick = ShowsWarning(wnd, 4); },
                      [&] { automation::Key(wnd, 'F'); },
                      [&] { automation::Click(wnd, { 5, 5 }, automation::MouseButton::Right); },
                      [&] { warningAfterClick = warningAfterClick && ShowsWarning(wnd, 4) && wnd.IsWindow(); },
                  });
    EXPECT_TRUE(warningFirst);
    EXPECT_TRUE(warningAfterSpace);
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
                      [&] { automation::Key(wnd, 'F'); },
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
