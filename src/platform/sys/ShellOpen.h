#pragma once

// The shell's "open" verb: start a program with a parameter text, or hand a
// web address or a document to the desktop's default handler (xdg-open).
// Nothing waits for what was started and no zombie process is left behind.

#include <string>
#include <string_view>

namespace plat {

// `file` is a Windows path or an address with a scheme ("http://...").
// An executable file is started detached with `parameters` split into its
// arguments, in `directory` (a Windows path; empty = the current directory).
// An address, a folder or any other file goes to xdg-open.
// Returns 0 when the program or the handler was started, 1 otherwise
// (no such file, a program file that cannot run here, no handler).
int ShellOpen(std::string_view file, std::string_view parameters = {}, std::string_view directory = {});

// Hands the file at the Linux path `nativePath` (absolute, as the folders of
// DocumentsFolder.h give it, no Windows path mapping) to xdg-open. 0 when
// the handler was started, 1 when there is none, it could not start, or it
// failed within a second (no program to open the file with).
int OpenNativeFile(const std::string& nativePath);

}
