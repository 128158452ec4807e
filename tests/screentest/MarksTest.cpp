// The loupe and the marks through the test window's own input: the
// loupe's blocks against the pattern's pixels, the rings' pixels, nothing
// of either in the picture the timing measured, and the limit of marks.

#include "TestWndSupport.h"

#include "screentest/MarkRing.h"

#include <cmath>
#include <map>
#include <utility>

using namespace sttest;
using plat::RGB;
namespace automation = plat::automation;

namespace {

// The pattern's pixels of the back buffer, before anything is drawn over it.
plat::Surface Copy(const plat::Surface& s)
{
    plat::Surface copy(s.Width(), s.Height());
    for (int y = 0; y < s.Height(); ++y)
        for (int x = 0; x < s.Width(); ++x)
            copy.Row(y)[x] = s.Pixel(x, y) & 0xFFFFFFu;
    return copy;
}

// Pixels of `area` where the window differs from `pattern`.
long Differences(const CTestWnd& wnd, const plat::Surface& pattern, plat::Rect area)
{
    const plat::Surface& s = Back(wnd);
    long wrong = 0;
    area = area.Intersected(s.Bounds());
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            wrong += (s.Pixel(x, y) & 0xFFFFFFu) != pattern.Pixel(x, y);
    return wrong;
}

// Blocks of the loupe whose inner pixels are not the pattern's pixel they
// magnify (the centre block's outline left out).
int WrongBlocks(const CTestWnd& wnd, const plat::Surface& pattern, plat::Point pointer, plat::Point frame)
{
    const plat::Surface& s = Back(wnd);
    int wrong = 0;
    for (int row = 0; row < CLoupe::kPixels; ++row)
        for (int column = 0; column < CLoupe::kPixels; ++column) {
            int px = pointer.x - 7 + column, py = pointer.y - 7 + row;
            std::uint32_t want = px >= 0 && py >= 0 && px < pattern.Width() && py < pattern.Height()
                ? pattern.Pixel(px, py)
                : 0;
            bool blockOk = true;
            for (int y = 1; y < CLoupe::kBlock - 1; ++y)
                for (int x = 1; x < CLoupe::kBlock - 1; ++x)
                    blockOk = blockOk
                        && (s.Pixel(frame.x + 1 + column * 12 + x, frame.y + 1 + row * 12 + y) & 0xFFFFFFu) == want;
            wrong += !blockOk;
        }
    return wrong;
}

void PointAt(plat::Point client) { automation::SetCursorPos(client); }

}

// Z shows the loupe by the pointer; it magnifies the pattern as drawn and
// names the pixel; it follows the pointer to the other side near the edge,
// leaving the pattern whole where it was; a step keeps it; Z hides it.
TEST(TestWndMarks, LoupeMagnifiesThePatternAndFollowsThePointer)
{
    CTestWnd wnd({ kHLineGradient });
    plat::Surface pattern;
    int wrongFirst = -1, wrongMoved = -1, wrongStepped = -1;
    long leftOver = -1, afterHide = -1, framePixels = -1;
    bool label = false, labelMoved = false;
    RunModal(wnd, {
                      [&] { Resize(wnd, 420, 400); },
                      [&] { pattern = Copy(Back(wnd)); PointAt({ 50, 60 }); automation::Key(wnd, 'Z'); },
                      [&] {
                          wrongFirst = WrongBlocks(wnd, pattern, { 50, 60 }, { 74, 84 });
                          framePixels = CountOther(wnd, { 74, 84, 256, 85 }, RGB(255, 255, 255));
                          label = ShowsText(wnd, { 74, 84 + 182 + 2 }, CLoupe::Label({ 50, 60 }, plat::FromXrgb(pattern.Pixel(50, 60))));
                          automation::MouseMove(wnd, { 300, 290 });
                      },
                      [&] {
                          // Past the right and bottom edges: before the pointer on both axes.
                          wrongMoved = WrongBlocks(wnd, pattern, { 300, 290 }, { 300 - 24 - 182, 290 - 24 - 200 });
                          labelMoved = ShowsText(wnd, { 94, 66 + 184 }, CLoupe::Label({ 300, 290 }, plat::FromXrgb(pattern.Pixel(300, 290))));
                          leftOver = Differences(wnd, pattern, { 0, 0, 93, 400 }); // the frame's outer line at 93
                          automation::Key(wnd, plat::VK_HOME);
                      },
                      [&] { wrongStepped = WrongBlocks(wnd, pattern, { 300, 290 }, { 94, 66 }); automation::Key(wnd, 'Z'); },
                      [&] { afterHide = Differences(wnd, pattern, { 0, 0, 420, 400 }); },
                  });
    EXPECT_EQ(wrongFirst, 0);
    EXPECT_EQ(framePixels, 0); // the gradient's first rows are dark: a white frame
    EXPECT_TRUE(label);
    EXPECT_EQ(wrongMoved, 0);
    EXPECT_TRUE(labelMoved);
    EXPECT_EQ(leftOver, 0);
    EXPECT_EQ(wrongStepped, 0);
    EXPECT_EQ(afterHide, 0);
}

