#include "BmpBytes.h"
#include "Picture.h"

#include "platform/gfx/BmpDecoder.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/Surface.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

using test::MakeBmp;
using test::Picture;
using test::Rows;

const std::map<std::uint32_t, char> kLegend { { test::kBlack, '.' }, { test::kWhite, 'W' }, { test::kRed, 'R' },
    { test::kBlue, 'B' }, { 0x00FF00, 'G' } };

TEST(BitBlt, CopiesExactlyFromAMemoryContextAndClipsAtBothEnds)
{
    Surface window(6, 4);
    DeviceContext dc(window);
    DeviceContext mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&dc));
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(dc, 3, 2));
    const Bitmap old = mem.SelectObject(bitmap);
    EXPECT_FALSE(old.IsNull());
    mem.FillSolidRect({ 0, 0, 3, 2 }, RGB(0, 0, 255));
    mem.SetPixel(0, 0, RGB(255, 0, 0));
    mem.SetPixel(2, 1, RGB(0, 255, 0));

    EXPECT_TRUE(dc.BitBlt(1, 1, 3, 2, mem, 0, 0, SRCCOPY));
    // A block hanging off the window and reaching past the bitmap copies only what both have.
    EXPECT_TRUE(dc.BitBlt(4, -1, 5, 5, mem, 1, 0, SRCCOPY));
    EXPECT_FALSE(dc.BitBlt(0, 0, 3, 2, mem, 0, 0, 0x00EE0086));
    EXPECT_EQ(Picture(window, kLegend), Rows({
                                            "....BG",
                                            ".RBB..",
                                            ".BBG..",
                                            "......",
                                        }));

    // Restoring the first bitmap detaches ours: the context draws nothing again.
    EXPECT_EQ(mem.SelectObject(old).Data(), bitmap.Data());
    mem.FillSolidRect({ 0, 0, 3, 2 }, RGB(255, 255, 255));
    EXPECT_EQ(bitmap.Pixels()->Pixel(0, 0), test::kRed);
}

TEST(BitBlt, OverlappingCopyWithinOneSurfaceKeepsTheSourcePicture)
{
    Surface s(4, 4);
    DeviceContext dc(s);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            dc.SetPixel(x, y, (x + y) % 2 ? RGB(255, 0, 0) : RGB(0, 0, 255));
    dc.BitBlt(1, 1, 3, 3, dc, 0, 0, SRCCOPY);
    EXPECT_EQ(Picture(s, kLegend), Rows({ "BRB.", "RBRB", "BRBR", ".BRB" }));
    dc.BitBlt(0, 0, 3, 3, dc, 1, 1, SRCCOPY);
    EXPECT_EQ(Picture(s, kLegend), Rows({ "BRB.", "RBRB", "BRBR", ".BRB" }));
}

// Nearest-pixel scaling: whole and fractional factors, a source block
// reaching past its bitmap (black there), a destination clipped by the
// window, and sizes that are refused.
TEST(StretchBlt, ScalesByTheNearestPixelAndClipsBothSides)
{
    Surface window(9, 5);
    DeviceContext dc(window);
    DeviceContext mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(&dc));
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(dc, 2, 2));
    mem.SelectObject(bitmap);
    mem.SetPixel(0, 0, RGB(255, 0, 0));
    mem.SetPixel(1, 0, RGB(0, 0, 255));
    mem.SetPixel(0, 1, RGB(255, 255, 255));
    mem.SetPixel(1, 1, RGB(0, 255, 0));

    EXPECT_TRUE(dc.StretchBlt(0, 0, 4, 4, mem, 0, 0, 2, 2, SRCCOPY));
    // 2 pixels onto 3: columns 0, 0, 1 (positions rounded down).
    EXPECT_TRUE(dc.StretchBlt(4, 0, 3, 2, mem, 0, 0, 2, 2, SRCCOPY));
    // A block from (1, 1) to (3, 3): only its top-left pixel is on the bitmap.
    EXPECT_TRUE(dc.StretchBlt(7, 2, 4, 4, mem, 1, 1, 2, 2, SRCCOPY));
    EXPECT_FALSE(dc.StretchBlt(0, 0, 0, 4, mem, 0, 0, 2, 2, SRCCOPY));
    EXPECT_FALSE(dc.StretchBlt(0, 0, 4, 4, mem, 0, 0, -2, 2, SRCCOPY));
    EXPECT_EQ(Picture(window, kLegend), Rows({
                                            "RRBBRRB..",
                                            "RRBBWWG..",
                                            "WWGG...GG",
                                            "WWGG...GG",
                                            ".........",
                                        }));
}

