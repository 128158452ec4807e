#include "screentest/Flasher.h"

void CFlasher::Start(long now)
{
    m_bFlashing = true;
    m_nColor = 0;
    m_nStart = now;
    m_nLastChange = now;
    m_nChanges = 0;
}

bool CFlasher::Tick(long now)
{
    // A change is due once 1/60 s has passed since the last one; ticks
    // that come sooner (or a clock that stalls) change nothing.
    if (!m_bFlashing || (now - m_nLastChange) * kMaxChangesPerSecond < 1000)
        return false;
    m_nLastChange = now;
    m_nColor = (m_nColor + 1) % kColors.size();
    ++m_nChanges;
    return true;
}

int CFlasher::AchievedPerSecond() const
{
    const long span = m_nLastChange - m_nStart;
    return span > 0 ? static_cast<int>(m_nChanges * 1000 / span) : 0;
}
