// What each pattern leaves on the screen, read back from the window's back
// buffer: solid and dot fills cover every pixel in the step's colour, the
// gradients follow their ramp column by column, on any screen size.

#include "TestWndSupport.h"

#include "screentest/TestColors.h"

using namespace sttest;
using plat::RGB;

namespace {

// The whole client area after the first show and each of `clicks` left clicks.
std::vector<std::vector<std::uint32_t>> Pictures(const Pattern* mode, int width, int height, int clicks)
{
    CTestWnd wnd({ mode });
    std::vector<std::vector<std::uint32_t>> pictures;
    auto grab = [&] {
        const plat::Surface& s = Back(wnd);
        std::vector<std::uint32_t> picture;
        for (int y = 0; y < s.Height(); ++y)
            picture.insert(picture.end(), s.Row(y), s.Row(y) + s.Width());
        pictures.push_back(std::move(picture));
    };
    std::vector<Step> script { [&] { Resize(wnd, width, height); }, grab };
    for (int click = 0; click < clicks; ++click) {
        script.push_back([&] { LeftClick(wnd); });
        script.push_back(grab);
    }
    RunModal(wnd, script);
    return pictures;
}

std::vector<std::uint32_t> Solid(plat::COLORREF color, int width, int height)
{
    return std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, plat::ToXrgb(color));
}

// The colour of gradient line i at `step`: base + k * change, where k runs
// 0, 1, ..., 255, 254, ..., 1, 0, 1, ... (period 510); the white step runs
// downwards from white.
plat::COLORREF RampColor(int step, int i)
{
    int t = i % 510;
    int k = t <= 255 ? t : 510 - t;
    if (step == 6)
        return RGB(255 - k, 255 - k, 255 - k);
    plat::COLORREF base = kTestColors[step];
    plat::COLORREF d = kGradientSteps[step];
    return RGB(plat::GetRValue(base) + k * plat::GetRValue(d), plat::GetGValue(base) + k * plat::GetGValue(d),
        plat::GetBValue(base) + k * plat::GetBValue(d));
}

}

TEST(TestWndPictures, SolidAndDotFillsCoverEveryPixelInEveryStep)
{
    const int width = 97, height = 61;
    for (const Pattern* mode : { kBlockFill, kVLineFill, kHLineFill, kDotFillDown, kDotFillRight, kGrey }) {
        SCOPED_TRACE(std::string(mode->name));
        const int steps = mode->Steps();
        auto pictures = Pictures(mode, width, height, steps);
        ASSERT_EQ(pictures.size(), static_cast<std::size_t>(steps) + 1);
        for (int i = 0; i <= steps; ++i)
            EXPECT_EQ(pictures[i], Solid(StepColor(mode, i % steps), width, height)) << "after " << i << " clicks";
    }
    auto dead = Pictures(kDeadPixel, width, height, 2);
    ASSERT_EQ(dead.size(), 3u);
    EXPECT_EQ(dead[0], Solid(RGB(255, 255, 255), width, height));
    EXPECT_EQ(dead[1], Solid(RGB(0, 0, 0), width, height));
    EXPECT_EQ(dead[2], Solid(RGB(255, 255, 255), width, height));
}

TEST(TestWndPictures, GradientsFollowTheRampOnAWideScreen)
{
    const int length = 1920, across = 3;
    for (int step = 0; step < 8; ++step) {
        SCOPED_TRACE("step " + std::to_string(step));
        std::vector<std::uint32_t> columns, rows;
        for (int i = 0; i < length; ++i)
            columns.push_back(plat::ToXrgb(RampColor(step, i)));
        auto vertical = Pictures(kVLineGradient, length, across, step);
        auto horizontal = Pictures(kHLineGradient, across, length, step);
        ASSERT_EQ(vertical.size(), static_cast<std::size_t>(step) + 1);
        ASSERT_EQ(horizontal.size(), static_cast<std::size_t>(step) + 1);
        for (int y = 0; y < across; ++y) {
            std::vector<std::uint32_t> row(vertical.back().begin() + y * length, vertical.back().begin() + (y + 1) * length);
            EXPECT_EQ(row, columns) << "row " << y << " of the vertical gradient";
        }
        for (int y = 0; y < length; ++y)
            for (int x = 0; x < across; ++x)
                rows.push_back(columns[y]);
        EXPECT_EQ(horizontal.back(), rows);

        // Where the vertical ramp is white (black for the white step, which starts white).
        std::vector<int> white;
        for (int x = 0; x < length; ++x)
            if (vertical.back()[x] == 0xFFFFFFu)
                white.push_back(x);
        if (step == 6)
            EXPECT_EQ(white, (std::vector<int> { 0, 510, 1020, 1530 }));
        else
            EXPECT_EQ(white, (std::vector<int> { 255, 765, 1275, 1785 }));
    }
}

