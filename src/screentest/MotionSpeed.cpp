#include "screentest/MotionSpeed.h"

#include "platform/ui/Messages.h"

double NextMotionSpeed(double speed, int direction)
{
    if (direction > 0) {
        for (double step : kMotionSpeeds)
            if (step > speed)
                return step;
        return kMotionSpeeds.back();
    }
    for (auto it = kMotionSpeeds.rbegin(); it != kMotionSpeeds.rend(); ++it)
        if (*it < speed)
            return *it;
    return kMotionSpeeds.front();
}

int SpeedDirection(unsigned key)
{
    if (key == plat::VK_OEM_PLUS || key == plat::VK_ADD)
        return 1;
    if (key == plat::VK_OEM_MINUS || key == plat::VK_SUBTRACT)
        return -1;
    return 0;
}
