#pragma once

// What a motion run measured: the counts of its frames, the refresh rate
// measured and claimed, how evenly the frames came and where their times
// came from. The end-of-test line, the defect report and the inspection's
// record take it from CTestWnd::Motion().

#include "platform/present/Presenter.h"

#include <cstdint>
#include <optional>

struct MotionReading {
    std::uint64_t frames = 0; // shown, the held ones included
    std::uint64_t held = 0;   // shown after the frame before stayed up longer
    std::uint64_t dropped = 0;
    std::optional<double> measuredHz; // nothing until the fit has enough frames
    bool variable = false;            // the output's refresh varies (no period)
    double nominalHz = 0;             // 0 when the output does not say
    double deviationUs = 0;           // standard deviation of the intervals
    plat::present::TimingSource source = plat::present::TimingSource::Estimated;
};
