#pragma once

// Carrying out a command line that asks for something other than the main
// window: a test pattern on its own, the pattern list, the usage or the
// version.

#include "app/CommandLine.h"

#include <string_view>

// Returns the process's exit code: 0 when done, 1 when no display could be
// opened, 2 for a command line in error (one line on standard error,
// nothing shown).
int RunCommandLine(const CommandLine& command, std::string_view program);
