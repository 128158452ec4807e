#pragma once

// Starting a process that nobody waits for: it is re-parented to init at
// once, so it never becomes a zombie of ours.

#include <string>
#include <vector>

namespace plat {

// Runs the executable `path` with `args` (args[0] included) in `directory`
// (empty = the current directory). True when exec succeeded and, with
// `watchMs`, the program did not end with a failure status within that
// many milliseconds (an opener that found nothing to open with ends at
// once; one that started a viewer may run on, and is left to run).
bool SpawnDetached(const std::string& path, const std::vector<std::string>& args, const std::string& directory,
    int watchMs = 0);

// The first executable named `name` along $PATH; empty when there is none.
std::string FindInPath(const std::string& name);

}
