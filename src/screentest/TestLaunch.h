#pragma once

// What a launcher asks of the test window when it makes one: the pattern,
// the title of its information lines, whether to show them, the monitor
// and the step to start on.

#include "screentest/MotionSpeed.h"
#include "screentest/Patterns.h"

#include <string>

struct TestLaunch {
    const Pattern* pattern = nullptr;   // null draws nothing
    std::string title = {};             // the launching button's caption, line feed included
    int showInfo = 0;                   // 1: the information lines after each step
    int monitor = 0;                    // 0 is the primary screen; another only when it is there
    int step = 0;                       // the step the test starts on
    double speed = kDefaultMotionSpeed; // px/s of the moving patterns
};
