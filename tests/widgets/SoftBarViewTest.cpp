// The software bar on screen: placement in rows, the look read back from
// the back buffer of a made-visible bar, and hover tracking.

#include "SoftBarSupport.h"

#include <algorithm>

using namespace plat;
using namespace wtest;

namespace {

std::vector<Rect> Rects(const CSoftBar& bar)
{
    std::vector<Rect> out;
    for (int i = 0; i < bar.m_nCount; ++i)
        out.push_back(bar.m_entries[static_cast<std::size_t>(i)].rect);
    return out;
}

std::string Row(const std::string& caption, int width)
{
    return caption + ",k" + caption + "," + caption + ".exe," + std::to_string(width) + ",";
}

// Pixels of `color` inside `r` of the bar.
int Count(const Wnd& bar, std::uint32_t color, const Rect& r)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            n += automation::Pixel(bar, { x, y }) == color;
    return n;
}

// The nine colours in the order [TAMREL_COLOR] gives them, as 0x00RRGGBB.
struct Look {
    std::uint32_t framePen, back, captionText, itemPen, itemFace, itemText, hotPen, hotFace, hotText;
};

// Frame, caption and the entry at `item`, in the normal or the hot look,
// read back from the window's back buffer.
void ExpectLook(const CSoftBar& bar, const Look& look, const Rect& item, bool hot, int captionWidth)
{
    Rect client;
    bar.GetClientRect(&client);
    const int w = client.right;
    const int h = client.bottom;
    EXPECT_EQ(automation::Pixel(bar, { 0, 0 }), look.back);
    EXPECT_EQ(automation::Pixel(bar, { w - 1, h - 1 }), look.back);
    // The frame (2, 9, w - 2, h - 2): left and top edges, one pixel inside right and bottom.
    EXPECT_EQ(automation::Pixel(bar, { 2, h / 2 }), look.framePen);
    EXPECT_EQ(automation::Pixel(bar, { w - 3, h / 2 }), look.framePen);
    EXPECT_EQ(automation::Pixel(bar, { w / 2, h - 3 }), look.framePen);
    EXPECT_EQ(automation::Pixel(bar, { 15, 9 }), look.framePen);
    if (22 + captionWidth < w - 8) {
        EXPECT_EQ(automation::Pixel(bar, { 22 + captionWidth + 1, 9 }), look.framePen);
    }
    EXPECT_EQ(automation::Pixel(bar, { 3, h / 2 }), look.back);
    EXPECT_EQ(automation::Pixel(bar, { w / 2, h - 4 }), look.back);
    // The caption's opaque background covers the frame line behind it.
    EXPECT_EQ(Count(bar, look.framePen, { 22, 9, 22 + captionWidth, 10 }), 0);
    EXPECT_GT(Count(bar, look.captionText, { 22, 1, 22 + captionWidth, 17 }), 10);
    EXPECT_EQ(Count(bar, look.captionText, { 22 + captionWidth, 1, w, 17 }), 0);

    const std::uint32_t pen = hot ? look.hotPen : look.itemPen;
    const std::uint32_t face = hot ? look.hotFace : look.itemFace;
    const std::uint32_t text = hot ? look.hotText : look.itemText;
    const int midY = (item.top + item.bottom) / 2;
    const int midX = (item.left + item.right) / 2;
    EXPECT_EQ(automation::Pixel(bar, { item.left, midY }), pen);
    EXPECT_EQ(automation::Pixel(bar, { item.right - 1, midY }), pen);
    EXPECT_EQ(automation::Pixel(bar, { midX, item.top }), pen);
    EXPECT_EQ(automation::Pixel(bar, { midX, item.bottom - 1 }), pen);
    EXPECT_EQ(automation::Pixel(bar, { item.left + 3, item.top + 2 }), face);
    // Rounded corners show the bar's background.
    EXPECT_EQ(automation::Pixel(bar, { item.left, item.top }), look.back);
    EXPECT_GT(Count(bar, text, item), 10);
    EXPECT_EQ(automation::Pixel(bar, { item.right + 2, midY }), look.back);
}

int TextWidth(std::string_view text)
{
    DeviceContext dc;
    dc.CreateCompatibleDC(nullptr);
    return dc.GetTextExtent(text).cx;
}

// Points the cursor at `client` of the bar, as the window system would
// before the bar is clicked or moved over.
void PointAt(const Wnd& bar, Point client)
{
    Rect screen;
    bar.GetWindowRect(&screen);
    automation::SetCursorPos({ screen.left + client.x, screen.top + client.y });
}

}

