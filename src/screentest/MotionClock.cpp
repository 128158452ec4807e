#include "screentest/MotionClock.h"

#include <algorithm>

std::uint64_t CMotionClock::Next() const
{
    if (!m_lastDrawn)
        return 0;
    const std::uint64_t predicted = m_base ? m_lastShown + InFlight() + 1 : m_presented;
    return std::max(*m_lastDrawn + 1, predicted);
}

void CMotionClock::Presented()
{
    m_lastDrawn = Next();
    ++m_presented;
}

void CMotionClock::Reported(const plat::present::Verdict& verdict)
{
    ++m_reported;
    if (!m_base) {
        m_base = verdict.refresh;
        m_lastShown = 0;
        return;
    }
    // A counter that went back (another output, a restarted clock) is
    // taken up from the last count reached.
    if (verdict.refresh < *m_base + m_lastShown)
        m_base = verdict.refresh - std::min(verdict.refresh, m_lastShown);
    m_lastShown = verdict.refresh - *m_base;
}
