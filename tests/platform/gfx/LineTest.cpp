#include "Picture.h"

#include "platform/gfx/DeviceContext.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace plat {
namespace {

using test::Picture;
using test::Rows;

const std::map<std::uint32_t, char> kLegend { { test::kBlack, '.' }, { test::kRed, 'R' } };

struct Line {
    Point from;
    Point to;
};

Surface Draw(int width, int height, std::initializer_list<Line> lines)
{
    Surface s(width, height);
    DeviceContext dc(s);
    Pen red(PS_SOLID, 1, RGB(255, 0, 0));
    dc.SelectObject(red);
    for (const Line& l : lines) {
        dc.MoveTo(l.from);
        dc.LineTo(l.to);
    }
    return s;
}

TEST(LineTo, VerticalLineToTheHeightCoversEveryRowOfItsColumnOnce)
{
    EXPECT_EQ(Picture(Draw(3, 4, { { { 1, 0 }, { 1, 4 } } }), kLegend), Rows({ ".R.", ".R.", ".R.", ".R." }));
    // Columns side by side fill the surface with nothing left over.
    Surface s(5, 3);
    DeviceContext dc(s);
    dc.SelectObject(Pen(PS_SOLID, 1, RGB(255, 0, 0)));
    for (int x = 0; x < 5; ++x) {
        dc.MoveTo(x, 0);
        dc.LineTo(x, 3);
    }
    EXPECT_EQ(Picture(s, kLegend), Rows({ "RRRRR", "RRRRR", "RRRRR" }));
}

TEST(LineTo, StraightLinesInBothDirectionsExcludeTheirEndPoint)
{
    EXPECT_EQ(Picture(Draw(6, 4,
                          {
                              { { 1, 0 }, { 5, 0 } }, // right: 1..4
                              { { 4, 1 }, { 0, 1 } }, // left: 4..1
                              { { 0, 3 }, { 0, 2 } }, // up: row 3 only
                              { { 5, 1 }, { 5, 3 } }, // down: rows 1, 2
                          }),
                  kLegend),
        Rows({ ".RRRR.", ".RRRRR", ".....R", "R....." }));
}

TEST(LineTo, LinesInAllEightOctantsStopJustBeforeTheirEndPoint)
{
    // From the centre of a 21 x 21 surface to points in each octant: the
    // pixel one step before the end is drawn, the end itself is not.
    const Point c { 10, 10 };
    struct Case {
        Point to;
        Point last;
    };
    const Case cases[] = {
        { { 17, 13 }, { 16, 13 } }, // x-major, right-down
        { { 13, 17 }, { 13, 16 } }, // y-major, right-down
        { { 7, 17 }, { 7, 16 } },   // y-major, left-down
        { { 3, 13 }, { 4, 13 } },   // x-major, left-down
        { { 3, 7 }, { 4, 7 } },     // x-major, left-up
        { { 7, 3 }, { 7, 4 } },     // y-major, left-up
        { { 13, 3 }, { 13, 4 } },   // y-major, right-up
        { { 17, 7 }, { 16, 7 } },   // x-major, right-up
        { { 16, 16 }, { 15, 15 } }, // diagonal
        { { 4, 4 }, { 5, 5 } },     // diagonal back
    };
    for (const Case& k : cases) {
        const Surface s = Draw(21, 21, { { c, k.to } });
        SCOPED_TRACE(testing::Message() << "to " << k.to.x << ',' << k.to.y << Picture(s, kLegend));
        EXPECT_EQ(s.Pixel(c.x, c.y), test::kRed);
        EXPECT_EQ(s.Pixel(k.last.x, k.last.y), test::kRed);
        EXPECT_EQ(s.Pixel(k.to.x, k.to.y), test::kBlack);
        // One pixel per step along the major axis, none more.
        int drawn = 0;
        for (int y = 0; y < 21; ++y)
            for (int x = 0; x < 21; ++x)
                drawn += s.Pixel(x, y) == test::kRed;
        EXPECT_EQ(drawn, std::max(std::abs(k.to.x - c.x), std::abs(k.to.y - c.y)));
    }
}

TEST(LineTo, ShallowLineFollowsTheNearestPixelRow)
{
    EXPECT_EQ(Picture(Draw(8, 4, { { { 0, 0 }, { 7, 3 } } }), kLegend), Rows({
                                                                            "RR......",
                                                                            "..RR....",
                                                                            "....RR..",
                                                                            "......R.",
                                                                        }));
}

TEST(LineTo, MovesTheCurrentPositionToTheEndPoint)
{
    Surface s(4, 4);
    DeviceContext dc(s);
    dc.SelectObject(Pen(PS_SOLID, 1, RGB(255, 0, 0)));
    EXPECT_EQ(dc.MoveTo(0, 0), (Point { 0, 0 }));
    dc.LineTo(3, 0);
    dc.LineTo(3, 3);
    EXPECT_EQ(dc.MoveTo(9, 9), (Point { 3, 3 }));
    EXPECT_EQ(Picture(s, kLegend), Rows({ "RRRR", "...R", "...R", "...." }));
}

TEST(LineTo, ClippedLinesDrawExactlyThePixelsOfTheWholeLineThatFallInside)
{
    // A small context in the middle of a large surface must show the same
    // pixels as the unclipped line drawn on the large surface.
    std::mt19937 random(11);
    std::uniform_int_distribution<int> coord(-40, 80);
    for (int round = 0; round < 300; ++round) {
        const Point a { coord(random), coord(random) };
        const Point b { coord(random), coord(random) };
        Surface whole(200, 200);
        {
            DeviceContext dc(whole);
            dc.SelectObject(Pen(PS_SOLID, 1, RGB(255, 0, 0)));
            dc.MoveTo(a.x + 60, a.y + 60);
            dc.LineTo(b.x + 60, b.y + 60);
        }
        Surface part(200, 200);
        {
            DeviceContext clipped(part, { 70, 70, 100, 90 }); // (10, 10)-(40, 30) in line coordinates
            clipped.SelectObject(Pen(PS_SOLID, 1, RGB(255, 0, 0)));
            clipped.MoveTo(a.x - 10, a.y - 10);
            clipped.LineTo(b.x - 10, b.y - 10);
        }
        for (int y = 0; y < 200; ++y) {
            for (int x = 0; x < 200; ++x) {
                const bool inClip = x >= 70 && x < 100 && y >= 70 && y < 90;
                ASSERT_EQ(part.Pixel(x, y), inClip ? whole.Pixel(x, y) : test::kBlack)
                    << a.x << ',' << a.y << " -> " << b.x << ',' << b.y << " at " << x << ',' << y;
            }
        }
    }
}

TEST(LineTo, FarAwayAndZeroLengthLinesAreHarmless)
{
    const Surface s = Draw(4, 3,
        {
            { { 2, 2 }, { 2, 2 } },
            { { -2147483647 - 1, 1 }, { 2147483647, 1 } },
            { { 1, -2147483647 }, { 1, 2147483647 } },
            { { -1000000000, -999999998 }, { 1000000000, 1000000002 } },
            { { 5000, 0 }, { 6000, 2 } },
        });
    EXPECT_EQ(Picture(s, kLegend), Rows({ ".R..", "RRRR", "RR.." }));
}

TEST(LineTo, NullPenDrawsNothingButStillMoves)
{
    Surface s(3, 1);
    DeviceContext dc(s);
    dc.SelectObject(Pen(PS_NULL, 1, RGB(255, 0, 0)));
    dc.LineTo(3, 0);
    EXPECT_EQ(dc.MoveTo(0, 0), (Point { 3, 0 }));
    EXPECT_EQ(Picture(s, kLegend), Rows({ "..." }));
}

}
}
