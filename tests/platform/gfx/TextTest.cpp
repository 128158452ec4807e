#include "Picture.h"

#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/FontFace.h"

#include <gtest/gtest.h>

namespace plat {
namespace {

using test::Picture;

Font SongFont(int height, int width, int weight = 0)
{
    Font font;
    EXPECT_TRUE(font.CreateFont(height, width, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, "宋体"));
    return font;
}

// The smallest rectangle holding every pixel that differs from `background`.
Rect Changed(const Surface& s, std::uint32_t background, Rect area = {})
{
    if (area.IsEmpty())
        area = s.Bounds();
    Rect box { area.right, area.bottom, area.left, area.top };
    bool any = false;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (s.Pixel(x, y) == background)
                continue;
            any = true;
            box = { std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                std::max(box.bottom, y + 1) };
        }
    }
    return any ? box : Rect {};
}

int Count(const Surface& s, std::uint32_t colour, Rect area)
{
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            n += s.Pixel(x, y) == colour;
    return n;
}

TEST(Fonts, SongResolvesToTheBitmapFaceWithHalfWidthAscii)
{
    for (const char* name : { "宋体", "SimSun", "simsun" }) {
        Font font;
        ASSERT_TRUE(font.CreateFont(-12, 0, 0, 0, FW_NORMAL, 0, 0, 0, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, name));
        EXPECT_EQ(font.FamilyName(), "AR PL UMing CN") << name;
        EXPECT_EQ(font.PixelSize(), 12);
    }
    Surface s(1, 1);
    DeviceContext dc(s);
    EXPECT_EQ(dc.GetTextExtent("A"), (Size { 6, 12 })); // the default font is 12-px 宋体
    EXPECT_EQ(dc.GetTextExtent("中"), (Size { 12, 12 }));
    dc.SelectObject(SongFont(16, 8));
    EXPECT_EQ(dc.GetTextExtent("AAAA"), (Size { 32, 16 }));
    EXPECT_EQ(dc.GetTextExtent("中文"), (Size { 32, 16 }));
    EXPECT_EQ(dc.GetTextExtent(" 处理用时: 0 毫秒 "), (Size { 8 * 6 + 16 * 6, 16 }));
    const TextMetrics m = dc.GetTextMetrics();
    EXPECT_EQ(m.height, 16);
    EXPECT_EQ(m.ascent + m.descent, 16);
    EXPECT_EQ(m.aveCharWidth, 8);
    EXPECT_EQ(m.maxCharWidth, 16);
}

TEST(Fonts, UnknownFacesFallBackToTheSongFaceAndBadSizesAreBounded)
{
    Font font;
    ASSERT_TRUE(font.CreateFont(16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "No Such Face Anywhere"));
    EXPECT_EQ(font.FamilyName(), "AR PL UMing CN");
    Font huge;
    ASSERT_TRUE(huge.CreateFont(-2147483647 - 1, -2147483647 - 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, ""));
    EXPECT_LE(huge.PixelSize(), 1024);
}

TEST(Fonts, FallBackFacesDrawChineseFromStrikesAndOutlines)
{
    for (const char* family : { "WenQuanYi Bitmap Song", "WenQuanYi Zen Hei" }) {
        Font font;
        ASSERT_TRUE(font.CreateFont(16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, family));
        EXPECT_EQ(font.FamilyName(), family);
        Surface s(20, 20);
        DeviceContext dc(s);
        dc.SelectObject(font);
        dc.TextOut(0, 0, "中");
        EXPECT_GT(Count(s, test::kBlack, s.Bounds()), 20) << family;
        EXPECT_EQ(Count(s, test::kBlack, s.Bounds()) + Count(s, test::kWhite, s.Bounds()), 400) << family << ": not smoothed";
    }
}

TEST(Fonts, APreferredLatinFaceDrawsLatinLettersAndTheSongFaceTheRest)
{
    // 13 px: a size no other test makes, so the faces made here are new.
    Surface s(1, 1);
    DeviceContext dc(s);
    dc.SelectObject(SongFont(13, 0));
    const Size songLetters = dc.GetTextExtent("Novels");
    const Size songChinese = dc.GetTextExtent("中文（）");
    PreferLatinFaces({ "No Such Face Anywhere", "DejaVu Sans" });
    Font combined;
    ASSERT_TRUE(combined.CreateFont(13, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "SimSun"));
    PreferLatinFaces({});
    EXPECT_EQ(combined.FamilyName(), "AR PL UMing CN");
    dc.SelectObject(combined);
    EXPECT_NE(dc.GetTextExtent("Novels"), songLetters);
    EXPECT_NE(dc.GetTextExtent("il").cx, dc.GetTextExtent("mw").cx) << "proportional letters";
    EXPECT_EQ(dc.GetTextExtent("中文（）"), songChinese);
    EXPECT_EQ(dc.GetTextMetrics().ascent, [&] {
        dc.SelectObject(SongFont(13, 0));
        return dc.GetTextMetrics().ascent;
    }());
}

