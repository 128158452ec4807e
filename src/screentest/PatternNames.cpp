#include "screentest/PatternNames.h"

#include "screentest/TestModes.h"

std::string PatternName(int mode)
{
    switch (mode) {
    case kModeDeadPixel: return "dead-pixel";
    case kModeBlockFill: return "block-fill";
    case kModeDotFillDown: return "dot-fill-down";
    case kModeDotFillRight: return "dot-fill-right";
    case kModeHLineFill: return "hline-fill";
    case kModeVLineFill: return "vline-fill";
    case kModeHLineGradient: return "hline-gradient";
    case kModeVLineGradient: return "vline-gradient";
    default: return {};
    }
}