TEST_F(SoftBarTest, LayoutPlacesEntriesInRows)
{
    const Rect gone { 0, 0, 0, 0 };
    struct Case {
        const char* what;
        std::vector<std::string> lines; // none: the built-in list
        int height;
        std::vector<Rect> expected;
    };
    const std::vector<Case> cases = {
        { "seven built-in entries, three a row", {}, 100,
            { { 9, 18, 109, 40 }, { 114, 18, 214, 40 }, { 219, 18, 319, 40 }, { 9, 43, 109, 65 },
                { 114, 43, 214, 65 }, { 219, 43, 319, 65 }, { 9, 68, 109, 90 } } },
        { "a line break ends the row", { Row("A", 100), Row("B", 100), "换行,x,x,100,", Row("C", 100) }, 100,
            { { 9, 18, 109, 40 }, { 114, 18, 214, 40 }, gone, { 9, 43, 109, 65 } } },
        { "two line breaks act as one",
            { Row("A", 100), Row("B", 100), "换行,x,x,0,", "换行,y,y,0,", Row("C", 100) }, 100,
            { { 9, 18, 109, 40 }, { 114, 18, 214, 40 }, gone, gone, { 9, 43, 109, 65 } } },
        { "room for two rows: the third keeps its width, no height", {}, 75,
            { { 9, 18, 109, 40 }, { 114, 18, 214, 40 }, { 219, 18, 319, 40 }, { 9, 43, 109, 65 },
                { 114, 43, 214, 65 }, { 219, 43, 319, 65 }, { 0, 0, 100, 0 } } },
        { "an over-wide first entry leaves the first row empty", { Row("W", 400), Row("A", 100) }, 100,
            { { 9, 43, 409, 65 }, { 9, 68, 109, 90 } } },
        { "extreme and empty widths", { Row("Max", INT_MAX), Row("Min", -INT_MAX), Row("Z", 0), Row("A", 100) }, 100,
            { { 9, 43, 9 + (1 << 24), 65 }, { 9 + (1 << 24) + 5, 43, 14, 65 }, { 19, 43, 19, 65 }, { 24, 43, 124, 65 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteMainHtm(c.lines.empty() ? "" : ListSection(c.lines));
        CSoftBar& bar = OpenBar(345, c.height);
        EXPECT_EQ(Rects(bar), c.expected);
        EXPECT_EQ(bar.Layout(), 0);
        EXPECT_EQ(Rects(bar), c.expected) << "a second layout moved entries";
        // Nothing hidden or emptied can be hit, wherever the cursor is.
        for (int y = 0; y < c.height; y += 2)
            for (int x = 0; x < 345; x += 2) {
                PointAt(bar, { x, y });
                const int hit = bar.HitTest();
                if (hit >= 0) {
                    ASSERT_TRUE(c.expected[static_cast<std::size_t>(hit)].Contains({ x, y })) << x << "," << y;
                }
            }
    }
}

TEST_F(SoftBarTest, LayoutNeedsLoadAWindowAndAHundredPixels)
{
    CSoftBar bare;
    EXPECT_EQ(bare.Layout(), 1);
    EXPECT_EQ(bare.Redraw(), 1);

    // 105 pixels wide leaves 90 usable: everything stays at the top-left.
    CSoftBar& narrow = OpenBar(105, 100);
    EXPECT_EQ(narrow.Layout(), 1);
    EXPECT_EQ(Rects(narrow), std::vector<Rect>(7, Rect { 0, 0, 100, 22 }));

    // Before Load the bar neither lays out nor draws.
    narrow.m_strMode = "default";
    EXPECT_EQ(narrow.Layout(), 0);
    EXPECT_EQ(narrow.Redraw(), 1);
}

TEST_F(SoftBarTest, LookOfTheBuiltInAndOfAConfiguredBar)
{
    struct Case {
        const char* what;
        std::string mainHtm;
        Look look;
        std::string caption;
    };
    const std::vector<Case> cases = {
        { "built-in list, default colours", "",
            { 0x222222, 0xF0F0F0, 0x000000, 0x333333, 0x858585, 0xFFFF00, 0x711A1A, 0xC92F2F, 0xFFFFFF },
            CSoftBar().m_strCaption },
        { "configured list, colours and caption",
            "[TAMREL_COLOR]\r\n(10,20,30),(200,210,220),(1,2,3)|(40,50,60),(70,80,90),(250,240,5)"
            "|(100,0,0),(0,100,0),(0,0,100)\r\n[TAMREL_README]\r\n24,0,软件AB\r\n"
                + ListSection({ "阅读,r,r.exe,60,", "游戏,g,g.exe,80," }),
            { 0x0A141E, 0xC8D2DC, 0x010203, 0x28323C, 0x46505A, 0xFAF005, 0x640000, 0x006400, 0x000064 },
            "软件AB" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteMainHtm(c.mainHtm);
        CSoftBar& bar = OpenBar(345, 100);
        const Rect item = bar.m_entries[0].rect;
        ASSERT_EQ(item.left, 9);
        ASSERT_EQ(item.top, 18);
        const int captionWidth = std::min(TextWidth(c.caption), 345 - 2 - 22);
        ExpectLook(bar, c.look, item, false, captionWidth);

        automation::MouseMove(bar, { item.left + 20, item.top + 5 });
        plat::ProcessPendingMessages();
        ExpectLook(bar, c.look, item, true, captionWidth);
    }
}

TEST_F(SoftBarTest, HoverFollowsTheCursorAndLeavesWithinATick)
{
    CSoftBar& bar = OpenBar(345, 100);
    const std::vector<std::uint32_t> normal = ClientPixels(bar);
    const std::uint32_t pen = 0x333333;
    const std::uint32_t hotPen = 0x711A1A;
    const auto hover = [&] {
        std::vector<int> h;
        for (int i = 0; i < bar.m_nCount; ++i)
            h.push_back(bar.m_entries[static_cast<std::size_t>(i)].hover);
        return h;
    };

    automation::MouseMove(bar, { 50, 30 });
    Pump();
    EXPECT_EQ(hover(), (std::vector<int> { 1, 0, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(automation::RunningTimers(), 1);
    // One move onto the next entry: the first is normal and the second hot at once.
    automation::MouseMove(bar, { 150, 30 });
    Pump();
    EXPECT_EQ(hover(), (std::vector<int> { 0, 1, 0, 0, 0, 0, 0 }));
    EXPECT_EQ(automation::Pixel(bar, { 9, 29 }), pen);
    EXPECT_EQ(automation::Pixel(bar, { 114, 29 }), hotPen);
    // Into the gap between two entries: nothing hot, nothing to click.
    automation::MouseMove(bar, { 111, 29 });
    Pump();
    EXPECT_EQ(hover(), (std::vector<int>(7, 0)));
    EXPECT_EQ(bar.HitTest(), -1);
    EXPECT_EQ(ClientPixels(bar), normal);

    // Leaving the bar without a move over it: the next tick clears the look.
    automation::MouseMove(bar, { 250, 50 });
    Pump();
    ASSERT_EQ(bar.m_entries[5].hover, 1);
    EXPECT_EQ(bar.HitTest(), 5);
    PumpFor(250);
    EXPECT_EQ(bar.m_entries[5].hover, 1) << "the look went while the cursor stayed";
    automation::MouseMove(*m_dlg, { 500, 300 });
    Pump();
    const int ms = WaitUntil([&] { return bar.m_entries[5].hover == 0; });
    ASSERT_GE(ms, 0) << "the hot look stayed";
    EXPECT_EQ(automation::RunningTimers(), 0);
    EXPECT_EQ(ClientPixels(bar), normal);
}

TEST_F(SoftBarTest, BadInputIsBoundedAndStillDrawn)
{
    std::string text = "[TAMREL_COLOR]\r\n(1,2,3),(4," + std::string(100000, '7') + "\r\n";
    text += "[TAMREL_README]\r\n22,0," + std::string(10000, 'c') + "\r\n[TAMREL_BEGIN]\r\n";
    for (int i = 0; i < 3; ++i)
        text += std::string(1 << 20, 'x') + ",k,k.exe,abc,\r\n";
    text += "W,w,w.exe,2147483647,\r\nN,n,n.exe,-2147483647,\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "E,e,e.exe,60,\r\n";
    text += "[TAMREL_END]\r\n";
    WriteMainHtm(text);

    CSoftBar& bar = OpenBar(584, 100);
    EXPECT_EQ(bar.m_nCount, 10);
    EXPECT_EQ(bar.m_strCaption.size(), 199u);
    EXPECT_EQ(bar.m_crFramePen, RGB(1, 2, 3));
    EXPECT_EQ(bar.m_crBack, RGB(240, 240, 240)) << "an unfinished triple changed its colour";
    // The zero-width and negative entries leave no mark; the wide one fills
    // the second row past its right edge, and the negative one brought the
    // position back so the last five are drawn over it from x = 19.
    EXPECT_EQ(automation::Pixel(bar, { 9, 54 }), 0x333333);
    EXPECT_EQ(automation::Pixel(bar, { 575, 54 }), 0x858585);
    EXPECT_EQ(automation::Pixel(bar, { 19, 54 }), 0x333333);
    EXPECT_EQ(automation::Pixel(bar, { 9, 30 }), 0xF0F0F0);
    automation::MouseMove(bar, { 300, 50 });
    Pump();
    EXPECT_EQ(bar.HitTest(), 3);
    EXPECT_EQ(automation::Pixel(bar, { 9, 54 }), 0x711A1A);
}
