// The test window's keys: stepping both ways in every mode, the key map
// over the pattern and gone with the next input, keys it does not use,
// a long queue of presses, and following the monitors.

#include "TestWndSupport.h"

#include "platform/ui/Monitors.h"
#include "screentest/TestColors.h"

#include <vector>

using namespace sttest;
using plat::RGB;
namespace automation = plat::automation;

namespace {

std::vector<std::uint32_t> Snapshot(const CTestWnd& wnd)
{
    const plat::Surface& s = Back(wnd);
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            pixels.push_back(s.Pixel(x, y) & 0xFFFFFFu);
    return pixels;
}

}

// Forward keys step as a left click does, backward keys wrap the other
// way, Home returns to step 0; each key draws its step at once.
TEST(TestWndKeys, StepKeysFollowEachModesOrder)
{
    const unsigned forward[] = { plat::VK_SPACE, plat::VK_RIGHT, plat::VK_DOWN, plat::VK_NEXT };
    const unsigned backward[] = { plat::VK_BACK, plat::VK_LEFT, plat::VK_UP, plat::VK_PRIOR };
    for (const Pattern& pattern : Patterns()) {
        SCOPED_TRACE(pattern.name);
        const Pattern* mode = &pattern;
        CTestWnd wnd({ mode });
        std::vector<int> steps;
        std::vector<long> wrongPixels;
        auto press = [&](unsigned key) {
            return [&, key] { automation::Key(wnd, key); };
        };
        auto record = [&] {
            steps.push_back(wnd.Step());
            // The solid fills show the step's colour everywhere.
            if (mode == kBlockFill || mode == kDeadPixel)
                wrongPixels.push_back(CountOther(wnd, StepColor(mode, wnd.Step())));
        };
        std::vector<Step> script { [&] { Resize(wnd, 24, 16); } };
        for (int i = 0; i < 9; ++i)
            script.insert(script.end(), { press(forward[i % 4]), record });
        for (int i = 0; i < 4; ++i)
            script.insert(script.end(), { press(backward[i % 4]), record });
        script.insert(script.end(), { press(plat::VK_HOME), record, press(plat::VK_BACK), record });
        RunModal(wnd, script);

        // Nine steps on from 0, four back, Home, one back.
        const int count = pattern.Steps();
        std::vector<int> expected;
        for (int i = 1; i <= 9; ++i)
            expected.push_back(i % count);
        for (int i = 1; i <= 4; ++i)
            expected.push_back(((9 - i) % count + count) % count);
        expected.insert(expected.end(), { 0, count - 1 });
        EXPECT_EQ(steps, expected);
        for (long wrong : wrongPixels)
            EXPECT_EQ(wrong, 0);
    }
}

// N and P walk the pattern table both ways, wrapping at its ends; each
// pattern starts at step 0 with its own caption and is drawn at once.
TEST(TestWndKeys, PatternKeysWalkTheTableBothWays)
{
    const std::span<const Pattern> table = Patterns();
    const int count = static_cast<int>(table.size());
    CTestWnd wnd({ kBlockFill, "块填充\n纯色测试" });
    struct Seen {
        const Pattern* mode;
        int step;
        std::string title;
        long wrongPixels;
    };
    std::vector<Seen> seen;
    auto record = [&] {
        seen.push_back({ wnd.CurrentPattern(), wnd.Step(), wnd.Title(), CountOther(wnd, StepColor(wnd.CurrentPattern(), 0)) });
    };
    std::vector<Step> script { [&] { Resize(wnd, 24, 16); }, [&] { wnd.ShowStep(3); } };
    for (int i = 0; i < count; ++i)
        script.insert(script.end(), { [&] { automation::Key(wnd, 'N'); }, record });
    for (int i = 0; i < count + 1; ++i)
        script.insert(script.end(), { [&] { automation::Key(wnd, 'P'); }, record });
    RunModal(wnd, script);

    // Block fill is the table's second row.
    std::vector<int> expected;
    for (int i = 1; i <= count; ++i)
        expected.push_back((1 + i) % count);
    for (int i = 1; i <= count + 1; ++i)
        expected.push_back(((1 - i) % count + count) % count);
    ASSERT_EQ(seen.size(), expected.size());
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const Pattern& want = table[static_cast<std::size_t>(expected[i])];
        SCOPED_TRACE("press " + std::to_string(i + 1) + ": " + std::string(want.name));
        EXPECT_EQ(seen[i].mode, &want);
        EXPECT_EQ(seen[i].step, 0);
        EXPECT_EQ(seen[i].title, want.caption);
        // The solid patterns show their first colour everywhere.
        if (&want == kBlockFill || &want == kDeadPixel || &want == kGrey) {
            EXPECT_EQ(seen[i].wrongPixels, 0);
        }
    }
}

