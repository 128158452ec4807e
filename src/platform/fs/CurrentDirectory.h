#pragma once

// The process's current directory as a Windows path. It is process-wide:
// every thread sees the same one.

#include <string>
#include <string_view>

namespace plat {

// False when the folder does not exist or cannot be entered.
bool SetCurrentDirectory(std::string_view path);

// The current directory without a trailing backslash except for a drive's
// root ("Z:\home\u\lv", "Z:\"); empty when it no longer exists.
std::string GetCurrentDirectory();

}
