#pragma once

// The sentence the inspection's last screen and report.html give for a
// pixel fault class, in the language shown: what the class means against
// what makers promise.

#include "screentest/PixelFaultClass.h"

#include <optional>
#include <string>

// Nothing is a verdict not reached (pixel checks skipped or not made).
std::string VerdictSentence(std::optional<PixelFaultClass> faultClass);