TEST(MemoryContext, WithoutABitmapDrawsNothingAndRefusesBitmapsOnWindows)
{
    Surface window(2, 2);
    DeviceContext dc(window);
    DeviceContext mem;
    mem.CreateCompatibleDC(nullptr);
    EXPECT_TRUE(mem.IsMemoryDC());
    mem.FillSolidRect({ 0, 0, 2, 2 }, RGB(255, 0, 0));
    EXPECT_EQ(mem.SetPixel(0, 0, RGB(255, 0, 0)), CLR_INVALID);
    dc.BitBlt(0, 0, 2, 2, mem, 0, 0, SRCCOPY);
    EXPECT_EQ(Picture(window, kLegend), Rows({ "..", ".." }));

    Bitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc, 2, 2);
    EXPECT_TRUE(dc.SelectObject(bitmap).IsNull());
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(dc, 0, 5));
    EXPECT_FALSE(bitmap.CreateCompatibleBitmap(dc, 100000, 100000));
    EXPECT_TRUE(bitmap.IsNull());
}

TEST(MemoryContext, DeletingTheSelectedBitmapKeepsTheContextSafe)
{
    DeviceContext mem;
    mem.CreateCompatibleDC(nullptr);
    {
        Bitmap bitmap;
        bitmap.CreateCompatibleBitmap(mem, 4, 4);
        mem.SelectObject(bitmap);
        bitmap.DeleteObject();
    }
    mem.FillSolidRect({ 0, 0, 4, 4 }, RGB(0, 0, 255));
    EXPECT_EQ(mem.GetPixel(3, 3), RGB(0, 0, 255));
}

TEST(BmpDecoder, ReadsBottomUpAndTopDownRowsWithAndWithoutMasks)
{
    const std::vector<std::uint32_t> pixels { 0xFF112233, 0xFF445566, 0xFF778899, 0xFFAABBCC, 0xFFDDEEFF, 0xFF000001 };
    for (const auto& [height, bits, compression] : { std::tuple { 2, 24, 0u }, std::tuple { -2, 24, 0u },
             std::tuple { 2, 32, 0u }, std::tuple { -2, 32, 3u } }) {
        DecodedBmp bmp;
        std::string error;
        ASSERT_TRUE(DecodeBmp(MakeBmp(3, height, bits, pixels, compression), bmp, error)) << error;
        EXPECT_EQ(bmp.width, 3);
        EXPECT_EQ(bmp.height, 2);
        EXPECT_EQ(bmp.argb, pixels) << height << ' ' << bits;
    }
}

