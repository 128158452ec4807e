#include "screentest/Flasher.h"

void CFlasher::Start(long now)
{
    m_bFlashing = true;
    m_nColor = 0;
    m_nLastChange = now;
}

bool CFlasher::Tick(long now)
{
    // A change is due once 1/60 s has passed since the last one; ticks
    // that come sooner (or a clock that stalls) change nothing.
    if (!m_bFlashing || (now - m_nLastChange) * kMaxChangesPerSecond < 1000)
        return false;
    m_nLastChange = now;
    m_nColor = (m_nColor + 1) % kColors.size();
    return true;
}
