#pragma once

// Translation between the program's Windows paths and Linux paths.
//
// Drive Z: is the Linux root ("Z:\home\u\lv\" <-> "/home/u/lv/"), whatever
// the environment says. Any other drive letter maps to the folder named by
// LUMIVEX_DRIVE_<LETTER> when that variable is set, and does not exist
// otherwise. Relative paths resolve against the current directory with '\'
// read as '/'. A path that starts with a single backslash names the root of
// drive Z:. UNC paths do not exist.

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

namespace plat {

// The Linux path for a Windows path; nullopt for an empty path, an unmapped
// drive, a UNC path, a path holding a NUL byte or a colon anywhere but after
// the drive letter, and a relative path while the process has left its
// current directory (LeaveCurrentDirectory).
std::optional<std::string> NativePath(std::string_view windowsPath);

// The Windows path for an absolute Linux path: the drive whose folder holds
// it most closely, else drive Z:. A relative Linux path keeps its form with
// '/' turned into '\'.
std::string WindowsPath(std::string_view nativePath);

// fopen() of a Windows path; nullptr when the path has no Linux counterpart
// or the file cannot be opened.
std::FILE* OpenFile(std::string_view windowsPath, const char* mode);

}
