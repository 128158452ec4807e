#pragma once

// A file's bytes read or written in one piece, unconverted.
//
// WriteWholeFile writes the bytes under a temporary name beside the file and
// renames it over the old one when complete; ReadWholeFile reads from one
// open descriptor. So a reader that meets a writer gets either the old bytes
// or the new ones, whole, and a crashed writer leaves the old file in place.

#include <string>
#include <string_view>

namespace plat {

// False (and `bytes` empty) when the path is not a readable regular file, a
// read fails, or the file does not fit in memory. A file that grows while it
// is read yields the length it had when opened.
bool ReadWholeFile(std::string_view path, std::string& bytes);

// Creates or replaces the file; false when it cannot be written, and then an
// existing file is left as it was.
bool WriteWholeFile(std::string_view path, std::string_view bytes);

}
