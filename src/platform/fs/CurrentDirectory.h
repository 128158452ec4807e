#pragma once

// The process's current directory as a Windows path. It is process-wide:
// every thread sees the same one.

#include <string>
#include <string_view>

namespace plat {

// False when the folder does not exist or cannot be entered.
bool SetCurrentDirectory(std::string_view path);

// The current directory without a trailing backslash except for a drive's
// root ("Z:\home\u\lv", "Z:\"); empty when it no longer exists or after
// LeaveCurrentDirectory.
std::string GetCurrentDirectory();

// Leaves the process without a current directory: from then on a relative
// path names nothing, so every file operation on one fails, until
// SetCurrentDirectory enters a folder. For a process whose own folder has no
// Windows name: its relative paths must not reach the folder it was started
// from.
void LeaveCurrentDirectory();

// False after LeaveCurrentDirectory until a folder is entered.
bool HasCurrentDirectory();

}