TEST(TextOut, FreshContextDrawsBlackOnOpaqueWhiteInTheTextCell)
{
    Surface s(30, 20);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    EXPECT_TRUE(dc.TextOut(2, 3, "Ab"));
    // The cell is 2 x 6 by 12 px at (2, 3); nothing outside it changes.
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 2, 3, 14, 15 }));
    const Rect cell { 2, 3, 14, 15 };
    const int black = Count(s, test::kBlack, cell);
    const int white = Count(s, test::kWhite, cell);
    EXPECT_GT(black, 10);
    EXPECT_EQ(black + white, cell.Width() * cell.Height()) << Picture(s, { { test::kBlack, '#' }, { test::kWhite, '.' }, { test::kRed, 'r' } });
}

TEST(TextOut, TransparentModeLeavesTheBackgroundAndColoursAreUsed)
{
    Surface s(30, 20);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    EXPECT_EQ(dc.SetBkMode(TRANSPARENT), OPAQUE);
    EXPECT_EQ(dc.SetTextColor(RGB(0, 0, 255)), RGB(0, 0, 0));
    dc.TextOut(2, 3, "Ab");
    const Rect cell { 2, 3, 14, 15 };
    EXPECT_GT(Count(s, test::kBlue, cell), 10);
    EXPECT_EQ(Count(s, test::kBlue, cell) + Count(s, test::kRed, cell), cell.Width() * cell.Height());
    EXPECT_EQ(Count(s, test::kBlue, s.Bounds()), Count(s, test::kBlue, cell));

    Surface o(30, 20);
    DeviceContext opaque(o);
    EXPECT_EQ(opaque.SetBkColor(RGB(0, 255, 0)), RGB(255, 255, 255));
    opaque.TextOut(0, 0, "Ab");
    EXPECT_EQ(Count(o, 0x00FF00, { 0, 0, 12, 12 }) + Count(o, test::kBlack, { 0, 0, 12, 12 }), 144);
}

TEST(TextOut, ChineseGlyphsAreRealShapesNotBoxes)
{
    Font font = SongFont(16, 8);
    auto draw = [&font](std::string_view text) {
        Surface s(16, 16);
        DeviceContext dc(s);
        dc.SelectObject(font);
        dc.TextOut(0, 0, text);
        return s;
    };
    const Surface zhong = draw("中");
    const Surface wen = draw("文");
    const Surface missing = draw("\xEE\x80\x80"); // U+E000: no glyph in the face
    const Rect cell { 0, 0, 16, 16 };
    EXPECT_GT(Count(zhong, test::kBlack, cell), 20);
    EXPECT_GT(Count(wen, test::kBlack, cell), 20);
    auto same = [&cell](const Surface& a, const Surface& b) {
        for (int y = cell.top; y < cell.bottom; ++y)
            for (int x = cell.left; x < cell.right; ++x)
                if (a.Pixel(x, y) != b.Pixel(x, y))
                    return false;
        return true;
    };
    EXPECT_FALSE(same(zhong, wen));
    EXPECT_FALSE(same(zhong, missing));
    // 中 has a long vertical stroke through its middle.
    int column = 0;
    for (int x = 6; x < 10; ++x)
        column = std::max(column, Count(zhong, test::kBlack, { x, 0, x + 1, 16 }));
    EXPECT_GE(column, 13) << Picture(zhong, { { test::kBlack, '#' }, { test::kWhite, '.' } });
}

TEST(TextOut, DrawsEveryCharacterOnOneLineWithALineFeedAsAGlyph)
{
    Surface s(40, 40);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    dc.SelectObject(SongFont(16, 8));
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(0, 0, "A\nB");
    EXPECT_EQ(dc.GetTextExtent("A\nB"), (Size { 24, 16 }));
    // B sits in the third half-width cell of the first line; nothing below it.
    EXPECT_GT(Count(s, test::kBlack, { 16, 0, 24, 16 }), 5);
    EXPECT_EQ(Count(s, test::kBlack, { 0, 16, 40, 40 }), 0);
    EXPECT_EQ(Count(s, test::kBlack, { 24, 0, 40, 16 }), 0);
}

