#pragma once

// A Song-style face whose Latin letters come from a proportional face: the
// Song faces' Latin letters are fixed-width, which reads badly in a
// language written in them.

#include "platform/gfx/FontFace.h"

#include <memory>

namespace plat {

// Draws every character below the CJK blocks (U+2E80) from `latin` and the
// rest from `cjk`; the name, size and line metrics are `cjk`'s, so text is
// laid out as with `cjk` alone.
std::shared_ptr<FontFace> CombineLatinAndCjk(std::shared_ptr<FontFace> latin, std::shared_ptr<FontFace> cjk);

}
