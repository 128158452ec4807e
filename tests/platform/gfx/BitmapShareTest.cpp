#include "BmpBytes.h"

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Icon.h"
#include "platform/gfx/ImageList.h"
#include "platform/gfx/Surface.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>
#include <vector>

namespace plat {
namespace {

std::vector<std::uint32_t> PixelsOf(const Bitmap& bitmap)
{
    std::vector<std::uint32_t> out;
    const Surface* s = bitmap.Pixels();
    for (int y = 0; s && y < s->Height(); ++y)
        out.insert(out.end(), s->Row(y), s->Row(y) + s->Width());
    return out;
}

TEST(BitmapSharing, BitmapsOfOneResourceShareItsPixels)
{
    Bitmap first;
    Bitmap second;
    ASSERT_TRUE(first.LoadBitmap(IDB_SKIN_NORMAL));
    ASSERT_TRUE(second.LoadBitmap(IDB_SKIN_NORMAL));
    EXPECT_TRUE(first.SharesPixels());
    EXPECT_EQ(first.Pixels(), second.Pixels()) << "decoded once";
    EXPECT_NE(first.Data(), second.Data()) << "two bitmaps nonetheless";
    Bitmap other;
    ASSERT_TRUE(other.LoadBitmap(IDB_SKIN_HOT));
    EXPECT_NE(other.Pixels(), first.Pixels());
    EXPECT_NE(PixelsOf(other), PixelsOf(first));
    Bitmap compatible;
    ASSERT_TRUE(compatible.CreateCompatibleBitmap(DeviceContext(), 2, 2));
    EXPECT_FALSE(compatible.SharesPixels());
}

// Every drawing call on a memory context that holds a resource's bitmap
// draws on a copy: the bitmap (and its copies) end up exactly like a bitmap
// of its own drawn on the same way; the resource's other bitmaps and later
// loads stay as they were.
TEST(BitmapSharing, DrawingOnALoadedBitmapLeavesTheResourceAlone)
{
    Bitmap reference;
    ASSERT_TRUE(reference.LoadBitmap(IDB_BLOCKFILL));
    const std::vector<std::uint32_t> original = PixelsOf(reference);
    Icon icon;
    ASSERT_TRUE(icon.LoadFromBmp(test::MakeBmp(1, 1, 32, { 0xFF00FF00 })));
    ImageList list;
    ASSERT_TRUE(list.Create(1, 1, ILC_COLOR24 | ILC_MASK, 1, 1));
    Bitmap dot;
    ASSERT_TRUE(dot.LoadFromBmp(test::MakeBmp(1, 1, 24, { 0xFF00FF00 })));
    list.AddMasked(dot, RGB(255, 255, 255));
    Surface window(4, 4);
    DeviceContext windowDc(window);
    windowDc.FillSolidRect({ 0, 0, 4, 4 }, RGB(0, 255, 0));

    const std::vector<std::pair<const char*, std::function<void(DeviceContext&)>>> draws {
        { "FillRect", [](DeviceContext& dc) { dc.FillRect({ 1, 1, 2, 2 }, Brush(RGB(0, 255, 0))); } },
        { "FillSolidRect", [](DeviceContext& dc) { dc.FillSolidRect({ 1, 1, 2, 2 }, RGB(0, 255, 0)); } },
        { "SetPixel", [](DeviceContext& dc) { EXPECT_EQ(dc.SetPixel(1, 1, RGB(0, 255, 0)), RGB(0, 255, 0)); } },
        { "LineTo", [](DeviceContext& dc) {
             dc.SelectObject(Pen(PS_SOLID, 1, RGB(0, 255, 0)));
             dc.MoveTo(1, 1);
             dc.LineTo(5, 1);
         } },
        { "RoundRect", [](DeviceContext& dc) {
             dc.SelectObject(Pen(PS_SOLID, 1, RGB(0, 255, 0)));
             dc.RoundRect(1, 1, 9, 7, 5, 5);
         } },
        { "TextOut", [](DeviceContext& dc) { dc.TextOut(1, 1, "中a"); } },
        { "DrawText", [](DeviceContext& dc) { dc.DrawText("中a", { 1, 1, 20, 9 }, DT_CENTER); } },
        { "BitBlt", [&windowDc](DeviceContext& dc) { dc.BitBlt(1, 1, 2, 2, windowDc, 0, 0, SRCCOPY); } },
        { "DrawIcon", [&icon](DeviceContext& dc) { dc.DrawIcon(1, 1, icon); } },
        { "ImageList::Draw", [&list](DeviceContext& dc) { list.Draw(dc, 0, { 1, 1 }, ILD_TRANSPARENT); } },
    };
    for (const auto& [name, draw] : draws) {
        auto prepare = [](DeviceContext& mem) {
            mem.CreateCompatibleDC(nullptr);
            mem.SetBkColor(RGB(0, 0, 255));
            mem.SetTextColor(RGB(255, 0, 0));
        };
        // The same drawing on a bitmap of its own holding the picture.
        Bitmap own;
        ASSERT_TRUE(own.CreateCompatibleBitmap(DeviceContext(), 32, 32));
        DeviceContext ownDc;
        prepare(ownDc);
        ownDc.SelectObject(own);
        DeviceContext source;
        source.CreateCompatibleDC(nullptr);
        source.SelectObject(reference);
        ownDc.BitBlt(0, 0, 32, 32, source, 0, 0, SRCCOPY);
        draw(ownDc);
        const std::vector<std::uint32_t> expected = PixelsOf(own);
        ASSERT_NE(expected, original) << name << ": the drawing shows";

        Bitmap bitmap;
        ASSERT_TRUE(bitmap.LoadBitmap(IDB_BLOCKFILL));
        const Bitmap copy = bitmap;
        Bitmap sibling;
        ASSERT_TRUE(sibling.LoadBitmap(IDB_BLOCKFILL));
        DeviceContext mem;
        prepare(mem);
        const Bitmap previous = mem.SelectObject(bitmap);
        EXPECT_EQ(mem.GetPixel(1, 1), FromXrgb(original[32 + 1])) << name << ": reads before any drawing";
        draw(mem);

        EXPECT_EQ(PixelsOf(bitmap), expected) << name;
        EXPECT_EQ(PixelsOf(copy), expected) << name << ": a copy is the same bitmap";
        EXPECT_FALSE(bitmap.SharesPixels()) << name;
        EXPECT_EQ(PixelsOf(sibling), original) << name;
        Bitmap later;
        ASSERT_TRUE(later.LoadBitmap(IDB_BLOCKFILL));
        EXPECT_EQ(PixelsOf(later), original) << name;
        mem.SelectObject(previous);
    }
}

TEST(BitmapSharing, ReadingALoadedBitmapMakesNoCopy)
{
    Bitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(IDB_SKIN_HOT));
    DeviceContext mem;
    mem.CreateCompatibleDC(nullptr);
    mem.SelectObject(strip);
    Surface window(8, 2);
    DeviceContext dc(window);
    EXPECT_TRUE(dc.BitBlt(0, 0, 8, 2, mem, 296, 0, SRCCOPY));
    EXPECT_NE(mem.GetPixel(0, 0), CLR_INVALID);
    EXPECT_EQ(mem.SetPixel(300, 0, RGB(1, 2, 3)), CLR_INVALID) << "outside the bitmap";
    EXPECT_TRUE(strip.SharesPixels());
    EXPECT_EQ(window.Pixel(3, 1), strip.Pixels()->Pixel(299, 1));
    EXPECT_EQ(window.Pixel(4, 1), 0u) << "past the strip's last column";
}

// The memory of a released bitmap comes back in the next one of its size:
// whatever reads or draws on that one first, it starts black.
TEST(BitmapReuse, ANewBitmapIsBlackWhateverItsMemoryHeld)
{
    const std::vector<std::uint32_t> black(6 * 4, 0);
    auto released = [] {
        Bitmap old;
        EXPECT_TRUE(old.CreateCompatibleBitmap(DeviceContext(), 6, 4));
        DeviceContext mem;
        mem.CreateCompatibleDC(nullptr);
        mem.SelectObject(old);
        mem.FillSolidRect({ 0, 0, 6, 4 }, RGB(255, 0, 0));
    };
    auto fresh = [](Bitmap& b, DeviceContext& mem) {
        ASSERT_TRUE(b.CreateCompatibleBitmap(DeviceContext(), 6, 4));
        mem.CreateCompatibleDC(nullptr);
        mem.SelectObject(b);
    };

    released();
    {
        Bitmap b;
        DeviceContext mem;
        fresh(b, mem);
        EXPECT_EQ(PixelsOf(b), black) << "read through the bitmap";
    }
    released();
    {
        Bitmap b;
        DeviceContext mem;
        fresh(b, mem);
        EXPECT_EQ(mem.GetPixel(5, 3), RGB(0, 0, 0)) << "read through its context";
    }
    released();
    {
        Bitmap b;
        DeviceContext mem;
        fresh(b, mem);
        Surface window(6, 4);
        window.Fill(0xFFFFFF);
        DeviceContext dc(window);
        dc.BitBlt(0, 0, 6, 4, mem, 0, 0, SRCCOPY);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x)
                EXPECT_EQ(window.Pixel(x, y), 0u) << "copied from, " << x << ',' << y;
    }
    released();
    {
        Bitmap b;
        DeviceContext mem;
        fresh(b, mem);
        EXPECT_EQ(mem.SetPixel(1, 1, RGB(0, 0, 255)), RGB(0, 0, 255));
        mem.FillSolidRect({ 2, 0, 6, 4 }, RGB(0, 255, 0)); // most, not all
        std::vector<std::uint32_t> expected = black;
        for (int y = 0; y < 4; ++y)
            for (int x = 2; x < 6; ++x)
                expected[y * 6 + x] = 0x00FF00;
        expected[6 + 1] = 0x0000FF;
        EXPECT_EQ(PixelsOf(b), expected) << "drawn on in part";
    }
    released();
    {
        Bitmap b;
        DeviceContext mem;
        fresh(b, mem);
        mem.FillSolidRect({ -1, -1, 7, 5 }, RGB(0, 255, 0));
        EXPECT_EQ(PixelsOf(b), std::vector<std::uint32_t>(6 * 4, 0x00FF00)) << "filled whole";
    }
}

TEST(BitmapSharing, ThreadsLoadingOneResourceGetTheSamePixels)
{
    constexpr int kThreads = 4;
    std::vector<const Surface*> seen(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i) {
        threads.emplace_back([&seen, i] {
            for (int n = 0; n < 50; ++n) {
                Bitmap b;
                if (b.LoadBitmap(IDB_BROWSER))
                    seen[i] = b.Pixels();
                Bitmap mine;
                mine.LoadBitmap(IDB_ORGANISER);
                DeviceContext mem;
                mem.CreateCompatibleDC(nullptr);
                mem.SelectObject(mine);
                mem.FillSolidRect({ 0, 0, 32, 32 }, RGB(i, 0, 0));
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    for (const Surface* s : seen)
        EXPECT_EQ(s, seen[0]);
    ASSERT_NE(seen[0], nullptr);
    Bitmap fresh;
    ASSERT_TRUE(fresh.LoadBitmap(IDB_ORGANISER));
    EXPECT_NE(fresh.Pixels()->Pixel(0, 0), 0u) << "no thread's fill reached the resource";
}

}
}
