// The refresh each motion frame is drawn for, from the display's reports:
// on time, with frames on their way, after a held frame (a jump), after a
// dropped one and after a counter that went back (never backwards).

#include "screentest/MotionClock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using plat::present::FrameFate;
using plat::present::Verdict;

struct Event {
    bool present;        // else a report
    std::uint64_t value; // present: the refresh expected; report: the display's refresh
    FrameFate fate = FrameFate::OnTime;
};

TEST(MotionClockTest, RefreshOfEachFrame)
{
    struct Case {
        const char* what;
        std::vector<Event> events;
    };
    const Case cases[] = {
        { "before any report, one a frame", { { true, 0 }, { true, 1 }, { true, 2 } } },
        { "on time with one frame on its way",
            { { true, 0 }, { true, 1 }, { false, 1000 }, { true, 2 }, { false, 1001 }, { true, 3 } } },
        { "a frame held two refreshes moves the motion on",
            { { true, 0 }, { true, 1 }, { false, 1000 }, { true, 2 }, { false, 1003, FrameFate::Held }, { true, 5 } } },
        { "a dropped frame never takes the motion back",
            { { true, 0 }, { true, 1 }, { false, 1000 }, { true, 2 }, { false, 1000, FrameFate::Dropped }, { true, 3 } } },
        { "a counter that went back continues from the last count",
            { { true, 0 }, { false, 1000 }, { true, 1 }, { false, 5 }, { true, 2 }, { false, 6 }, { true, 3 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMotionClock clock;
        for (const Event& e : c.events) {
            if (e.present) {
                EXPECT_EQ(clock.Next(), e.value);
                clock.Presented();
            } else {
                clock.Reported(Verdict { e.fate, 0, e.value });
            }
        }
    }
}

}
