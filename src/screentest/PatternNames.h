#pragma once

// The command-line name of the pattern a test mode draws ("block-fill");
// empty for a mode outside the table.

#include <string>

std::string PatternName(int mode);
