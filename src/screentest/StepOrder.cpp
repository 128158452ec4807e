#include "screentest/StepOrder.h"

#include "screentest/TestModes.h"

namespace {

// Steps of each mode; 0 for a mode outside the table.
int StepCount(int mode)
{
    if (mode >= kModeBlockFill && mode <= kModeHLineGradient)
        return 8;
    if (mode == kModeDeadPixel)
        return 2;
    return 0;
}

}

int NextStep(int mode, int step)
{
    ++step;
    if (mode == kModeDeadPixel && step >= 2)
        step = 0;
    if (mode >= kModeBlockFill && mode <= kModeDotFillRight && step >= 8)
        step = 0;
    if ((mode == kModeVLineGradient || mode == kModeHLineGradient) && step >= 8)
        step = 0;
    return step;
}

int PreviousStep(int mode, int step)
{
    int count = StepCount(mode);
    if (count == 0)
        return step > 0 ? step - 1 : 0;
    // A step outside the table (only a caller can set one) goes to the last.
    if (step <= 0 || step > count)
        return count - 1;
    return step - 1;
}
