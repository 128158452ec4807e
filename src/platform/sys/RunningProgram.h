#pragma once

// Whether some process is running a given executable file, asked of the
// system's process table rather than of process names, which anyone can
// choose and which other copies of the program share.

#include <string_view>

namespace plat {

// True when a process other than this one runs the file at the Windows path
// (by the file itself, so also through a link or after the file was
// replaced under its name). Processes of other users that this one may not
// inspect are not seen.
bool IsProgramRunning(std::string_view path);

}
