#pragma once

// CLOCK_MONOTONIC in nanoseconds: the clock X11 Present's ust and (on
// every compositor we know) presentation-time report in.

#include <cstdint>

namespace plat::present {

std::int64_t MonotonicNs();

}
