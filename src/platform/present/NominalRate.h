#pragma once

// The refresh rate the output claims, for showing beside the measured one.

#include <cstdint>

namespace plat::present {

struct NominalRate {
    enum class Kind { Unknown,
        Fixed,
        Variable };
    Kind kind = Kind::Unknown;
    double hz = 0; // Fixed only
};

// An X video mode: pixel clock in Hz over the whole frame's pixels (a
// virtual server's modes have no clock: Unknown).
NominalRate RateFromModeLine(std::uint32_t dotClockHz, std::uint32_t hTotal, std::uint32_t vTotal);
// A Wayland output's current mode, in millihertz (0: not told).
NominalRate RateFromMilliHertz(std::int32_t milliHertz);
// A presentation-time refresh period in ns; 0 means the rate varies.
NominalRate RateFromPeriodNs(std::uint32_t periodNs);

}