TEST(BmpDecoder, EveryWidthAndChannelMasksDecodeToTheSamePixelsInBothForms)
{
    // Widths 1 to 9 cover every tail of the four-pixels-at-once 24-bit rows.
    for (int width = 1; width <= 9; ++width) {
        for (int bits : { 24, 32 }) {
            std::vector<std::uint32_t> pixels;
            for (int i = 0; i < width * 3; ++i)
                pixels.push_back(0xFF000000u | static_cast<std::uint32_t>(i * 0x0A1B2C + 0x010203) % 0x1000000u);
            const std::vector<std::uint8_t> file = MakeBmp(width, 3, bits, pixels);
            DecodedBmp bmp;
            std::string error;
            ASSERT_TRUE(DecodeBmp(file, bmp, error)) << error;
            EXPECT_EQ(bmp.argb, pixels) << width << ' ' << bits;
            Surface surface;
            ASSERT_TRUE(DecodeBmp(file, surface, error)) << error;
            ASSERT_EQ(surface.Width(), width);
            ASSERT_EQ(surface.Height(), 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < width; ++x)
                    EXPECT_EQ(surface.Pixel(x, y), pixels[y * width + x] & 0xFFFFFF) << width << ' ' << bits;
        }
    }
    // 32-bit pixels with 10-bit red, 11-bit green and blue, scaled to 8 bits.
    std::vector<std::uint8_t> masked = MakeBmp(2, 1, 32, { 0xFFC00000, 0x003FF801 }, 3);
    test::Put(masked, 54, 0xFFC00000, 4);
    test::Put(masked, 58, 0x003FF800, 4);
    test::Put(masked, 62, 0x000007FF, 4);
    DecodedBmp bmp;
    std::string error;
    ASSERT_TRUE(DecodeBmp(masked, bmp, error)) << error;
    EXPECT_EQ(bmp.argb, (std::vector<std::uint32_t> { 0xFFFF0000, 0xFF00FF00 }));
    Surface surface;
    ASSERT_TRUE(DecodeBmp(masked, surface, error)) << error;
    EXPECT_EQ(surface.Pixel(0, 0), 0xFF0000u);
    EXPECT_EQ(surface.Pixel(1, 0), 0x00FF00u);
    EXPECT_FALSE(DecodeBmp(std::vector<std::uint8_t>(masked.begin(), masked.end() - 1), surface, error));
    EXPECT_TRUE(surface.IsEmpty());
}

TEST(BmpDecoder, KeepsAlphaOfThirtyTwoBitFilesAndTreatsAllZeroAlphaAsOpaque)
{
    DecodedBmp bmp;
    std::string error;
    ASSERT_TRUE(DecodeBmp(MakeBmp(2, 1, 32, { 0x80FF0000, 0x00000000 }), bmp, error));
    EXPECT_TRUE(bmp.hasAlpha);
    EXPECT_EQ(bmp.argb, (std::vector<std::uint32_t> { 0x80FF0000, 0x00000000 }));
    ASSERT_TRUE(DecodeBmp(MakeBmp(2, 1, 32, { 0x00FF0000, 0x00000001 }), bmp, error));
    EXPECT_FALSE(bmp.hasAlpha);
    EXPECT_EQ(bmp.argb, (std::vector<std::uint32_t> { 0xFFFF0000, 0xFF000001 }));
}

TEST(BmpDecoder, RejectsBrokenFilesWithAReason)
{
    const std::vector<std::uint8_t> good = MakeBmp(3, 2, 24, std::vector<std::uint32_t>(6, 0xFFFFFFFF));
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* reason;
    };
    std::vector<Case> cases;
    cases.push_back({ "empty", {}, "no BM signature" });
    cases.push_back({ "header cut", std::vector<std::uint8_t>(good.begin(), good.begin() + 30), "header truncated" });
    cases.push_back({ "pixels cut", std::vector<std::uint8_t>(good.begin(), good.end() - 1), "pixel data truncated" });
    auto patched = [&good](std::size_t at, std::uint32_t v, int bytes) {
        std::vector<std::uint8_t> b = good;
        test::Put(b, at, v, bytes);
        return b;
    };
    cases.push_back({ "8-bit", patched(28, 8, 2), "bit count 8" });
    cases.push_back({ "RLE", patched(30, 1, 4), "compression 1" });
    cases.push_back({ "zero width", patched(18, 0, 4), "out of range" });
    cases.push_back({ "huge", patched(18, 0x7fffffff, 4), "out of range" });
    cases.push_back({ "most negative height", patched(22, 0x80000000, 4), "out of range" });
    cases.push_back({ "offset past end", patched(10, 0xffffff00, 4), "pixel data truncated" });
    cases.push_back({ "masks on 24-bit", patched(30, 3, 4), "masks on a 24-bit" });
    for (const Case& c : cases) {
        DecodedBmp bmp;
        std::string error;
        EXPECT_FALSE(DecodeBmp(c.bytes, bmp, error)) << c.name;
        EXPECT_NE(error.find(c.reason), std::string::npos) << c.name << ": " << error;
        EXPECT_TRUE(bmp.argb.empty()) << c.name;
    }
}

