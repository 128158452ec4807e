#include "Picture.h"

#include "platform/gfx/DeviceContext.h"

#include <gtest/gtest.h>

#include <random>

namespace plat {
namespace {

using test::Picture;
using test::Rows;

const std::map<std::uint32_t, char> kLegend { { test::kBlack, '.' }, { test::kRed, 'R' }, { test::kBlue, 'B' } };

TEST(FillRect, CoversLeftTopAndExcludesRightBottom)
{
    Surface s(6, 5);
    DeviceContext dc(s);
    dc.FillRect({ 1, 1, 4, 3 }, Brush(RGB(255, 0, 0)));
    EXPECT_EQ(Picture(s, kLegend), Rows({
                                       "......",
                                       ".RRR..",
                                       ".RRR..",
                                       "......",
                                       "......",
                                   }));
}

TEST(FillRect, ClipsOnEverySideAndIgnoresEmptyOrInvertedRectangles)
{
    Surface s(4, 3);
    DeviceContext dc(s);
    const Brush red(RGB(255, 0, 0));
    dc.FillRect({ -5, -5, 1, 1 }, red);   // top-left corner only
    dc.FillRect({ 3, 2, 100, 100 }, red); // bottom-right corner only
    dc.FillRect({ 2, 0, 2, 3 }, red);     // empty width
    dc.FillRect({ 3, 2, 1, 0 }, red);     // inverted
    dc.FillRect({ -2147483647, 0, 2147483647, -1 }, red);
    dc.FillRect({ 100, 100, 200, 200 }, red);
    EXPECT_EQ(Picture(s, kLegend), Rows({
                                       "R...",
                                       "....",
                                       "...R",
                                   }));
}

TEST(FillRect, RandomRectanglesAreCoveredExactly)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coord(-6, 18);
    for (int round = 0; round < 200; ++round) {
        Surface s(12, 10);
        DeviceContext dc(s);
        const Rect r { coord(random), coord(random), coord(random), coord(random) };
        dc.FillSolidRect(r, RGB(0, 0, 255));
        for (int y = 0; y < 10; ++y) {
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                ASSERT_EQ(s.Pixel(x, y), inside ? test::kBlue : test::kBlack)
                    << "rect " << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << " at " << x << ','
                    << y;
            }
        }
    }
}

