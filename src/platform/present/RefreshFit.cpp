#include "platform/present/RefreshFit.h"

#include <cmath>

namespace plat::present {

namespace {

// A point further than this many periods off the line is a clock jump.
constexpr double kJumpPeriods = 4.0;

}

void RefreshFit::Add(std::uint64_t refresh, std::int64_t timeNs)
{
    if (!m_points.empty()) {
        const Point& last = m_points.back();
        bool restart = refresh <= last.refresh || timeNs <= last.timeNs;
        if (!restart) {
            if (const std::optional<double> period = PeriodNs()) {
                const double predicted = static_cast<double>(last.timeNs) + *period * static_cast<double>(refresh - last.refresh);
                restart = std::abs(static_cast<double>(timeNs) - predicted) > kJumpPeriods * *period;
            }
        }
        if (restart)
            m_points.clear();
    }
    m_points.push_back({ refresh, timeNs });
    while (m_points.back().timeNs - m_points.front().timeNs > kWindowNs)
        m_points.pop_front();
}

std::optional<double> RefreshFit::PeriodNs() const
{
    if (m_points.size() < 2)
        return std::nullopt;
    // Centred sums, relative to the first point, keep doubles exact enough.
    const Point& base = m_points.front();
    double meanN = 0;
    double meanT = 0;
    for (const Point& p : m_points) {
        meanN += static_cast<double>(p.refresh - base.refresh);
        meanT += static_cast<double>(p.timeNs - base.timeNs);
    }
    meanN /= static_cast<double>(m_points.size());
    meanT /= static_cast<double>(m_points.size());
    double snn = 0;
    double snt = 0;
    for (const Point& p : m_points) {
        const double dn = static_cast<double>(p.refresh - base.refresh) - meanN;
        const double dt = static_cast<double>(p.timeNs - base.timeNs) - meanT;
        snn += dn * dn;
        snt += dn * dt;
    }
    if (snn <= 0 || snt <= 0)
        return std::nullopt;
    return snt / snn;
}

std::optional<double> RefreshFit::RateHz() const
{
    const std::optional<double> period = PeriodNs();
    if (!period)
        return std::nullopt;
    return 1e9 / *period;
}

}
