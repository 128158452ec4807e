#include "screentest/StepOrder.h"

#include "screentest/Patterns.h"

int NextStep(const Pattern* pattern, int step)
{
    ++step;
    int count = pattern ? pattern->Steps() : 0;
    if (count > 0 && step >= count)
        step = 0;
    return step;
}

int PreviousStep(const Pattern* pattern, int step)
{
    int count = pattern ? pattern->Steps() : 0;
    if (count == 0)
        return step > 0 ? step - 1 : 0;
    // A step outside the table (only a launcher can ask for one) goes to the last.
    if (step <= 0 || step > count)
        return count - 1;
    return step - 1;
}
