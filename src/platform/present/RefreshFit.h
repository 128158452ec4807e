#pragma once

// The display's real refresh rate: a least-squares line through the
// presentation times of shown frames against their refresh counts, over the
// last two seconds. Its slope is the refresh period; single late wake-ups
// move it little, where an average of intervals would follow them.

#include <cstdint>
#include <deque>
#include <optional>

namespace plat::present {

class RefreshFit {
public:
    static constexpr std::int64_t kWindowNs = 2'000'000'000;

    // A shown frame: its refresh count and presentation time. A count or a
    // time that does not move forward, or a time far off the line (a clock
    // that jumped), starts the fit again from this frame.
    void Add(std::uint64_t refresh, std::int64_t timeNs);
    void Clear() { m_points.clear(); }

    // Refreshes per second; nothing until two refreshes are known.
    std::optional<double> RateHz() const;

private:
    struct Point {
        std::uint64_t refresh;
        std::int64_t timeNs;
    };
    std::optional<double> PeriodNs() const;

    std::deque<Point> m_points;
};

}
