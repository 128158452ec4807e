// The software bar's model: the built-in list, the list section, the
// caption and row height, the colours, and what bad input leaves behind.
// Parsing needs no window: these bars are bare objects.

#include "SoftBarSupport.h"

#include "links/SiblingPrograms.h"

#include <climits>

using namespace plat;
using namespace wtest;

namespace {

struct Entry {
    std::string caption, key, exe;
    int width;
    std::string title;
    friend bool operator==(const Entry&, const Entry&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Entry& e)
    {
        return os << "{" << e.caption << "," << e.key << "," << e.exe << "," << e.width << "," << e.title << "}";
    }
};

std::vector<Entry> Entries(const CSoftBar& bar)
{
    std::vector<Entry> out;
    for (int i = 0; i < bar.m_nCount; ++i) {
        const SoftEntry& e = bar.m_entries[static_cast<std::size_t>(i)];
        EXPECT_EQ(e.rect.top, 0);
        EXPECT_EQ(e.rect.bottom, 22);
        out.push_back({ e.caption, e.key, e.exe, e.rect.Width(), e.title });
    }
    return out;
}

Entry Builtin(const SiblingProgram& p)
{
    return { std::string(p.name), std::string(p.key), std::string(p.exe), 100, std::string(p.title) };
}

const std::vector<Entry> kBuiltin = {
    Builtin(kBrowser),
    Builtin(kCleaner),
    Builtin(kReader),
    Builtin(kDownloader),
    Builtin(kPlayer),
    Builtin(kOrganiser),
    Builtin(kLinkGame),
};

std::string Repeat(const std::string& text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

std::array<COLORREF, 9> Colors(const CSoftBar& bar)
{
    return { bar.m_crFramePen, bar.m_crBack, bar.m_crCaptionText, bar.m_crItemPen, bar.m_crItemFace,
        bar.m_crItemText, bar.m_crHotPen, bar.m_crHotFace, bar.m_crHotText };
}

const std::array<COLORREF, 9> kDefaultColors = { RGB(34, 34, 34), RGB(240, 240, 240), RGB(0, 0, 0),
    RGB(51, 51, 51), RGB(133, 133, 133), RGB(255, 255, 0), RGB(113, 26, 26), RGB(201, 47, 47),
    RGB(255, 255, 255) };

}

TEST_F(SoftBarTest, WithoutAFileTheBuiltInListAndTheDefaults)
{
    CSoftBar bar;
    const std::string caption = bar.m_strCaption;
    EXPECT_EQ(bar.m_strMode, "default");
    EXPECT_NE(caption.find("brindle.example"), std::string::npos);
    EXPECT_EQ(bar.Load("lv"), 0);
    EXPECT_EQ(bar.m_strMode, "tamrel");
    EXPECT_EQ(Entries(bar), kBuiltin);
    EXPECT_EQ(bar.m_nRowHeight, 22);
    EXPECT_EQ(bar.m_strCaption, caption);
    EXPECT_EQ(Colors(bar), kDefaultColors);
    for (int i = 0; i < bar.m_nCount; ++i)
        EXPECT_EQ(bar.m_entries[static_cast<std::size_t>(i)].hover, 0);

    // The list leaves out whichever program is running.
    CSoftBar asBrowser;
    asBrowser.Load(kBrowser.key);
    EXPECT_EQ(Entries(asBrowser), std::vector<Entry>(kBuiltin.begin() + 1, kBuiltin.end()));
}

TEST_F(SoftBarTest, ListSectionLines)
{
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::vector<Entry> expected;
    };
    std::vector<std::string> twelve;
    std::vector<Entry> firstTen;
    for (int i = 1; i <= 12; ++i) {
        std::string n = std::to_string(i);
        twelve.push_back("P" + n + ",k" + n + ",p" + n + ".exe," + n + ",T" + n);
        if (i <= 10)
            firstTen.push_back({ "P" + n, "k" + n, "p" + n + ".exe", i, "T" + n });
    }
    const std::vector<Case> cases = {
        { "end as the third line stops nothing",
            { "A,a,a.exe,50,TA", "B,b,b.exe,60,TB", "end,c,c.exe,70,TC", "D,d,d.exe,80,TD" },
            { { "A", "a", "a.exe", 50, "TA" }, { "B", "b", "b.exe", 60, "TB" }, { "D", "d", "d.exe", 80, "TD" } } },
        { "twelve lines give ten entries", twelve, firstTen },
        { "own key, short lines and fields past the fifth",
            { "Me,lv,lv.exe,90,Me", "Short,s,s.exe", "A,a,a.exe,50,TA,extra,more" },
            { { "A", "a", "a.exe", 50, "TA" } } },
        { "trailing comma: empty title; empty key kept",
            { "A,a,a.exe,50,", "B,,b.exe,60,TB", "C,c,c.exe,70" },
            { { "A", "a", "a.exe", 50, "" }, { "B", "", "b.exe", 60, "TB" }, { "C", "c", "c.exe", 70, "" } } },
        { "widths read as atoi does, bounded to 2^24",
            { "A,a,a,abc,", "B,b,b, -7px,", "C,c,c,+2147483647,", "D,d,d,-2147483648,",
                "E,e,e,99999999999999999999,", "F,f,f,-99999999999999999999," },
            { { "A", "a", "a", 0, "" }, { "B", "b", "b", -7, "" }, { "C", "c", "c", 1 << 24, "" },
                { "D", "d", "d", -(1 << 24), "" }, { "E", "e", "e", 1 << 24, "" }, { "F", "f", "f", -(1 << 24), "" } } },
        { "line breaks are entries", { "换行,x,x,0," }, { { "换行", "x", "x", 0, "" } } },
        { "a caption is cut at 256 bytes, between characters", { Repeat("软", 1000) + ",x,x,9," + Repeat("t", 1000) },
            { { Repeat("软", 85), "x", "x", 9, Repeat("t", 1000) } } },
        { "an empty section gives the built-in list", {}, kBuiltin },
        { "a section of skipped lines gives nothing", { "Me,lv,lv.exe,90,Me" }, {} },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteMainHtm(ListSection(c.lines));
        CSoftBar bar;
        bar.Load("lv");
        EXPECT_EQ(Entries(bar), c.expected);
    }
}