TEST(DrawText, TwoLineCaptionCentresEachLineAndBreaksOnlyAtItsLineFeed)
{
    Surface s(75, 60);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    // Opaque, so each line's cell shows exactly where the line was placed.
    const int height = dc.DrawText("块填充\n纯色测试", { 0, 0, 75, 60 }, DT_CENTER | DT_VCENTER);
    EXPECT_EQ(height, 24);
    EXPECT_EQ(Changed(s, test::kRed, { 0, 0, 75, 12 }), (Rect { 19, 0, 55, 12 }));   // 36 px wide
    EXPECT_EQ(Changed(s, test::kRed, { 0, 12, 75, 24 }), (Rect { 13, 12, 61, 24 })); // 48 px wide
    EXPECT_EQ(Changed(s, test::kRed, { 0, 24, 75, 60 }), Rect {});
}

TEST(DrawText, SingleLineFormatsCentreVerticallyAndDrawLineFeedsAsGlyphs)
{
    Surface s(120, 40);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    dc.DrawText("关于", { 0, 0, 100, 30 }, DT_CENTER | DT_VCENTER | DT_SINGLELINE); // 37
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 38, 9, 62, 21 }));

    s.Fill(test::kRed);
    dc.DrawText("更多软件", { 22, 1, 110, 17 }, DT_VCENTER | DT_SINGLELINE); // 36
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 22, 3, 70, 15 }));

    s.Fill(test::kRed);
    EXPECT_EQ(dc.DrawText("a\nb", { 0, 0, 120, 12 }, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 12);
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 51, 0, 69, 12 })); // three cells on one line
}

TEST(DrawText, ClipsToTheRectangleOnEverySide)
{
    Surface s(60, 30);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    dc.DrawText("显示器坏点测试显示器", { 10, 5, 40, 11 }, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 10, 5, 40, 11 }));

    s.Fill(test::kRed);
    DeviceContext area(s, { 20, 10, 30, 20 });
    area.DrawText("第一行\n第二行\n第三行", { -5, -5, 15, 50 }, DT_CENTER);
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 20, 10, 30, 20 }));
}

TEST(DrawText, MultiLineBreaksAtCrLfAndIgnoresVerticalCentring)
{
    Surface s(40, 60);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    EXPECT_EQ(dc.DrawText("ab\r\ncd\re", { 0, 0, 40, 60 }, DT_VCENTER), 36);
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 0, 0, 12, 36 }));
}

TEST(DrawText, AmpersandUnderlinesTheNextCharacterUnlessNoPrefix)
{
    Surface s(60, 14);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText("a&b&&", { 0, 0, 60, 14 }, DT_SINGLELINE);
    // Shown as "ab&": three cells, the second underlined in the row below the baseline.
    const int below = dc.GetTextMetrics().ascent;
    EXPECT_EQ(Changed(s, test::kRed, { 18, 0, 60, 14 }), Rect {});
    EXPECT_EQ(Changed(s, test::kRed, { 0, 12, 60, 14 }), Rect {});
    EXPECT_EQ(Count(s, test::kBlack, { 6, below, 12, below + 1 }), 6);
    EXPECT_EQ(Count(s, test::kBlack, { 0, below, 6, below + 1 }), 0);

    s.Fill(test::kRed);
    dc.DrawText("a&b&&", { 0, 0, 60, 14 }, DT_SINGLELINE | DT_NOPREFIX);
    EXPECT_GT(Count(s, test::kBlack, { 24, 0, 30, 14 }), 0); // all five characters
    EXPECT_EQ(Count(s, test::kBlack, { 6, below, 12, below + 1 }), 0);
}

TEST(Text, MalformedUtf8AndEmptyTextAreDrawnSafely)
{
    Surface s(40, 20);
    s.Fill(test::kRed);
    DeviceContext dc(s);
    EXPECT_TRUE(dc.TextOut(0, 0, ""));
    EXPECT_EQ(Changed(s, test::kRed), Rect {});
    const Size bad = dc.GetTextExtent("\xFF\xE4\xB8");
    EXPECT_GT(bad.cx, 0);
    dc.TextOut(-3, -100000, "\xFF\xE4\xB8");
    dc.TextOut(2147483647, 2147483647, "abc");
    dc.TextOut(-2147483647 - 1, 0, "abc");
    EXPECT_EQ(Changed(s, test::kRed), Rect {});
    dc.TextOut(0, 0, "\xFF\xE4\xB8");
    EXPECT_EQ(Changed(s, test::kRed), (Rect { 0, 0, bad.cx, 12 }));
    EXPECT_EQ(dc.DrawText("", { 0, 0, 10, 10 }, DT_CENTER), 0);
}

TEST(Text, BoldWidensEachCharacterByOnePixel)
{
    Surface s(1, 1);
    DeviceContext dc(s);
    dc.SelectObject(SongFont(16, 8, FW_BOLD));
    EXPECT_EQ(dc.GetTextExtent("AB").cx, 18);
}

}
}