TEST(TestWndPictures, NarrowGradientNeverReachesTheTurn)
{
    for (int step : { 0, 6 }) {
        SCOPED_TRACE("step " + std::to_string(step));
        std::uint32_t turn = step == 6 ? 0x000000u : 0xFFFFFFu;
        auto vertical = Pictures(kVLineGradient, 255, 2, step).back();
        auto horizontal = Pictures(kHLineGradient, 2, 255, step).back();
        EXPECT_EQ(std::count(vertical.begin(), vertical.end(), turn), 0);
        EXPECT_EQ(std::count(horizontal.begin(), horizontal.end(), turn), 0);
        // The last line is one level short of the turn.
        EXPECT_EQ(vertical[254], plat::ToXrgb(RampColor(step, 254)));
    }
}

TEST(TestWndPictures, OnePixelScreen)
{
    for (const Pattern* mode : AllModes()) {
        SCOPED_TRACE(std::string(mode->name));
        auto pictures = Pictures(mode, 1, 1, 2);
        ASSERT_EQ(pictures.size(), 3u);
        int steps = mode->Steps();
        // The grid's one pixel is its centre, green.
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(pictures[i], Solid(mode == kGrid ? plat::RGB(0, 255, 0) : StepColor(mode, i % steps), 1, 1))
                << "after " << i << " clicks";
    }
}

TEST(TestWndPictures, EmptyClientAreaDrawsNothing)
{
    for (const Pattern* mode : AllModes()) {
        for (plat::Size size : { plat::Size { 0, 40 }, plat::Size { 40, 0 } }) {
            SCOPED_TRACE(std::string(mode->name) + ", " + std::to_string(size.cx) + " x " + std::to_string(size.cy));
            CTestWnd wnd({ mode, "", 1 });
            plat::Rect client { -1, -1, -1, -1 };
            int step = -1;
            long drawn = -1;
            RunModal(wnd, {
                              [&] { Resize(wnd, size.cx, size.cy); },
                              [&] { LeftClick(wnd); },
                              [&] {
                                  wnd.DrawPattern();
                                  client = ClientOf(wnd);
                                  step = wnd.Step();
                                  // The window system keeps at least one pixel; none is drawn on.
                                  drawn = CountOther(wnd, Back(wnd).Bounds(), RGB(0, 0, 0));
                              },
                          });
            EXPECT_EQ(client, (plat::Rect { 0, 0, size.cx, size.cy }));
            EXPECT_EQ(step, 1 % mode->Steps());
            EXPECT_EQ(drawn, 0);
        }
    }
}

// 7680 x 4320: the block fill, a dot fill and a gradient over 33 million pixels.
TEST(TestWndPictures, EightKScreen)
{
    const int width = 7680, height = 4320;
    for (const Pattern* mode : { kBlockFill, kDotFillDown, kVLineGradient }) {
        SCOPED_TRACE(std::string(mode->name));
        CTestWnd wnd({ mode });
        long wrong = -1;
        RunModal(wnd, {
                          [&] { Resize(wnd, width, height); },
                          [&] { LeftClick(wnd); },
                          [&] {
                              if (mode != kVLineGradient) {
                                  wrong = CountOther(wnd, RGB(0, 255, 0));
                                  return;
                              }
                              wrong = 0;
                              for (int x = 0; x < width; ++x)
                                  wrong += CountOther(wnd, { x, 0, x + 1, height }, RampColor(1, x));
                          },
                      });
        EXPECT_EQ(wrong, 0);
    }
}