// F1 or '?' draws the key map over the pattern; the next key, character or
// click takes it away and does nothing else, and the pattern underneath is
// whole again. Keys the
// window does not use leave step and picture alone.
TEST(TestWndKeys, KeyMapGoesWithTheNextInputAndUnusedKeysChangeNothing)
{
    struct Way {
        const char* name;
        std::function<void(CTestWnd&)> show;
        std::function<void(CTestWnd&)> next;
        int stepAfter;
    };
    const Way ways[] = {
        { "F1, unused key", [](CTestWnd& w) { automation::Key(w, plat::VK_F1); },
            [](CTestWnd& w) { automation::Key(w, 'A'); }, 2 },
        { "F1 twice", [](CTestWnd& w) { automation::Key(w, plat::VK_F1); },
            [](CTestWnd& w) { automation::Key(w, plat::VK_F1); }, 2 },
        { "?, typed character", [](CTestWnd& w) { automation::Char(w, '?'); },
            [](CTestWnd& w) { automation::Char(w, U'，'); }, 2 },
        { "?, Tab on one monitor", [](CTestWnd& w) { automation::Char(w, '?'); },
            [](CTestWnd& w) { automation::Key(w, plat::VK_TAB); }, 2 },
        // The key map only closes: no step, no end of the test.
        { "F1, step key", [](CTestWnd& w) { automation::Key(w, plat::VK_F1); },
            [](CTestWnd& w) { automation::Key(w, plat::VK_PRIOR); }, 2 },
        { "F1, Space", [](CTestWnd& w) { automation::Key(w, plat::VK_F1); },
            [](CTestWnd& w) { automation::Key(w, plat::VK_SPACE); }, 2 },
        { "F1, left click", [](CTestWnd& w) { automation::Key(w, plat::VK_F1); },
            [](CTestWnd& w) { LeftClick(w); }, 2 },
        { "F1, Escape", [](CTestWnd& w) { automation::Key(w, plat::VK_F1); },
            [](CTestWnd& w) { automation::Key(w, plat::VK_ESCAPE); }, 2 },
        { "F1, right click", [](CTestWnd& w) { automation::Key(w, plat::VK_F1); },
            [](CTestWnd& w) { automation::Click(w, { 5, 5 }, automation::MouseButton::Right); }, 2 },
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        CTestWnd wnd({ kVLineGradient });
        std::vector<std::uint32_t> pattern, withMap, afterUnused, after;
        std::vector<std::vector<std::uint32_t>> stepPictures;
        bool mapShown = false, mapAfter = true, running = false;
        int stepAfter = -1;
        RunModal(wnd, {
                          [&] { Resize(wnd, 400, 300); },
                          [&] {
                              for (int step : { 1, 2, 3 }) {
                                  wnd.ShowStep(step);
                                  stepPictures.push_back(Snapshot(wnd));
                              }
                              wnd.ShowStep(2);
                              pattern = Snapshot(wnd);
                              for (unsigned key : { static_cast<unsigned>('A'), plat::VK_END, static_cast<unsigned>('5') })
                                  automation::Key(wnd, key);
                              automation::Char(wnd, 'x');
                          },
                          [&] { afterUnused = Snapshot(wnd); },
                          [&] { way.show(wnd); },
                          [&] {
                              mapShown = wnd.ShowsKeyMap();
                              withMap = Snapshot(wnd);
                              way.next(wnd);
                          },
                          [&] {
                              mapAfter = wnd.ShowsKeyMap();
                              running = wnd.IsWindow();
                              stepAfter = wnd.Step();
                              after = Snapshot(wnd);
                          },
                      });
        EXPECT_EQ(afterUnused, pattern);
        EXPECT_TRUE(mapShown);
        EXPECT_NE(withMap, pattern);
        EXPECT_FALSE(mapAfter);
        EXPECT_TRUE(running);
        ASSERT_EQ(stepAfter, way.stepAfter);
        EXPECT_EQ(after, stepPictures[static_cast<std::size_t>(stepAfter - 1)]);
    }
}

