#include "screentest/MotionFrame.h"

#include <cmath>

namespace motion {

double Travel(const MotionFrame& f)
{
    if (!(f.rateHz > 0))
        return 0;
    return f.speed * static_cast<double>(f.refresh) / f.rateHz;
}

int WrappedLeft(const MotionFrame& f, int x0, int span)
{
    if (span <= 0)
        return x0;
    const double wrapped = std::fmod(Travel(f), static_cast<double>(span));
    return x0 + static_cast<int>(std::floor(wrapped < 0 ? wrapped + span : wrapped));
}

MotionFrame EveryNth(MotionFrame f, std::uint64_t every)
{
    if (every > 1)
        f.refresh -= f.refresh % every;
    return f;
}

}
