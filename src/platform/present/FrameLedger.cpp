#include "platform/present/FrameLedger.h"

#include <cmath>

namespace plat::present {

namespace {

constexpr std::int64_t kSettleNs = 2'000'000'000;
constexpr std::int64_t kHeldShownNs = 2'000'000'000;
constexpr std::int64_t kDropShownNs = 1'000'000'000;

}

void FrameLedger::Add(const Verdict& verdict, std::int64_t timeNs)
{
    if (!m_firstNs)
        m_firstNs = timeNs;
    if (verdict.fate == FrameFate::Dropped) {
        ++m_dropped;
        m_lastDropNs = timeNs;
        return;
    }
    ++m_shown;
    if (verdict.fate == FrameFate::Held) {
        ++m_heldFrames;
        m_heldRefreshes += verdict.held;
        m_lastHeldNs = timeNs;
    }
    if (m_lastShownNs && timeNs > *m_lastShownNs) {
        const double interval = static_cast<double>(timeNs - *m_lastShownNs) / 1000.0;
        ++m_intervals;
        const double delta = interval - m_mean;
        m_mean += delta / static_cast<double>(m_intervals);
        m_m2 += delta * (interval - m_mean);
    }
    m_lastShownNs = timeNs;
    m_fit.Add(verdict.refresh, timeNs);
}

double FrameLedger::MeanIntervalUs() const
{
    return m_intervals < 2 ? 0 : m_mean;
}

double FrameLedger::IntervalDeviationUs() const
{
    return m_intervals < 2 ? 0 : std::sqrt(m_m2 / static_cast<double>(m_intervals - 1));
}

TimingHealth FrameLedger::Health(std::int64_t nowNs) const
{
    if (m_lastDropNs && nowNs - *m_lastDropNs < kDropShownNs)
        return TimingHealth::Dropped;
    if (m_lastHeldNs && nowNs - *m_lastHeldNs < kHeldShownNs)
        return TimingHealth::Held;
    // Synced only after two seconds without a fault: the red of a drop
    // lasts one, the second still settles.
    if (!m_firstNs || nowNs - *m_firstNs < kSettleNs || (m_lastDropNs && nowNs - *m_lastDropNs < kSettleNs))
        return TimingHealth::Settling;
    return TimingHealth::Synced;
}

}