// A key map larger than the screen is clipped to it; a long queue of
// presses is handled one by one, in order.
TEST(TestWndKeys, KeyMapOnTinyScreensAndAThousandQueuedPresses)
{
    for (plat::Size size : { plat::Size { 1, 1 }, plat::Size { 120, 40 } }) {
        CTestWnd wnd({ kBlockFill });
        long notBlue = -1;
        RunModal(wnd, {
                          [&] { Resize(wnd, size.cx, size.cy); },
                          [&] { automation::Key(wnd, plat::VK_F1); },
                          [&] { automation::Key(wnd, plat::VK_F1); },
                          [&] { notBlue = CountOther(wnd, RGB(0, 0, 255)); },
                      });
        EXPECT_EQ(notBlue, 0) << size.cx << " x " << size.cy;
    }

    CTestWnd wnd({ kBlockFill });
    int step = -1;
    long wrong = -1;
    RunModal(wnd, {
                      [&] { Resize(wnd, 16, 8); },
                      [&] {
                          // 500 forward, Home, 499 back: only this order ends at step 5.
                          for (int i = 0; i < 500; ++i)
                              automation::Key(wnd, plat::VK_RIGHT);
                          automation::Key(wnd, plat::VK_HOME);
                          for (int i = 0; i < 499; ++i)
                              automation::Key(wnd, plat::VK_LEFT);
                      },
                      [&] {
                          step = wnd.Step();
                          wrong = CountOther(wnd, kTestColors[5]);
                      },
                  });
    EXPECT_EQ(step, 5);
    EXPECT_EQ(wrong, 0);
}

// With one monitor Tab and Shift+Tab leave the window where it is; when
// the monitors change and the window's monitor is gone, it moves to the
// primary screen and draws its step there.
TEST(TestWndKeys, TabOnOneMonitorAndAMonitorThatWentAway)
{
    ASSERT_EQ(plat::GetMonitorCount(), 1);
    plat::MonitorInfo primary;
    ASSERT_TRUE(plat::GetMonitorInfo(0, &primary));
    // Asked for a second monitor that is not there, the window names none.
    CTestWnd wnd({ kBlockFill, "", 0, 1, 2 });
    plat::Rect afterTab, afterChange;
    int monitor = -1;
    long notRed = -1;
    RunModal(wnd, {
                      [&] { Resize(wnd, 40, 30); },
                      [&] {
                          automation::Key(wnd, plat::VK_TAB);
                          automation::Key(wnd, plat::VK_TAB, automation::Modifiers::Shift);
                      },
                      [&] {
                          wnd.GetWindowRect(&afterTab);
                          automation::DisplayChange();
                      },
                      [&] {
                          wnd.GetWindowRect(&afterChange);
                          monitor = wnd.Monitor();
                          notRed = CountOther(wnd, RGB(255, 0, 0));
                      },
                  });
    EXPECT_EQ(afterTab, (plat::Rect { 0, 0, 40, 30 }));
    EXPECT_EQ(afterChange, primary.rcMonitor);
    EXPECT_EQ(monitor, 0);
    EXPECT_EQ(notRed, 0);
}
