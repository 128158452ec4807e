#include "screentest/StepOrder.h"

#include "screentest/Patterns.h"

namespace {

// Steps of each mode; 0 for a mode outside the table.
int StepCount(int mode)
{
    const Pattern* pattern = FindPattern(mode);
    return pattern ? pattern->Steps() : 0;
}

}

int NextStep(int mode, int step)
{
    ++step;
    int count = StepCount(mode);
    if (count > 0 && step >= count)
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
