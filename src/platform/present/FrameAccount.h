#pragma once

// What became of each presented frame, from what the window system reports
// about it: shown on the refresh after the previous one, held (the previous
// frame stayed up some extra refreshes first), or dropped (never shown).
// Also the running refresh count each shown frame belongs to, which the
// refresh-rate fit and the motion take as their time axis.

#include <cstdint>
#include <optional>

namespace plat::present {

enum class FrameFate { OnTime,
    Held,
    Dropped };

struct Verdict {
    FrameFate fate = FrameFate::OnTime;
    // Extra refreshes the previous frame stayed up (Held only).
    std::uint64_t held = 0;
    // The refresh the frame was shown on; for a dropped frame the last
    // refresh known.
    std::uint64_t refresh = 0;
};

// How a frame was completed: X11 Present's modes (the fallback's frames
// are all copies).
enum class CompletionMode { Copy,
    Flip,
    Skip,
    SuboptimalCopy };

// A refresh counter per completed frame: X11 Present's msc, or the
// fallback's count estimated from the clock.
class CounterFrameAccount {
public:
    Verdict Add(std::uint64_t msc, CompletionMode mode);

private:
    std::optional<std::uint64_t> m_lastMsc;
};

// Wayland presentation-time: one `presented` or `discarded` event.
struct WaylandFeedback {
    bool discarded = false;
    std::int64_t timeNs = 0;
    std::uint32_t refreshNs = 0; // 0: the output's rate varies
    std::uint64_t sequence = 0;  // 0 when the compositor keeps no counter
    std::uint32_t flags = 0;
};
inline constexpr std::uint32_t kWaylandVsync = 0x1;

class WaylandFrameAccount {
public:
    Verdict Add(const WaylandFeedback& feedback);

private:
    // A frame whose refresh step is unknown (the first one, or after the
    // clock or the counter went back) starts the count afresh.
    Verdict Restart(const WaylandFeedback& feedback);

    std::optional<std::int64_t> m_lastTimeNs;
    // Without a refresh counter the refresh of a frame is read off a grid
    // of refresh times, pulled a little towards each frame's time: a timer-
    // paced compositor's times scatter by a third of a period, and steps
    // measured from frame to frame would then miscount.
    double m_gridNs = 0;
    std::uint64_t m_lastSequence = 0;
    std::uint64_t m_refresh = 0;
};

}
