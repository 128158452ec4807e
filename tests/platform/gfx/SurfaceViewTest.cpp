#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace plat {
namespace {

constexpr std::uint32_t kPad = 0xDEADBEEF;
constexpr std::uint32_t kRed = 0x00FF0000;

// 5 x 3 pixels in rows 7 apart, the last two of each row padding.
struct Memory {
    std::vector<std::uint32_t> pixels = std::vector<std::uint32_t>(7 * 3, kPad);
    Surface View() { return Surface::View(pixels.data(), 5, 3, 7); }
};

TEST(SurfaceView, DrawsInPlaceRowByRow)
{
    Memory memory;
    Surface view = memory.View();
    ASSERT_TRUE(view.IsView());
    EXPECT_EQ(view.Width(), 5);
    EXPECT_EQ(view.Height(), 3);
    EXPECT_EQ(view.Pitch(), 7);
    EXPECT_EQ(view.Data(), memory.pixels.data());

    DeviceContext dc(view);
    dc.FillSolidRect({ -2, -2, 4, 100 }, RGB(255, 0, 0)); // clipped to columns 0-3 of every row
    dc.SetPixel(4, 2, RGB(0, 0, 255));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            std::uint32_t expected = x >= 5 ? kPad : x == 4 ? (y == 2 ? 0x000000FF : kPad)
                                                            : kRed;
            EXPECT_EQ(memory.pixels[y * 7 + x], expected) << x << ", " << y;
        }
    }
    EXPECT_EQ(view.Pixel(4, 2), 0x000000FFu);
    EXPECT_EQ(view.Pixel(5, 0), 0u); // padding is outside the surface

    memory.pixels[7 + 1] = 0x00123456; // written by the memory's owner
    EXPECT_EQ(view.Pixel(1, 1), 0x00123456u);
}

TEST(SurfaceView, BadArgumentsGiveAnEmptySurface)
{
    std::uint32_t pixels[16] = {};
    EXPECT_TRUE(Surface::View(nullptr, 2, 2, 2).IsEmpty());
    EXPECT_TRUE(Surface::View(pixels, 0, 2, 2).IsEmpty());
    EXPECT_TRUE(Surface::View(pixels, 2, -1, 2).IsEmpty());
    EXPECT_TRUE(Surface::View(pixels, 4, 2, 3).IsEmpty()); // rows would overlap
    EXPECT_TRUE(Surface::View(pixels, Surface::kMaxSide + 1, 1, Surface::kMaxSide + 1).IsEmpty());
    EXPECT_TRUE(Surface::View(pixels, 1, 1, 2 * Surface::kMaxSide + 1).IsEmpty());
    Surface empty = Surface::View(nullptr, 2, 2, 2);
    EXPECT_FALSE(empty.IsView());
    EXPECT_EQ(empty.Data(), nullptr);
    DeviceContext dc(empty);
    dc.FillSolidRect({ 0, 0, 2, 2 }, RGB(255, 0, 0)); // draws nothing, no crash
}

TEST(SurfaceView, NeverFreesTheMemoryAndResizeMakesItsOwnPixels)
{
    Memory memory;
    {
        Surface view = memory.View();
        ASSERT_TRUE(view.Resize(2, 2));
        EXPECT_FALSE(view.IsView());
        EXPECT_NE(view.Data(), memory.pixels.data());
        view.Fill(kRed);
        EXPECT_EQ(view.Pixel(1, 1), kRed);
    }
    {
        Surface view = memory.View();
        view.Fill(0);
    } // the view's end frees nothing (AddressSanitizer would see a bad free)
    EXPECT_EQ(memory.pixels[0], 0u);
    EXPECT_EQ(memory.pixels[20], 0u); // Fill covers pitch x height
}

TEST(SurfaceMove, LeavesTheSourceEmptyForOwnedSurfacesAndViews)
{
    Surface owned(3, 2);
    const std::uint32_t* data = owned.Data();
    Surface moved(std::move(owned));
    EXPECT_EQ(moved.Data(), data);
    EXPECT_EQ(moved.Width(), 3);
    EXPECT_TRUE(owned.IsEmpty()); // NOLINT(bugprone-use-after-move): the moved-from state is checked
    EXPECT_EQ(owned.Data(), nullptr);

    Memory memory;
    Surface view = memory.View();
    moved = std::move(view); // frees the owned pixels, takes the view
    EXPECT_TRUE(moved.IsView());
    EXPECT_EQ(moved.Data(), memory.pixels.data());
    EXPECT_TRUE(view.IsEmpty()); // NOLINT(bugprone-use-after-move): the moved-from state is checked
    EXPECT_FALSE(view.IsView());
    EXPECT_EQ(view.Pitch(), 0);
}

}
}
