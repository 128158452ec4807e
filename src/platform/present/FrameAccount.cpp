#include "platform/present/FrameAccount.h"

#include <algorithm>
#include <cmath>

namespace plat::present {

namespace {

// How far the refresh grid moves towards each frame's time.
constexpr double kGridPull = 0.1;

// A step of 0 means the frame completed on the refresh of the frame before:
// one of the two was replaced before any scan-out showed it.
Verdict FromStep(std::uint64_t step, std::uint64_t refresh)
{
    if (step == 0)
        return { FrameFate::Dropped, 0, refresh };
    if (step == 1)
        return { FrameFate::OnTime, 0, refresh };
    return { FrameFate::Held, step - 1, refresh };
}

}

Verdict CounterFrameAccount::Add(std::uint64_t msc, CompletionMode mode)
{
    if (mode == CompletionMode::Skip)
        return { FrameFate::Dropped, 0, m_lastMsc.value_or(msc) };
    const std::optional<std::uint64_t> last = m_lastMsc;
    m_lastMsc = msc;
    // The counter goes back when the window moves to another output's
    // counter: no step to judge by, so the frame counts as on time.
    if (!last || msc < *last)
        return { FrameFate::OnTime, 0, msc };
    return FromStep(msc - *last, msc);
}

Verdict WaylandFrameAccount::Add(const WaylandFeedback& feedback)
{
    if (feedback.discarded)
        return { FrameFate::Dropped, 0, m_refresh };
    if (!m_lastTimeNs || feedback.timeNs < *m_lastTimeNs)
        return Restart(feedback);
    const bool counted = (feedback.flags & kWaylandVsync) && feedback.sequence != 0 && m_lastSequence != 0;
    std::uint64_t step = 0;
    if (counted) {
        if (feedback.sequence < m_lastSequence)
            return Restart(feedback);
        step = feedback.sequence - m_lastSequence;
        m_gridNs = static_cast<double>(feedback.timeNs);
    } else if (feedback.refreshNs != 0) {
        const double periods = (static_cast<double>(feedback.timeNs) - m_gridNs) / feedback.refreshNs;
        step = static_cast<std::uint64_t>(std::max(0LL, std::llround(periods)));
        m_gridNs += static_cast<double>(step) * feedback.refreshNs;
        m_gridNs += (static_cast<double>(feedback.timeNs) - m_gridNs) * kGridPull;
    } else {
        // A varying rate has no refresh to miss: every shown frame is on time.
        step = 1;
        m_gridNs = static_cast<double>(feedback.timeNs);
    }
    m_lastTimeNs = feedback.timeNs;
    m_lastSequence = feedback.sequence;
    m_refresh += step;
    return FromStep(step, m_refresh);
}

Verdict WaylandFrameAccount::Restart(const WaylandFeedback& feedback)
{
    m_lastTimeNs = feedback.timeNs;
    m_gridNs = static_cast<double>(feedback.timeNs);
    m_lastSequence = feedback.sequence;
    ++m_refresh;
    return { FrameFate::OnTime, 0, m_refresh };
}

}
