// Frame accounting, the refresh fit and the running ledger against synthetic
// streams of what X11 Present and Wayland presentation-time report.

#include "platform/present/FrameAccount.h"
#include "platform/present/FrameLedger.h"
#include "platform/present/NominalRate.h"
#include "platform/present/RefreshFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

using plat::present::CompletionMode;
using plat::present::FrameFate;
using plat::present::Verdict;
using plat::present::WaylandFeedback;

constexpr FrameFate On = FrameFate::OnTime;
constexpr FrameFate Held = FrameFate::Held;
constexpr FrameFate Drop = FrameFate::Dropped;
constexpr std::uint32_t kVsync = plat::present::kWaylandVsync;

struct Expect {
    FrameFate fate;
    std::uint64_t held;
    std::uint64_t refresh;
};

TEST(FrameAccountTest, X11Streams)
{
    struct Completion {
        std::uint64_t msc;
        CompletionMode mode;
    };
    struct Case {
        const char* what;
        std::vector<Completion> stream;
        std::vector<Expect> expected;
    };
    const Case cases[] = {
        { "steady", { { 100, CompletionMode::Copy }, { 101, CompletionMode::Copy }, { 102, CompletionMode::Flip } },
            { { On, 0, 100 }, { On, 0, 101 }, { On, 0, 102 } } },
        { "gap of two refreshes", { { 10, CompletionMode::Copy }, { 13, CompletionMode::Copy }, { 14, CompletionMode::Copy } },
            { { On, 0, 10 }, { Held, 2, 13 }, { On, 0, 14 } } },
        { "skip between shown frames", { { 10, CompletionMode::Copy }, { 11, CompletionMode::Skip }, { 11, CompletionMode::Copy } },
            { { On, 0, 10 }, { Drop, 0, 10 }, { On, 0, 11 } } },
        { "skip first", { { 7, CompletionMode::Skip }, { 8, CompletionMode::Copy } },
            { { Drop, 0, 7 }, { On, 0, 8 } } },
        { "same refresh twice", { { 5, CompletionMode::Copy }, { 5, CompletionMode::Copy }, { 6, CompletionMode::Copy } },
            { { On, 0, 5 }, { Drop, 0, 5 }, { On, 0, 6 } } },
        { "counter went back", { { 500, CompletionMode::Copy }, { 3, CompletionMode::Copy }, { 4, CompletionMode::SuboptimalCopy } },
            { { On, 0, 500 }, { On, 0, 3 }, { On, 0, 4 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plat::present::CounterFrameAccount account;
        ASSERT_EQ(c.stream.size(), c.expected.size());
        for (std::size_t i = 0; i < c.stream.size(); ++i) {
            const Verdict v = account.Add(c.stream[i].msc, c.stream[i].mode);
            EXPECT_EQ(v.fate, c.expected[i].fate) << "frame " << i;
            EXPECT_EQ(v.held, c.expected[i].held) << "frame " << i;
            EXPECT_EQ(v.refresh, c.expected[i].refresh) << "frame " << i;
        }
    }
}

TEST(FrameAccountTest, WaylandStreams)
{
    constexpr std::uint32_t P = 16'666'667;
    const auto shown = [](std::int64_t t, std::uint32_t refresh, std::uint64_t seq, std::uint32_t flags) {
        return WaylandFeedback { false, t, refresh, seq, flags };
    };
    const WaylandFeedback discarded { true, 0, 0, 0, 0 };
    struct Case {
        const char* what;
        std::vector<WaylandFeedback> stream;
        std::vector<Expect> expected;
    };
    const Case cases[] = {
        { "sequence with vsync", { shown(0, P, 50, kVsync), shown(P, P, 51, kVsync), shown(4 * P, P, 54, kVsync) },
            { { On, 0, 1 }, { On, 0, 2 }, { Held, 2, 5 } } },
        // Without the vsync flag the sequence is not a refresh count: time decides.
        { "sequence without vsync", { shown(0, P, 50, 0), shown(P, P, 90, 0), shown(3 * P + 3'000'000, P, 91, 0) },
            { { On, 0, 1 }, { On, 0, 2 }, { Held, 1, 4 } } },
        { "no sequence, time step rounds", { shown(0, P, 0, kVsync), shown(P + 7'000'000, P, 0, kVsync), shown(4 * P - 8'000'000, P, 0, kVsync) },
            { { On, 0, 1 }, { On, 0, 2 }, { Held, 1, 4 } } },
        // Times scattered by a timer-paced compositor: a late frame and an
        // early one just after it are still one refresh apart each.
        { "scattered times, one per refresh", { shown(0, P, 0, 0), shown(P + 7'000'000, P, 0, 0), shown(2 * P - 6'000'000, P, 0, 0), shown(3 * P, P, 0, 0) },
            { { On, 0, 1 }, { On, 0, 2 }, { On, 0, 3 }, { On, 0, 4 } } },
        { "discarded", { shown(0, P, 1, kVsync), discarded, shown(P, P, 2, kVsync) },
            { { On, 0, 1 }, { Drop, 0, 1 }, { On, 0, 2 } } },
        { "discarded first", { discarded, shown(5, P, 9, kVsync) },
            { { Drop, 0, 0 }, { On, 0, 1 } } },
        { "variable refresh", { shown(0, 0, 0, 0), shown(3 * P, 0, 0, 0), shown(3 * P + 1000, 0, 0, 0) },
            { { On, 0, 1 }, { On, 0, 2 }, { On, 0, 3 } } },
        { "same sequence twice", { shown(0, P, 8, kVsync), shown(100, P, 8, kVsync) },
            { { On, 0, 1 }, { Drop, 0, 1 } } },
        { "clock jumps back", { shown(10 * P, P, 0, 0), shown(2 * P, P, 0, 0), shown(3 * P, P, 0, 0) },
            { { On, 0, 1 }, { On, 0, 2 }, { On, 0, 3 } } },
        { "sequence goes back", { shown(0, P, 70, kVsync), shown(P, P, 2, kVsync), shown(2 * P, P, 3, kVsync) },
            { { On, 0, 1 }, { On, 0, 2 }, { On, 0, 3 } } },
        { "clock jumps ahead", { shown(0, P, 0, 0), shown(60 * P, P, 0, 0) },
            { { On, 0, 1 }, { Held, 59, 61 } } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        plat::present::WaylandFrameAccount account;
        ASSERT_EQ(c.stream.size(), c.expected.size());
        for (std::size_t i = 0; i < c.stream.size(); ++i) {
            const Verdict v = account.Add(c.stream[i]);
            EXPECT_EQ(v.fate, c.expected[i].fate) << "frame " << i;
            EXPECT_EQ(v.held, c.expected[i].held) << "frame " << i;
            EXPECT_EQ(v.refresh, c.expected[i].refresh) << "frame " << i;
        }
    }
}

TEST(FrameAccountTest, RefreshFit)
{
    struct Case {
        const char* what;
        double periodNs;
        double jitterNs;          // uniform, either side
        int skipEvery;            // every k-th refresh has no frame; 0: none
        std::int64_t jumpAtFrame; // the clock jumps 5 s ahead there; -1: never
        double expectedHz;
        double toleranceHz;
    };
    const Case cases[] = {
        { "60 Hz exact", 1e9 / 60, 0, 0, -1, 60.0, 1e-6 },
        { "144 Hz, 1 ms jitter", 1e9 / 144, 1e6, 0, -1, 144.0, 0.05 },
        { "59.94 Hz, gaps", 1e9 / 59.94, 5e5, 3, -1, 59.94, 0.02 },
        { "clock jumps, fit restarts", 1e9 / 75, 2e5, 0, 100, 75.0, 0.02 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::mt19937 random(7);
        std::uniform_real_distribution<double> jitter(-c.jitterNs, c.jitterNs);
        plat::present::RefreshFit fit;
        std::int64_t offset = 0;
        int frame = 0;
        for (std::uint64_t n = 1; n <= 600; ++n) {
            if (c.skipEvery && n % c.skipEvery == 0)
                continue;
            if (frame++ == c.jumpAtFrame)
                offset += 5'000'000'000;
            fit.Add(n, offset + std::llround(c.periodNs * n + jitter(random)));
        }
        ASSERT_TRUE(fit.RateHz());
        EXPECT_NEAR(*fit.RateHz(), c.expectedHz, c.toleranceHz);
    }
    plat::present::RefreshFit single;
    single.Add(1, 1000);
    EXPECT_FALSE(single.RateHz());
}

TEST(FrameAccountTest, LedgerCountsAndHealth)
{
    constexpr std::int64_t P = 10'000'000; // 100 Hz
    plat::present::FrameLedger ledger;
    ledger.Add({ On, 0, 1 }, P);
    ledger.Add({ On, 0, 2 }, 2 * P);
    ledger.Add({ Held, 2, 5 }, 5 * P);
    ledger.Add({ Drop, 0, 5 }, 5 * P + 1);
    ledger.Add({ On, 0, 6 }, 6 * P);
    EXPECT_EQ(ledger.Shown(), 4u);
    EXPECT_EQ(ledger.HeldFrames(), 1u);
    EXPECT_EQ(ledger.HeldRefreshes(), 2u);
    EXPECT_EQ(ledger.Dropped(), 1u);
    EXPECT_NEAR(ledger.MeanIntervalUs(), 50'000.0 / 3, 1e-6);
    EXPECT_NEAR(ledger.IntervalDeviationUs(), std::sqrt(((10e3 - 50e3 / 3) * (10e3 - 50e3 / 3) * 2 + (30e3 - 50e3 / 3) * (30e3 - 50e3 / 3)) / 2), 1e-3);
    ASSERT_TRUE(ledger.MeasuredHz());
    EXPECT_NEAR(*ledger.MeasuredHz(), 100.0, 1e-6);

    using plat::present::TimingHealth;
    struct Case {
        std::int64_t nowNs;
        TimingHealth health;
    };
    const Case cases[] = {
        { 5 * P + 999'999'999, TimingHealth::Dropped },
        { 5 * P + 1'000'000'001, TimingHealth::Held },
        { 5 * P + 2'000'000'000, TimingHealth::Settling },
        { 5 * P + 2'000'000'001, TimingHealth::Synced },
    };
    for (const Case& c : cases)
        EXPECT_EQ(ledger.Health(c.nowNs), c.health) << c.nowNs;
    plat::present::FrameLedger fresh;
    fresh.Add({ On, 0, 1 }, 0);
    EXPECT_EQ(fresh.Health(1'999'999'999), TimingHealth::Settling);
    EXPECT_EQ(fresh.Health(2'000'000'000), TimingHealth::Synced);
}

TEST(FrameAccountTest, NominalRates)
{
    using Kind = plat::present::NominalRate::Kind;
    struct Case {
        const char* what;
        plat::present::NominalRate rate;
        Kind kind;
        double hz;
    };
    const Case cases[] = {
        { "1080p60 mode line", plat::present::RateFromModeLine(148'500'000, 2200, 1125), Kind::Fixed, 60.0 },
        { "CVT 59.95", plat::present::RateFromModeLine(173'000'000, 2576, 1120), Kind::Fixed, 59.9628 },
        { "virtual mode without clock", plat::present::RateFromModeLine(0, 0, 0), Kind::Unknown, 0 },
        { "mHz", plat::present::RateFromMilliHertz(143'856), Kind::Fixed, 143.856 },
        { "no mHz", plat::present::RateFromMilliHertz(0), Kind::Unknown, 0 },
        { "period", plat::present::RateFromPeriodNs(16'666'667), Kind::Fixed, 59.999998 },
        { "period 0 varies", plat::present::RateFromPeriodNs(0), Kind::Variable, 0 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.rate.kind, c.kind);
        EXPECT_NEAR(c.rate.hz, c.hz, 1e-4);
    }
}

}
