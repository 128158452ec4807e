// The moving patterns: positions from the refresh count (a held or dropped
// frame is a jump), and every renderer's drawing of only what changed
// against drawing the whole frame, with the damage covering every changed
// pixel, for successive, held, repeated and reused-buffer frames.

#include "screentest/MotionPatterns.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using motion::MotionDamage;
using motion::MotionFrame;

TEST(MotionPatternsTest, Positions)
{
    struct Case {
        const char* what;
        MotionFrame frame;
        std::uint64_t every;
        int x0;
        int span;
        int left;
    };
    const Case cases[] = {
        { "start", { 0, 60, 960 }, 1, 5, 1000, 5 },
        { "one refresh at 60 Hz", { 1, 60, 960 }, 1, 5, 1000, 21 },
        { "held two refreshes: a jump of three", { 4, 60, 960 }, 1, 0, 1000, 64 },
        { "wraps", { 100, 60, 960 }, 1, 0, 1000, 600 },
        { "144 Hz", { 3, 144, 960 }, 1, 0, 1000, 20 },
        { "every fourth refresh", { 7, 60, 960 }, 4, 0, 1000, 64 },
        { "every second refresh", { 7, 60, 960 }, 2, 0, 1000, 96 },
        { "no rate", { 9, 0, 960 }, 1, 3, 1000, 3 },
        { "no span", { 9, 60, 960 }, 1, 3, 0, 3 },
        { "fastest speed", { 1, 60, 3840 }, 1, 0, 1000, 64 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(motion::WrappedLeft(motion::EveryNth(c.frame, c.every), c.x0, c.span), c.left) << c.what;
}

using Renderer = void (*)(plat::DeviceContext&, const plat::Rect&, const MotionFrame&, const MotionFrame*, MotionDamage&);

TEST(MotionPatternsTest, DrawingWhatChangedMatchesTheWholeFrame)
{
    struct Pattern {
        const char* name;
        Renderer draw;
    };
    const Pattern patterns[] = {
        { "lanes", motion::DrawLanes },
        { "frame-skip", motion::DrawFrameSkip },
        { "pursuit", motion::DrawPursuit },
        { "ghosting", motion::DrawGhosting },
        { "vsync", motion::DrawVsync },
    };
    struct Step {
        const char* what;
        std::uint64_t before;
        std::uint64_t now;
    };
    const Step steps[] = {
        { "next refresh", 0, 1 },
        { "held: three refreshes on", 1, 4 },
        { "same refresh", 5, 5 },
        { "buffer three frames old", 10, 13 },
        { "a whole row of boxes on", 7, 15 },
        { "wrapping", 40, 41 },
    };
    const plat::Rect area { 10, 10, 330, 250 };
    for (const Pattern& p : patterns) {
        for (const Step& s : steps) {
            SCOPED_TRACE(std::string(p.name) + ": " + s.what);
            const MotionFrame before { s.before, 60, 960 };
            const MotionFrame now { s.now, 60, 960 };
            plat::Surface partial(340, 260);
            plat::Surface whole(340, 260);
            plat::Surface old(340, 260);
            MotionDamage ignored;
            plat::DeviceContext oldDc(old);
            p.draw(oldDc, area, before, nullptr, ignored);
            plat::DeviceContext partialDc(partial);
            p.draw(partialDc, area, before, nullptr, ignored);
            MotionDamage damage;
            p.draw(partialDc, area, now, &before, damage);
            plat::DeviceContext wholeDc(whole);
            MotionDamage full;
            p.draw(wholeDc, area, now, nullptr, full);
            EXPECT_EQ(full.Bounds().left, area.left);
            EXPECT_EQ(full.Bounds().bottom, area.bottom);
            int wrong = 0;
            int uncovered = 0;
            for (int y = 0; y < whole.Height(); ++y) {
                for (int x = 0; x < whole.Width(); ++x) {
                    wrong += partial.Pixel(x, y) != whole.Pixel(x, y);
                    uncovered += old.Pixel(x, y) != whole.Pixel(x, y) && !damage.Bounds().Contains({ x, y });
                }
            }
            EXPECT_EQ(wrong, 0);
            EXPECT_EQ(uncovered, 0);
        }
    }
}

}
