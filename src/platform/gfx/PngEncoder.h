#pragma once

// A picture saved as PNG: 8-bit RGB, not interlaced, every row unfiltered
// and the whole compressed with zlib.

#include "platform/gfx/Surface.h"

#include <string>

namespace plat {

// The PNG file of `surface`'s pixels; false (and `png` empty) for an empty
// surface or when compression fails.
bool EncodePng(const Surface& surface, std::string* png);

}
