#pragma once

// The texts that show a motion run's figures: the chip's state word, the
// figures themselves ("帧 1234, 保持 0, ...", translated as one format) and
// the line printed when a motion test ends, which other programs parse:
// frames, held, dropped, measured and nominal rate, deviation, source.

#include "platform/present/FrameLedger.h"
#include "screentest/MotionReading.h"

#include <string>
#include <string_view>

// "测量中", "同步", "保持", "丢弃", translated.
std::string HealthWord(plat::present::TimingHealth health);
// "垂直同步", "合成器时钟", "估计", translated.
std::string SourceWord(plat::present::TimingSource source);
// The figures in one translated sentence; a measured rate not yet known
// is "-", a variable refresh "可变".
std::string MotionFigures(const MotionReading& reading);
// "运动: " and the figures: the line a --test motion run prints at its end.
std::string MotionLine(const MotionReading& reading);