TEST(SetPixel, SetsOnePixelInSurfaceByteOrderAndRefusesOutside)
{
    Surface s(3, 2);
    DeviceContext dc(s);
    EXPECT_EQ(dc.SetPixel(2, 1, RGB(0x12, 0x34, 0x56)), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(s.Pixel(2, 1), 0x123456u);
    EXPECT_EQ(dc.GetPixel(2, 1), RGB(0x12, 0x34, 0x56));
    for (Point p : { Point { -1, 0 }, Point { 3, 0 }, Point { 0, -1 }, Point { 0, 2 }, Point { -2147483647 - 1, 0 },
             Point { 2147483647, 2147483647 } }) {
        EXPECT_EQ(dc.SetPixel(p.x, p.y, RGB(255, 0, 0)), CLR_INVALID);
        EXPECT_EQ(dc.GetPixel(p.x, p.y), CLR_INVALID);
    }
    EXPECT_EQ(Picture(s, { { 0, '.' }, { 0x123456, 'x' } }), Rows({ "...", "..x" }));
}

TEST(SubAreaContext, DrawsRelativeToItsAreaAndNeverOutsideIt)
{
    Surface s(8, 6);
    DeviceContext dc(s, { 2, 1, 6, 4 });
    EXPECT_EQ(dc.GetClipBox(), (Rect { 0, 0, 4, 3 }));
    dc.FillRect({ -10, -10, 100, 100 }, Brush(RGB(0, 0, 255)));
    dc.SetPixel(0, 0, RGB(255, 0, 0));
    dc.SetPixel(4, 0, RGB(255, 0, 0));  // just right of the area
    dc.SetPixel(-1, 2, RGB(255, 0, 0)); // just left of it
    dc.MoveTo(-5, 2);
    dc.LineTo(50, 2);
    dc.SelectObject(Pen(PS_SOLID, 1, RGB(255, 0, 0)));
    dc.MoveTo(3, -9);
    dc.LineTo(3, 90);
    EXPECT_EQ(Picture(s, kLegend), Rows({
                                       "........",
                                       "..RBBR..",
                                       "..BBBR..",
                                       ".....R..",
                                       "........",
                                       "........",
                                   }));
}

TEST(SubAreaContext, AreaPartlyOffTheSurfaceKeepsItsOrigin)
{
    Surface s(4, 4);
    DeviceContext dc(s, { -2, -1, 3, 3 });
    EXPECT_EQ(dc.GetClipBox(), (Rect { 2, 1, 5, 4 }));
    dc.SetPixel(2, 1, RGB(255, 0, 0)); // surface (0, 0)
    dc.SetPixel(1, 1, RGB(255, 0, 0)); // off the surface
    dc.SetPixel(5, 2, RGB(255, 0, 0)); // off the area
    EXPECT_EQ(Picture(s, kLegend), Rows({ "R...", "....", "....", "...." }));
}

TEST(BadInput, ContextsWithoutPixelsAndNullObjectsDrawNothing)
{
    Surface empty;
    DeviceContext onEmpty(empty);
    onEmpty.FillSolidRect({ 0, 0, 10, 10 }, RGB(255, 0, 0));
    EXPECT_EQ(onEmpty.SetPixel(0, 0, 0), CLR_INVALID);
    EXPECT_TRUE(onEmpty.GetClipBox().IsEmpty());

    DeviceContext unattached;
    unattached.MoveTo(0, 0);
    unattached.LineTo(10, 10);
    EXPECT_EQ(unattached.SetPixel(0, 0, 0), CLR_INVALID);
    EXPECT_TRUE(unattached.TextOut(0, 0, "x") == false);

    Surface s(3, 3);
    DeviceContext dc(s);
    Brush deleted(RGB(255, 0, 0));
    deleted.DeleteObject();
    dc.FillRect({ 0, 0, 3, 3 }, deleted);
    dc.FillRect({ 0, 0, 3, 3 }, Brush());
    EXPECT_TRUE(dc.SelectObject(Pen()).IsNull());
    EXPECT_TRUE(dc.SelectObject(Brush()).IsNull());
    EXPECT_TRUE(dc.SelectObject(Font()).IsNull());
    EXPECT_TRUE(dc.SelectObject(Bitmap()).IsNull());
    EXPECT_EQ(Picture(s, kLegend), Rows({ "...", "...", "..." }));

    dc.DeleteDC();
    dc.FillSolidRect({ 0, 0, 3, 3 }, RGB(255, 0, 0));
    dc.MoveTo(0, 0);
    EXPECT_FALSE(dc.LineTo(3, 0));
    EXPECT_EQ(Picture(s, kLegend), Rows({ "...", "...", "..." }));

    EXPECT_TRUE(Surface(-1, 5).IsEmpty());
    EXPECT_TRUE(Surface(Surface::kMaxSide + 1, 1).IsEmpty());
}

TEST(Objects, SelectReturnsThePreviousObjectStartingWithTheDefaults)
{
    Surface s(2, 2);
    DeviceContext dc(s);
    const Pen red(PS_SOLID, 1, RGB(255, 0, 0));
    const Pen first = dc.SelectObject(red);
    EXPECT_EQ(first.Color(), RGB(0, 0, 0));
    EXPECT_EQ(dc.SelectObject(first).Data(), red.Data());

    const Brush blue(RGB(0, 0, 255));
    EXPECT_EQ(dc.SelectObject(blue).Color(), RGB(255, 255, 255));

    Font font;
    ASSERT_TRUE(font.CreateFont(16, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "宋体"));
    const Font defaultFont = dc.SelectObject(font);
    EXPECT_EQ(defaultFont.PixelSize(), 12);
    EXPECT_EQ(dc.SelectObject(defaultFont).Data(), font.Data());

    EXPECT_FALSE(Pen().CreatePen(7, 1, 0));
    EXPECT_FALSE(Pen().CreatePen(PS_SOLID, 3, 0));
}

TEST(Objects, DeletingASelectedPenKeepsTheContextDrawingWithIt)
{
    Surface s(4, 1);
    DeviceContext dc(s);
    {
        Pen pen(PS_SOLID, 1, RGB(255, 0, 0));
        dc.SelectObject(pen);
        pen.DeleteObject();
    }
    dc.MoveTo(0, 0);
    dc.LineTo(4, 0);
    EXPECT_EQ(Picture(s, kLegend), Rows({ "RRRR" }));
}

}
}
