// The dot fills' sweeps, watched call by call on their way to a real
// device context: one call per pixel, in the order the user watches.

#include "screentest/DotSweep.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

using plat::RGB;

namespace {

// Records every SetPixel call and passes it on to a real context.
class RecordingContext {
public:
    explicit RecordingContext(plat::Surface& surface)
        : m_dc(surface)
    {
    }
    plat::COLORREF SetPixel(int x, int y, plat::COLORREF color)
    {
        calls.push_back({ x, y });
        return m_dc.SetPixel(x, y, color);
    }
    std::vector<plat::Point> calls;

private:
    plat::DeviceContext m_dc;
};

long CountOther(const plat::Surface& s, plat::COLORREF color)
{
    long wrong = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            wrong += s.Pixel(x, y) != plat::ToXrgb(color);
    return wrong;
}

}

// Checked by what the user sees rather than by the loops that make it: every
// pixel of the area exactly once, in the colour, each call right after its
// neighbour in the sweep's direction (the next pixel of the row or column,
// or the start of the next one).
TEST(DotSweep, OneCallPerPixelRowsFirstOrColumnsFirst)
{
    const plat::COLORREF cyan = RGB(0, 255, 255);
    for (auto [width, height] : { std::pair { 13, 7 }, { 1, 1 }, { 1, 9 }, { 9, 1 }, { 0, 5 }, { 5, 0 } }) {
        SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
        plat::Surface down(std::max(width, 1), std::max(height, 1)), right(std::max(width, 1), std::max(height, 1));
        RecordingContext downDc(down), rightDc(right);
        SweepRows(downDc, width, height, cyan);
        SweepColumns(rightDc, width, height, cyan);

        for (const std::vector<plat::Point>* calls : { &downDc.calls, &rightDc.calls }) {
            ASSERT_EQ(calls->size(), static_cast<std::size_t>(width) * height);
            std::set<std::pair<int, int>> distinct;
            for (plat::Point p : *calls) {
                EXPECT_TRUE(p.x >= 0 && p.x < width && p.y >= 0 && p.y < height) << p.x << "," << p.y;
                distinct.insert({ p.x, p.y });
            }
            EXPECT_EQ(distinct.size(), calls->size()) << "a pixel set twice";
        }
        for (std::size_t i = 1; i < downDc.calls.size(); ++i) {
            plat::Point a = downDc.calls[i - 1], b = downDc.calls[i];
            EXPECT_TRUE((b.y == a.y && b.x == a.x + 1) || (b.y == a.y + 1 && b.x == 0 && a.x == width - 1)) << i;
        }
        for (std::size_t i = 1; i < rightDc.calls.size(); ++i) {
            plat::Point a = rightDc.calls[i - 1], b = rightDc.calls[i];
            EXPECT_TRUE((b.x == a.x && b.y == a.y + 1) || (b.x == a.x + 1 && b.y == 0 && a.y == height - 1)) << i;
        }
        if (width > 0 && height > 0) {
            EXPECT_EQ(CountOther(down, cyan), 0);
            EXPECT_EQ(CountOther(right, cyan), 0);
        }
    }
}
