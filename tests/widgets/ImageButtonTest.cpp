// The image button: its look pixel by pixel (face, outline, picture,
// caption), hover tracking through the 200 ms timer, and what it does not
// react to.

#include "WidgetDialog.h"

#include <algorithm>

using namespace plat;
using namespace wtest;

namespace {

constexpr std::uint32_t kBack = ToXrgb(RGB(240, 240, 240));
constexpr std::uint32_t kFace = ToXrgb(RGB(220, 237, 250));
constexpr std::uint32_t kPen = ToXrgb(RGB(21, 92, 147));
constexpr std::uint32_t kHotPen = ToXrgb(RGB(87, 142, 184));
constexpr std::uint32_t kText = ToXrgb(RGB(0, 0, 0));
constexpr std::uint32_t kHotText = ToXrgb(RGB(18, 103, 168));
constexpr std::uint32_t kWhite = 0xFFFFFF;

// The box around the pixels of one colour in rows [top, bottom); empty when none.
Rect Ink(const Wnd& button, std::uint32_t color, int top, int bottom)
{
    Rect client;
    button.GetClientRect(&client);
    Rect box { client.right, bottom, -1, -1 };
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < client.right; ++x)
            if (automation::Pixel(button, { x, y }) == color) {
                box.left = std::min(box.left, x);
                box.top = std::min(box.top, y);
                box.right = std::max(box.right, x + 1);
                box.bottom = std::max(box.bottom, y + 1);
            }
    return box.IsEmpty() ? Rect {} : box;
}

// Every pixel of the picture at `origin`: its own colour, or where it is
// white, whatever lies beneath (the face, or the outline at the edges).
void ExpectPicture(const Wnd& button, int bitmapId, Point origin)
{
    Bitmap picture = Resource(bitmapId);
    Rect client;
    button.GetClientRect(&client);
    int drawn = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            Point at { origin.x + x, origin.y + y };
            if (!client.Contains(at))
                continue;
            std::uint32_t expected = picture.Pixels()->Pixel(x, y);
            std::uint32_t got = automation::Pixel(button, at);
            if (expected == kWhite) {
                EXPECT_TRUE(got == kFace || got == kPen) << "white at " << x << "," << y << " shows " << std::hex << got;
            } else {
                EXPECT_EQ(got, expected) << "picture pixel " << x << "," << y;
                ++drawn;
            }
        }
    EXPECT_GT(drawn, 0);
}

}

TEST_F(WidgetTest, ImageButtonFaceOutlineAndPicture)
{
    const CImageButton& b = dlg.image;
    Rect r;
    b.GetClientRect(&r);
    ASSERT_EQ(r, (Rect { 0, 0, 75, 75 }));
    // Outline on the left and top edges and one pixel inside right and bottom.
    EXPECT_EQ(automation::Pixel(b, { 0, 30 }), kPen);
    EXPECT_EQ(automation::Pixel(b, { 30, 0 }), kPen);
    EXPECT_EQ(automation::Pixel(b, { 74, 30 }), kPen);
    EXPECT_EQ(automation::Pixel(b, { 30, 74 }), kPen);
    EXPECT_EQ(automation::Pixel(b, { 1, 30 }), kFace);
    EXPECT_EQ(automation::Pixel(b, { 73, 44 }), kFace);
    // The rounded corners show the background fill.
    for (Point corner : { Point { 0, 0 }, Point { 74, 0 }, Point { 0, 74 }, Point { 74, 74 } })
        EXPECT_EQ(automation::Pixel(b, corner), kBack) << corner.x << "," << corner.y;
    // The picture at ((75 - 32) / 2, 8) = (21, 8); white lets the face through.
    ExpectPicture(b, IDB_BLOCKFILL, { 21, 8 });
    // Nothing of the picture outside its square: face between it and the caption.
    for (int x = 1; x < 74; ++x)
        EXPECT_EQ(automation::Pixel(b, { x, 42 }), kFace) << x;
}

TEST_F(WidgetTest, ImageButtonTwoLineCaptionStartsAt46AndIsCentred)
{
    const CImageButton& b = dlg.image;
    // Nothing drawn in text colour between the picture and row 46.
    EXPECT_TRUE(Ink(b, kText, 40, 46).IsEmpty());
    Rect first = Ink(b, kText, 46, 58);
    Rect second = Ink(b, kText, 58, 75);
    ASSERT_FALSE(first.IsEmpty());
    ASSERT_FALSE(second.IsEmpty());
    EXPECT_LE(first.top, 48); // glyphs start at the top of their 12-pixel cell
    // "块填充" is 36 pixels wide, "纯色测试" 48: both centred on 37.5.
    EXPECT_NEAR(first.left + first.right, 75, 4);
    EXPECT_NEAR(second.left + second.right, 75, 4);
    EXPECT_GT(second.Width(), first.Width() + 6);
    EXPECT_LE(first.bottom, 58);
    EXPECT_LE(second.bottom, 70);
}

TEST_F(WidgetTest, ImageButtonCaptionWiderThanTheButtonIsClippedNotWrapped)
{
    const CImageButton& b = dlg.wideCaption;
    Rect line = Ink(b, kText, 46, 58);
    ASSERT_FALSE(line.IsEmpty());
    // Cut at both sides, and no second line below.
    EXPECT_LE(line.left, 2);
    EXPECT_GE(line.right, 73);
    EXPECT_TRUE(Ink(b, kText, 58, 75).IsEmpty());
}

TEST_F(WidgetTest, ImageButtonNarrowerThanThePictureCutsItOnTheLeft)
{
    Resize(dlg.narrow, 20, 75);
    // x = (20 - 32) / 2 = -6: columns 6..25 of the picture are visible.
    ExpectPicture(dlg.narrow, IDB_BLOCKFILL, { -6, 8 });
}

