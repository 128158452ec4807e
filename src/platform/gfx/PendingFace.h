#pragma once

// The process's first font lookup runs on a thread of its own: it loads
// fontconfig's configuration, milliseconds the caller can spend on other
// work (a program opens its display meanwhile).

#include "platform/gfx/FontFace.h"

#include <functional>
#include <memory>

namespace plat {

// Runs `lookUp` under the font lock on a new thread and returns at once a
// face that waits for its result on first use and forwards to it; when the
// lookup finds nothing the face draws nothing. Null when no thread can start.
std::shared_ptr<FontFace> StartFontLookUp(std::function<std::shared_ptr<FontFace>()> lookUp, int pixelSize);

}
