#pragma once

// Whether a file is a program this machine can run, judged from the file
// alone before it is trusted to replace one: a regular file (not a link, a
// folder or a device), not empty, not over a size limit, and an executable
// of this machine's kind whose every loaded part lies inside the file.

#include <cstdint>
#include <string_view>

namespace plat {

enum class ExecutableCheck {
    Ok,
    Missing,
    SymbolicLink,
    Folder,
    NotRegular, // a device, FIFO or socket
    Unreadable,
    Empty,
    TooLarge,
    NotExecutable, // not an executable file format this system runs
    OtherMachine,  // an executable built for another processor or word size
    Truncated,     // its headers point past the end of the file
};

ExecutableCheck CheckExecutable(std::string_view path, std::uint64_t maxSize);

}
