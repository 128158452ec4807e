#pragma once

#include <mutex>

namespace plat {

// FreeType faces are not thread-safe: every FreeType and fontconfig call,
// and every change to the font caches, happens under this lock.
std::mutex& FontMutex();

}
