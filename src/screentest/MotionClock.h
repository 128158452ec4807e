#pragma once

// The refresh each frame of a motion run is drawn for, counted from the
// run's first frame (0). The display's reports say on which refresh each
// frame was shown; the next frame goes one refresh after the last one
// reported plus one for each frame still on its way. So a frame held or
// dropped moves every later frame on by the refreshes it cost: the motion
// jumps as a camera would see it, and never goes back.

#include "platform/present/FrameAccount.h"

#include <cstdint>
#include <optional>

class CMotionClock {
public:
    // The refresh to draw the next frame for.
    std::uint64_t Next() const;
    // That frame was presented.
    void Presented();
    // The display's verdict on the oldest frame not yet reported.
    void Reported(const plat::present::Verdict& verdict);
    // Frames presented that the display has not reported yet.
    std::uint64_t InFlight() const { return m_presented > m_reported ? m_presented - m_reported : 0; }

private:
    std::uint64_t m_presented = 0;
    std::uint64_t m_reported = 0;
    std::optional<std::uint64_t> m_lastDrawn;
    // The display's refresh of frame 0, and the run's count of the last
    // reported frame.
    std::optional<std::uint64_t> m_base;
    std::uint64_t m_lastShown = 0;
};
