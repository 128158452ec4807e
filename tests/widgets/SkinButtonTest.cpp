// The skinned link button: the strip's two ends joined in the middle, the
// face and caption colour of each state, and the highlight following the
// mouse, presses and the 100 ms leave check.

#include "WidgetDialog.h"

using namespace plat;
using namespace wtest;

namespace {

constexpr std::uint32_t kBack = ToXrgb(RGB(240, 240, 240));
constexpr std::uint32_t kTextNormal = ToXrgb(RGB(16, 16, 16));
constexpr std::uint32_t kTextHighlighted = ToXrgb(RGB(51, 51, 51));
constexpr std::uint32_t kTextDisabled = ToXrgb(RGB(165, 165, 165));

// Checks that every pixel of the button's top 22 rows is the joined strip
// (left `half` columns from the strip's left end, the rest from its right
// end) or the caption colour; returns the number of caption pixels.
int ExpectFace(const Wnd& button, int stripId, std::uint32_t caption)
{
    Bitmap strip = Resource(stripId);
    Rect r;
    button.GetClientRect(&r);
    int w = r.Width();
    int half = w / 2;
    int captionPixels = 0;
    int wrong = 0;
    for (int y = 0; y < std::min(22, r.Height()); ++y)
        for (int x = 0; x < w; ++x) {
            int sx = x < half ? x : 300 - (w - half) + (x - half);
            std::uint32_t expected = strip.Pixels()->Pixel(sx, y);
            std::uint32_t got = automation::Pixel(button, { x, y });
            if (got == caption && expected != caption)
                ++captionPixels;
            else if (got != expected && ++wrong <= 5)
                ADD_FAILURE() << "strip " << stripId << " at " << x << "," << y << ": " << std::hex << got
                              << " instead of " << expected << " (strip column " << std::dec << sx << ")";
        }
    return captionPixels;
}

}

TEST_F(WidgetTest, SkinButtonJoinsTheStripEndsInTheMiddle)
{
    Resize(dlg.bareSkin, 70, 22);
    EXPECT_EQ(ExpectFace(dlg.bareSkin, IDB_SKIN_NORMAL, kTextNormal), 0); // 35 + 35 columns
    Resize(dlg.bareSkin, 71, 22);
    EXPECT_EQ(ExpectFace(dlg.bareSkin, IDB_SKIN_NORMAL, kTextNormal), 0); // 35 + 36 columns
    // The two ends differ, so the join is really taken from both ends.
    Bitmap strip = Resource(IDB_SKIN_NORMAL);
    EXPECT_NE(strip.Pixels()->Pixel(0, 11), strip.Pixels()->Pixel(150, 11));
    EXPECT_EQ(automation::Pixel(dlg.bareSkin, { 70, 11 }), strip.Pixels()->Pixel(299, 11));
}

TEST_F(WidgetTest, SkinButtonCaptionIsCentredInTheTop22Rows)
{
    Resize(dlg.skin, 70, 22);
    EXPECT_GT(ExpectFace(dlg.skin, IDB_SKIN_NORMAL, kTextNormal), 20);

    // Taller than the strip: the caption stays in the top 22 rows and the
    // rows below keep the background.
    Resize(dlg.skin, 70, 30);
    int top = 30, bottom = 0, left = 70, right = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 70; ++x) {
            std::uint32_t p = automation::Pixel(dlg.skin, { x, y });
            if (y >= 22) {
                EXPECT_EQ(p, kBack) << x << "," << y;
            }
            if (p != kTextNormal)
                continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y + 1);
            left = std::min(left, x);
            right = std::max(right, x + 1);
        }
    ASSERT_LT(top, bottom);
    EXPECT_LE(bottom, 22);
    EXPECT_NEAR(top + bottom, 22, 3);
    EXPECT_NEAR(left + right, 70, 3);
}

TEST_F(WidgetTest, SkinButtonHighlightsOnPressAndIsNormalAfterRelease)
{
    CSkinButton& b = dlg.skin;
    Resize(b, 70, 22);
    automation::MouseDown(b, { 35, 11 });
    Pump();
    EXPECT_EQ(b.m_nState, CSkinButton::kStateHighlighted);
    EXPECT_GT(ExpectFace(b, IDB_SKIN_HOT, kTextHighlighted), 20);
    automation::MouseUp(b, { 35, 11 });
    Pump();
    EXPECT_EQ(dlg.clicks, (std::vector<int> { 1004 }));
    // Normal although the cursor is still over the button.
    EXPECT_EQ(b.m_nState, CSkinButton::kStateNormal);
    EXPECT_GT(ExpectFace(b, IDB_SKIN_NORMAL, kTextNormal), 20);
}

TEST_F(WidgetTest, SkinButtonHighlightFollowsTheMouseAndClearsAfterLeaving)
{
    CSkinButton& b = dlg.skin;
    Resize(b, 70, 22);
    automation::MouseMove(b, { 10, 10 });
    Pump();
    EXPECT_EQ(b.m_nState, CSkinButton::kStateHighlighted);
    EXPECT_EQ(b.m_nTimer, 1u);
    EXPECT_GT(ExpectFace(b, IDB_SKIN_HOT, kTextHighlighted), 20);

    // Moves and ticks inside change nothing.
    automation::MouseMove(b, { 60, 20 });
    b.SendMessage(WM_TIMER, 1, 0);
    PumpFor(250);
    EXPECT_EQ(b.m_nState, CSkinButton::kStateHighlighted);
    EXPECT_EQ(automation::RunningTimers(), 1);

    LeaveOntoDialog();
    EXPECT_EQ(b.m_nState, CSkinButton::kStateHighlighted);
    const int ms = WaitUntil([&] { return b.m_nState == CSkinButton::kStateNormal; });
    ASSERT_GE(ms, 0) << "the highlight stayed";
    EXPECT_EQ(b.m_nTimer, 0u);
    EXPECT_EQ(automation::RunningTimers(), 0);
    Pump();
    EXPECT_GT(ExpectFace(b, IDB_SKIN_NORMAL, kTextNormal), 20);
}

TEST_F(WidgetTest, SkinButtonMoveOutsideWhileCapturedClearsTheHighlight)
{
    CSkinButton& b = dlg.skin;
    Resize(b, 70, 22);
    automation::MouseDown(b, { 35, 11 });
    automation::MouseMove(dlg, { 350, 230 }); // still reaches the button: it has the capture
    Pump();
    EXPECT_EQ(b.m_nState, CSkinButton::kStateNormal);
    EXPECT_NE(b.m_nTimer, 0u);
    automation::MouseUp(dlg, { 350, 230 });
    Pump();
    EXPECT_TRUE(dlg.clicks.empty());
    EXPECT_GT(ExpectFace(b, IDB_SKIN_NORMAL, kTextNormal), 20);
}

TEST_F(WidgetTest, SkinButtonDisabledFaceWins)
{
    CSkinButton& b = dlg.skin;
    Resize(b, 70, 22);
    b.EnableWindow(false);
    b.m_nState = 2;
    b.Invalidate(true);
    Pump();
    EXPECT_GT(ExpectFace(b, IDB_SKIN_DISABLED, kTextDisabled), 20);
    // The mouse does not reach it, and the face does not change.
    automation::MouseDown(b, { 35, 11 });
    automation::MouseUp(b, { 35, 11 });
    automation::MouseMove(b, { 5, 5 });
    Pump();
    EXPECT_TRUE(dlg.clicks.empty());
    EXPECT_GT(ExpectFace(b, IDB_SKIN_DISABLED, kTextDisabled), 20);
}
