#include "Picture.h"

#include "platform/gfx/DeviceContext.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

using test::Picture;
using test::Rows;

const std::map<std::uint32_t, char> kLegend { { test::kBlack, '.' }, { test::kRed, '#' }, { test::kBlue, 'o' } };

void RoundRectInRedAndBlue(DeviceContext& dc, Rect r, int ew, int eh)
{
    dc.SelectObject(Pen(PS_SOLID, 1, RGB(255, 0, 0)));
    dc.SelectObject(Brush(RGB(0, 0, 255)));
    dc.RoundRect(r.left, r.top, r.right, r.bottom, ew, eh);
}

TEST(RoundRect, NineByNineCornersOutlineInsideRightAndBottomInteriorInBrush)
{
    Surface s(13, 11);
    DeviceContext dc(s);
    RoundRectInRedAndBlue(dc, { 0, 0, 12, 10 }, 9, 9);
    EXPECT_EQ(Picture(s, kLegend), Rows({
                                       "...######....",
                                       ".##oooooo##..",
                                       ".#oooooooo#..",
                                       "#oooooooooo#.",
                                       "#oooooooooo#.",
                                       "#oooooooooo#.",
                                       "#oooooooooo#.",
                                       ".#oooooooo#..",
                                       ".##oooooo##..",
                                       "...######....",
                                       ".............",
                                   }));
}

TEST(RoundRect, SmallEllipsesGiveSquareCornersAndLargeOnesAreCappedByTheRectangle)
{
    Surface square(5, 4);
    DeviceContext dc(square);
    RoundRectInRedAndBlue(dc, { 0, 0, 5, 4 }, 2, 2);
    EXPECT_EQ(Picture(square, kLegend), Rows({ "#####", "#ooo#", "#ooo#", "#####" }));

    Surface capped(7, 5);
    DeviceContext dc2(capped);
    RoundRectInRedAndBlue(dc2, { 1, 0, 6, 5 }, 99, 99);
    EXPECT_EQ(Picture(capped, kLegend), Rows({
                                            "..###..",
                                            ".#ooo#.",
                                            ".#ooo#.",
                                            ".#ooo#.",
                                            "..###..",
                                        }));
}

TEST(RoundRect, DegenerateRectanglesDrawALineOrNothing)
{
    Surface s(6, 3);
    DeviceContext dc(s);
    RoundRectInRedAndBlue(dc, { 0, 0, 6, 1 }, 9, 9);   // one row: all outline
    RoundRectInRedAndBlue(dc, { 0, 2, 0, 3 }, 9, 9);   // no width
    RoundRectInRedAndBlue(dc, { 5, 2, 1, 3 }, 9, 9);   // inverted
    RoundRectInRedAndBlue(dc, { 1, 1, 3, 3 }, -5, -5); // negative ellipse: square corners
    EXPECT_EQ(Picture(s, kLegend), Rows({ "######", ".##...", ".##..." }));
}

TEST(RoundRect, ClippedByAContextAreaShowsTheSamePixelsAsUnclipped)
{
    Surface whole(20, 16);
    DeviceContext all(whole);
    RoundRectInRedAndBlue(all, { 2, 1, 18, 15 }, 9, 9);

    Surface part(20, 16);
    DeviceContext clipped(part, { 0, 0, 7, 6 });
    RoundRectInRedAndBlue(clipped, { 2, 1, 18, 15 }, 9, 9);
    DeviceContext other(part, { 12, 10, 20, 16 });
    RoundRectInRedAndBlue(other, { -10, -9, 6, 5 }, 9, 9);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 20; ++x) {
            const bool shown = (x < 7 && y < 6) || (x >= 12 && y >= 10);
            ASSERT_EQ(part.Pixel(x, y), shown ? whole.Pixel(x, y) : test::kBlack) << x << ',' << y;
        }
    }
}

TEST(RoundRect, NullPenLeavesTheOutlinePixelsAlone)
{
    Surface s(5, 4);
    DeviceContext dc(s);
    dc.SelectObject(Pen(PS_NULL, 1, 0));
    dc.SelectObject(Brush(RGB(0, 0, 255)));
    dc.RoundRect(0, 0, 5, 4, 0, 0);
    EXPECT_EQ(Picture(s, kLegend), Rows({ ".....", ".ooo.", ".ooo.", "....." }));
}

}
}
