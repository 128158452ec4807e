#pragma once

// The stuck-pixel flasher's course: once started, the colour changes red,
// green, blue, white, black and round again, at most 60 times a second
// whatever rate the timer ticks at, until stopped. Times are in
// milliseconds of any clock that only moves forward.

#include "platform/Types.h"

#include <array>

class CFlasher {
public:
    static constexpr int kMaxChangesPerSecond = 60;
    static constexpr std::array<plat::COLORREF, 5> kColors {
        plat::RGB(255, 0, 0),
        plat::RGB(0, 255, 0),
        plat::RGB(0, 0, 255),
        plat::RGB(255, 255, 255),
        plat::RGB(0, 0, 0),
    };

    bool IsFlashing() const { return m_bFlashing; }
    // Starts on the first colour.
    void Start(long now);
    void Stop() { m_bFlashing = false; }
    // A timer tick at `now`: true when the colour changed.
    bool Tick(long now);
    plat::COLORREF Color() const { return kColors[m_nColor]; }
    // The changes a second the last run achieved, from its start to its
    // last change; 0 before a run has changed colour.
    int AchievedPerSecond() const;

private:
    bool m_bFlashing = false;
    std::size_t m_nColor = 0;
    long m_nStart = 0;
    long m_nLastChange = 0;
    long m_nChanges = 0;
};