TEST_F(SoftBarTest, ReadmeGivesRowHeightAndCaptionWord)
{
    const std::string longWord = Repeat("软", 3500);
    struct Case {
        std::string value;
        int rowHeight;
        std::string caption;
    };
    const std::vector<Case> cases = {
        { "30,5,two words", 30, "two" },
        { "30,5", 30, "" },
        { "30,5,", 30, "" },
        { "30", 30, "" },
        { "abc", 22, "" },
        { " 30, -5,\t  软件推荐 more", 30, "软件推荐" },
        { "30 ,5,x", 30, "" },
        { "99999999999,5,x", INT_MAX, "x" },
        // 199 bytes hold 66 three-byte characters: the 67th is not split.
        { "22,0," + longWord, 22, longWord.substr(0, 198) },
        { "22,0," + std::string(10000, 'a'), 22, std::string(199, 'a') },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.substr(0, 40));
        WriteMainHtm("[TAMREL_README]\r\n" + c.value + "\r\n");
        CSoftBar bar;
        bar.Load("lv");
        EXPECT_EQ(bar.m_nRowHeight, c.rowHeight);
        EXPECT_EQ(bar.m_strCaption, c.caption);
    }
}

TEST_F(SoftBarTest, ColoursTakeTheLowEightBitsOfWholeTriples)
{
    const std::string full = "(1,2,3),(4,5,6),(7,8,9)|(10,11,12),(13,14,15),(16,17,18)"
                             "|(19,20,21),(22,23,24),(25,26,27)";
    const std::array<COLORREF, 9> fullColors = { RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12),
        RGB(13, 14, 15), RGB(16, 17, 18), RGB(19, 20, 21), RGB(22, 23, 24), RGB(25, 26, 27) };
    auto withFirst = [](std::initializer_list<COLORREF> first) {
        std::array<COLORREF, 9> c = kDefaultColors;
        std::copy(first.begin(), first.end(), c.begin());
        return c;
    };
    struct Case {
        std::string value;
        std::array<COLORREF, 9> expected;
    };
    const std::vector<Case> cases = {
        { full, fullColors },
        { full + ",garbage after the pattern", fullColors },
        { "(256,-1,4294967553),(0,0,0)", withFirst({ RGB(0, 255, 1), RGB(0, 0, 0) }) },
        { "( 1, +2,\t3),(4,5", withFirst({ RGB(1, 2, 3) }) },
        // The third number of a triple counts even when ")" does not follow.
        { "(1,2,3 ),(4,5,6)", withFirst({ RGB(1, 2, 3) }) },
        { "(1,2,3),(4,5,6),(7,8,9),(10,11,12)", withFirst({ RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9) }) },
        { "1,2,3", kDefaultColors },
        { "(" + std::string(100000, '9'), kDefaultColors },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value.substr(0, 40));
        WriteMainHtm("[TAMREL_COLOR]\r\n" + c.value + "\r\n");
        CSoftBar bar;
        bar.Load("lv");
        EXPECT_EQ(Colors(bar), c.expected);
    }
}

TEST_F(SoftBarTest, SecondLoadAppendsUpToTenAndRereadsTheSettings)
{
    WriteMainHtm("[TAMREL_README]\r\n30,0,first\r\n" + ListSection({ "A,a,a,10,", "B,b,b,20," }));
    CSoftBar bar;
    bar.Load("lv");
    ASSERT_EQ(bar.m_nCount, 2);
    WriteMainHtm("[TAMREL_README]\r\n40\r\n[TAMREL_COLOR]\r\n(1,2,3)\r\n");
    bar.Load("lv");
    EXPECT_EQ(bar.m_nCount, 9);
    EXPECT_EQ(bar.m_entries[2].caption, std::string(kBrowser.name));
    EXPECT_EQ(bar.m_nRowHeight, 40);
    EXPECT_EQ(bar.m_strCaption, "");
    EXPECT_EQ(bar.m_crFramePen, RGB(1, 2, 3));
    bar.Load("lv");
    EXPECT_EQ(bar.m_nCount, 10);
    EXPECT_EQ(bar.m_entries[9].caption, std::string(kBrowser.name));

    EXPECT_EQ(bar.AddEntry({ 0, 0, 5, 22 }, "X"), -1);
    EXPECT_EQ(bar.ParseEntry("X,x,x.exe,5,", "lv"), 1);
    EXPECT_EQ(bar.ParseEntry("end,x,x.exe,5,", "lv"), -1);
}