// The picture the loupe reads is made from the screen when Z is pressed:
// where the information lines cover the pattern it still holds the pattern.
TEST(TestWndMarks, LoupeOverTheInformationLinesMagnifiesThePattern)
{
    CTestWnd wnd({ kBlockFill, "", 1 });
    plat::Surface blue(640, 400);
    blue.Fill(0x0000FFu);
    int wrong = -1;
    bool text = false;
    RunModal(wnd, {
                      [&] { Resize(wnd, 640, 400); },
                      [&] { PointAt({ 104, 108 }); automation::Key(wnd, 'Z'); },
                      [&] {
                          wrong = WrongBlocks(wnd, blue, { 104, 108 }, { 128, 132 });
                          text = CountOther(wnd, { 100, 100, 128, 116 }, RGB(0, 0, 255)) > 0;
                      },
                  });
    EXPECT_EQ(wrong, 0);
    EXPECT_TRUE(text); // the lines themselves are still drawn over the pattern
}

// M and the middle button ring the pixel under the pointer in the colour
// that stands out; M on a ringed pixel and C take rings away; a ring at
// the last pixel is clipped; a step keeps them; the picture the timing
// measured never holds a ring or the loupe.
TEST(TestWndMarks, RingsComeAndGoAndStayOutOfTheMeasuredPicture)
{
    CTestWnd wnd({ kBlockFill });
    // Inner circle pixels map to true, the outer circle's (radius 7: for
    // every column and row the pixel nearest to it) to false.
    using Rings = std::map<std::pair<int, int>, bool>;
    auto ringAt = [](plat::Point c) {
        Rings ring;
        for (int d = -7; d <= 7; ++d) {
            int k = static_cast<int>(std::lround(std::sqrt(49.0 - d * d)));
            const std::pair<int, int> mirrored[] = { { d, k }, { d, -k }, { k, d }, { -k, d } };
            for (auto [dx, dy] : mirrored)
                ring[{ c.x + dx, c.y + dy }] = false;
        }
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                int d2 = dx * dx + dy * dy;
                // The midpoint circle of radius 6 lies within these bounds, 32 pixels.
                if (d2 >= 31 && d2 <= 41 && !(std::abs(dx) == 5 && std::abs(dy) == 4) && !(std::abs(dx) == 4 && std::abs(dy) == 5))
                    ring[{ c.x + dx, c.y + dy }] = true;
            }
        return ring;
    };
    auto onlyRings = [&](const Rings& ring, plat::COLORREF back, plat::COLORREF color) {
        const plat::COLORREF other = color == RGB(0, 0, 0) ? RGB(255, 255, 255) : RGB(0, 0, 0);
        const plat::Surface& s = Back(wnd);
        long wrong = 0;
        for (int y = 0; y < s.Height(); ++y)
            for (int x = 0; x < s.Width(); ++x) {
                auto at = ring.find({ x, y });
                wrong += plat::FromXrgb(s.Pixel(x, y) & 0xFFFFFFu) != (at == ring.end() ? back : at->second ? color
                                                                                                            : other);
            }
        return wrong;
    };
    Rings two = ringAt({ 20, 20 });
    two.merge(ringAt({ 60, 44 }));
    Rings last = ringAt({ 400, 300 });
    long oneRing = -1, twoRings = -1, removed = -1, middleTwice = -1, cleared = -1, stepped = -1, lastPixel = -1,
         measuredOther = -1;
    RunModal(wnd, {
                      [&] { Resize(wnd, 401, 301); },
                      [&] { PointAt({ 20, 20 }); automation::Key(wnd, 'M'); },
                      [&] { oneRing = onlyRings(ringAt({ 20, 20 }), RGB(0, 0, 255), RGB(255, 255, 255)); },
                      [&] { automation::Click(wnd, { 60, 44 }, automation::MouseButton::Middle); },
                      [&] { twoRings = onlyRings(two, RGB(0, 0, 255), RGB(255, 255, 255)); },
                      [&] { automation::Click(wnd, { 60, 44 }, automation::MouseButton::Middle); },
                      [&] { middleTwice = onlyRings(two, RGB(0, 0, 255), RGB(255, 255, 255)); },
                      // Step 6 is white: the rings turn black; the loupe is on as well.
                      [&] { for (int i = 0; i < 6; ++i) LeftClick(wnd); },
                      [&] { PointAt({ 300, 40 }); automation::Key(wnd, 'Z'); },
                      [&] { LeftClick(wnd); LeftClick(wnd); LeftClick(wnd); }, // round to step 1, green: light, black rings
                      [&] {
                          const plat::Surface* measured = wnd.PatternPicture().Pixels();
                          measuredOther = 0;
                          for (int y = 0; measured && y < measured->Height(); ++y)
                              for (int x = 0; x < measured->Width(); ++x)
                                  measuredOther += measured->Pixel(x, y) != 0x00FF00u;
                          automation::Key(wnd, 'Z');
                      },
                      [&] { stepped = onlyRings(two, RGB(0, 255, 0), RGB(0, 0, 0)); PointAt({ 20, 20 }); automation::Key(wnd, 'M'); },
                      [&] { removed = onlyRings(ringAt({ 60, 44 }), RGB(0, 255, 0), RGB(0, 0, 0)); automation::Key(wnd, 'C'); },
                      [&] { cleared = CountOther(wnd, RGB(0, 255, 0)); PointAt({ 400, 300 }); automation::Key(wnd, 'M'); },
                      [&] {
                          lastPixel = onlyRings(last, RGB(0, 255, 0), RGB(0, 0, 0));
                          automation::Key(wnd, 'C'); // no report from this test
                      },
                  });
    EXPECT_EQ(oneRing, 0);
    EXPECT_EQ(twoRings, 0);
    EXPECT_EQ(middleTwice, 0);
    EXPECT_EQ(measuredOther, 0);
    EXPECT_EQ(stepped, 0);
    EXPECT_EQ(removed, 0);
    EXPECT_EQ(cleared, 0);
    EXPECT_EQ(lastPixel, 0);
}