TEST_F(WidgetTest, ImageButtonWithoutItsBitmapShowsFaceAndCaption)
{
    const CImageButton& b = dlg.noPicture;
    EXPECT_EQ(b.m_nBitmapId, 9999);
    EXPECT_EQ(b.m_imageList.GetImageCount(), 0);
    for (int y = 8; y < 40; ++y)
        for (int x = 21; x < 53; ++x)
            ASSERT_EQ(automation::Pixel(b, { x, y }), kFace) << x << "," << y;
    EXPECT_FALSE(Ink(b, kText, 46, 58).IsEmpty());
}

TEST_F(WidgetTest, ImageButtonHotLookWhileTheCursorIsOver)
{
    CImageButton& b = dlg.image;
    std::vector<std::uint32_t> normal = ClientPixels(b);
    Rect caption = Ink(b, kText, 46, 75);
    EXPECT_EQ(b.m_bHover, 0);
    automation::MouseMove(b, { 37, 37 });
    Pump();
    EXPECT_EQ(b.m_bHover, 1);
    EXPECT_EQ(automation::Pixel(b, { 0, 30 }), kHotPen);
    EXPECT_EQ(automation::Pixel(b, { 74, 30 }), kHotPen);
    EXPECT_EQ(automation::Pixel(b, { 1, 30 }), kFace);
    EXPECT_TRUE(Ink(b, kText, 46, 75).IsEmpty());
    EXPECT_EQ(Ink(b, kHotText, 46, 75), caption);
    ExpectPicture(b, IDB_BLOCKFILL, { 21, 8 });

    // A tick that finds the cursor outside restores the normal look exactly.
    automation::SetCursorPos({ -100, -100 });
    b.SendMessage(WM_TIMER, 1, 0);
    Pump();
    EXPECT_EQ(b.m_bHover, 0);
    EXPECT_EQ(ClientPixels(b), normal);
}

TEST_F(WidgetTest, ImageButtonLeftWithoutAMoveGoesNormalOnTheNextTick)
{
    CImageButton& b = dlg.image;
    automation::MouseMove(b, { 10, 60 });
    Pump();
    ASSERT_EQ(b.m_bHover, 1);
    EXPECT_EQ(automation::RunningTimers(), 1);
    // The timer keeps ticking while the cursor stays; the look stays hot.
    PumpFor(450);
    EXPECT_EQ(b.m_bHover, 1);
    EXPECT_EQ(automation::RunningTimers(), 1);

    LeaveOntoDialog(); // the button gets no message for this
    EXPECT_EQ(b.m_bHover, 1);
    const int ms = WaitUntil([&] { return b.m_bHover == 0; });
    ASSERT_GE(ms, 0) << "the hot look stayed";
    EXPECT_EQ(automation::Pixel(b, { 0, 30 }), kPen);
    // That tick also stopped the timer.
    EXPECT_EQ(automation::RunningTimers(), 0);
}

TEST_F(WidgetTest, ImageButtonForeignTimerLeavesTheHoverAlone)
{
    CImageButton& b = dlg.image;
    automation::MouseMove(b, { 37, 37 });
    Pump();
    ASSERT_EQ(b.m_bHover, 1);
    automation::SetCursorPos({ -100, -100 });
    b.SendMessage(WM_TIMER, 7, 0);
    Pump();
    EXPECT_EQ(b.m_bHover, 1);
    EXPECT_EQ(automation::Pixel(b, { 0, 30 }), kHotPen);
    EXPECT_EQ(automation::RunningTimers(), 1);

    b.SendMessage(WM_TIMER, 1, 0);
    EXPECT_EQ(b.m_bHover, 0);
    EXPECT_EQ(automation::RunningTimers(), 0);
    // Nor does a foreign tick notice a cursor that came back.
    Rect screen;
    b.GetWindowRect(&screen);
    automation::SetCursorPos({ screen.left + 5, screen.top + 5 });
    b.SendMessage(WM_TIMER, 7, 0);
    EXPECT_EQ(b.m_bHover, 0);
}

TEST_F(WidgetTest, ImageButtonHasNoPressedOrDisabledLook)
{
    CImageButton& b = dlg.image;
    automation::MouseMove(b, { 37, 37 });
    Pump();
    std::vector<std::uint32_t> hot = ClientPixels(b);
    automation::MouseDown(b, { 37, 37 });
    Pump();
    ASSERT_TRUE(b.IsPushed());
    EXPECT_EQ(ClientPixels(b), hot);
    automation::MouseUp(b, { 37, 37 });
    Pump();
    EXPECT_EQ(dlg.clicks, (std::vector<int> { 1000 }));
    EXPECT_EQ(ClientPixels(b), hot);

    automation::SetCursorPos({ -100, -100 });
    b.SendMessage(WM_TIMER, 1, 0);
    std::vector<std::uint32_t> normal = ClientPixels(b);
    b.EnableWindow(false);
    Pump();
    EXPECT_EQ(ClientPixels(b), normal);
}

TEST_F(WidgetTest, ImageButtonRedrawWithoutAWindowDrawsNothing)
{
    CImageButton& b = dlg.image;
    EXPECT_EQ(b.Redraw(), 0);
    b.DestroyWindow();
    EXPECT_EQ(b.Redraw(), 1);
    // The cursor tracking still runs on the bare object.
    b.m_bHover = 1;
    EXPECT_FALSE(b.UpdateHover());
    EXPECT_EQ(b.m_bHover, 0);
}
