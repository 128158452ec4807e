// The dot fills' sweeps, watched call by call on their way to a real
// device context: one call per pixel, in the order the user watches.

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"
#include "screentest/DotSweep.h"

#include <gtest/gtest.h>

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

std::vector<plat::Point> RowMajor(int width, int height)
{
    std::vector<plat::Point> order;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            order.push_back({ x, y });
    return order;
}

std::vector<plat::Point> ColumnMajor(int width, int height)
{
    std::vector<plat::Point> order;
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            order.push_back({ x, y });
    return order;
}

long CountOther(const plat::Surface& s, plat::COLORREF color)
{
    long wrong = 0;
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            wrong += s.Pixel(x, y) != plat::ToXrgb(color);
    return wrong;
}

}

TEST(DotSweep, OneCallPerPixelRowsFirstOrColumnsFirst)
{
    const int width = 13, height = 7;
    plat::Surface down(width, height), right(width, height);
    RecordingContext downDc(down), rightDc(right);
    SweepRows(downDc, width, height, RGB(0, 255, 255));
    SweepColumns(rightDc, width, height, RGB(0, 255, 255));
    EXPECT_EQ(downDc.calls, RowMajor(width, height));
    EXPECT_EQ(rightDc.calls, ColumnMajor(width, height));
    EXPECT_EQ(CountOther(down, RGB(0, 255, 255)), 0);
    EXPECT_EQ(CountOther(right, RGB(0, 255, 255)), 0);
}