TEST(Bitmap, LoadsTheProgramsBitmapResourcesAndFailsForMissingOnes)
{
    Bitmap picture;
    ASSERT_TRUE(picture.LoadBitmap(IDB_BLOCKFILL));
    EXPECT_EQ(picture.GetSize(), (Size { 32, 32 }));
    Bitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_SKIN_NORMAL));
    EXPECT_EQ(strip.GetSize(), (Size { 300, 22 }));
    Bitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(9999));
    EXPECT_TRUE(missing.IsNull());
}

TEST(ImageList, TransparentDrawSkipsTheMaskColourAndClips)
{
    // Two 2 x 2 images side by side; white is the mask colour.
    Bitmap bitmap;
    ASSERT_TRUE(bitmap.LoadFromBmp(MakeBmp(4, 2, 24,
        { 0xFFFF0000, 0xFFFFFFFF, 0xFF0000FF, 0xFF0000FF, //
            0xFFFFFFFF, 0xFFFF0000, 0xFFFFFFFF, 0xFF00FF00 })));
    ImageList list;
    EXPECT_EQ(list.AddMasked(bitmap, RGB(255, 255, 255)), -1); // not created yet
    ASSERT_TRUE(list.Create(2, 2, ILC_COLOR24 | ILC_MASK, 1, 1));
    EXPECT_EQ(list.AddMasked(bitmap, RGB(255, 255, 255)), 0);
    EXPECT_EQ(list.GetImageCount(), 2);

    Surface s(5, 3);
    DeviceContext dc(s);
    EXPECT_TRUE(list.Draw(dc, 0, { 0, 0 }, ILD_TRANSPARENT));
    EXPECT_TRUE(list.Draw(dc, 1, { 3, 1 }, ILD_TRANSPARENT));
    EXPECT_TRUE(list.Draw(dc, 1, { -1, 2 }, ILD_TRANSPARENT)); // off the left and bottom edges
    EXPECT_FALSE(list.Draw(dc, 2, { 0, 0 }, ILD_TRANSPARENT));
    EXPECT_FALSE(list.Draw(dc, -1, { 0, 0 }, ILD_TRANSPARENT));
    EXPECT_EQ(Picture(s, kLegend), Rows({
                                       "R....",
                                       ".R.BB",
                                       "B...G",
                                   }));
}

TEST(ImageList, RejectsBitmapsSmallerThanAnImage)
{
    Bitmap small;
    ASSERT_TRUE(small.LoadFromBmp(MakeBmp(1, 1, 24, { 0xFF000000 })));
    ImageList list;
    ASSERT_TRUE(list.Create(32, 32, ILC_COLOR24 | ILC_MASK, 1, 1));
    EXPECT_EQ(list.AddMasked(small, RGB(255, 255, 255)), -1);
    EXPECT_EQ(list.AddMasked(Bitmap(), RGB(255, 255, 255)), -1);
    EXPECT_FALSE(ImageList().Create(0, 32, ILC_COLOR24, 1, 1));
}

TEST(Icon, DrawsBlendedByAlphaAndScalesDown)
{
    Icon icon;
    ASSERT_TRUE(icon.LoadFromBmp(MakeBmp(3, 1, 32, { 0xFF0000FF, 0x80FF0000, 0x00FFFFFF })));
    Surface s(4, 1);
    DeviceContext dc(s);
    dc.FillSolidRect({ 0, 0, 4, 1 }, RGB(0, 255, 0));
    EXPECT_TRUE(dc.DrawIcon(1, 0, icon));
    EXPECT_EQ(s.Pixel(0, 0), 0x00FF00u);
    EXPECT_EQ(s.Pixel(1, 0), 0x0000FFu);
    EXPECT_EQ(s.Pixel(2, 0), 0x807F00u); // half red over green
    EXPECT_EQ(s.Pixel(3, 0), 0x00FF00u);
    EXPECT_FALSE(dc.DrawIcon(0, 0, Icon()));

    Icon window;
    ASSERT_TRUE(window.LoadIcon(IDR_MAINFRAME));
    EXPECT_EQ(window.Width(), kIconSize);
    EXPECT_EQ(window.ScaledArgb(kSmallIconSize).size(), 16u * 16u);
    EXPECT_TRUE(window.ScaledArgb(0).empty());
}

}
}