// A thousand marks are kept; the next is refused and the information
// lines say so.
TEST(TestWndMarks, TheThousandAndFirstMarkIsRefused)
{
    CTestWnd wnd({ kBlockFill, "", 1 });
    std::size_t kept = 0;
    bool notice = false, noticeBefore = true;
    // One step per mark: the pointer moves, then M is handled, before the next.
    std::vector<Step> steps { [&] { Resize(wnd, 640, 240); } };
    for (int i = 0; i <= 1000; ++i) {
        if (i == 1000)
            steps.push_back([&] { noticeBefore = ShowsText(wnd, { 100, 180 }, " 标记已达 1000 个, 不能再标记 "); });
        steps.push_back([&wnd, i] {
            PointAt({ 400 + i % 200, 220 + i / 200 });
            automation::Key(wnd, 'M');
        });
    }
    steps.push_back([&] {
        kept = wnd.Marks().empty() ? 0 : wnd.Marks()[0].marks.All().size();
        notice = ShowsText(wnd, { 100, 180 }, " 标记已达 1000 个, 不能再标记 ");
        automation::Key(wnd, 'C'); // no report from this test
    });
    RunModal(wnd, steps);
    EXPECT_EQ(kept, CDefectMarks::kMaxMarks);
    EXPECT_FALSE(noticeBefore);
    EXPECT_TRUE(notice);
}
