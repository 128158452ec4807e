#pragma once

// The speeds a moving pattern runs at, in pixels per second: doubling
// steps from 120 to 3,840, 960 unless chosen otherwise.

#include <array>

inline constexpr std::array<double, 6> kMotionSpeeds { 120, 240, 480, 960, 1920, 3840 };
inline constexpr double kDefaultMotionSpeed = 960;

// The step after `speed` in `direction` (+1 faster, -1 slower), held at the
// ends; a speed between steps goes to the next step that way.
double NextMotionSpeed(double speed, int direction);
// +1 for the keys that speed up (+ on either keyboard), -1 for those that
// slow down, 0 for any other key.
int SpeedDirection(unsigned key);
