#pragma once

// The running account of a motion run: frames shown, held and dropped, the
// intervals between shown frames, the fitted refresh rate, and the state a
// chip shows: synced after two seconds without a fault, held (amber) for two
// seconds after a held frame, dropped (red) for one second after a drop,
// settling otherwise (the start, the second after a drop's red).

#include "platform/present/FrameAccount.h"
#include "platform/present/RefreshFit.h"

#include <cstdint>
#include <optional>

namespace plat::present {

enum class TimingHealth { Settling,
    Synced,
    Held,
    Dropped };

class FrameLedger {
public:
    // One frame's verdict and, for a shown frame, its presentation time.
    void Add(const Verdict& verdict, std::int64_t timeNs);
    void Restart() { *this = FrameLedger {}; }

    std::uint64_t Shown() const { return m_shown; }
    std::uint64_t HeldFrames() const { return m_heldFrames; }
    // Refreshes missed while frames were held.
    std::uint64_t HeldRefreshes() const { return m_heldRefreshes; }
    std::uint64_t Dropped() const { return m_dropped; }

    // Mean and standard deviation of the time between shown frames, in
    // microseconds; 0 before two intervals are known.
    double MeanIntervalUs() const;
    double IntervalDeviationUs() const;
    std::optional<double> MeasuredHz() const { return m_fit.RateHz(); }

    TimingHealth Health(std::int64_t nowNs) const;

private:
    RefreshFit m_fit;
    std::uint64_t m_shown = 0;
    std::uint64_t m_heldFrames = 0;
    std::uint64_t m_heldRefreshes = 0;
    std::uint64_t m_dropped = 0;
    std::optional<std::int64_t> m_firstNs;
    std::optional<std::int64_t> m_lastShownNs;
    std::optional<std::int64_t> m_lastHeldNs;
    std::optional<std::int64_t> m_lastDropNs;
    // Welford's running mean and sum of squared deviations of the intervals.
    std::uint64_t m_intervals = 0;
    double m_mean = 0;
    double m_m2 = 0;
};

}
