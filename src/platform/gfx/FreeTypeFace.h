#pragma once

// Faces drawn with FreeType: bitmap strikes where the file has one of the
// size, else scaled outlines, rendered without smoothing and cached glyph by
// glyph for the life of the process.

#include "platform/gfx/FontFace.h"
#include "platform/gfx/FontMatch.h"

#include <memory>

namespace plat {

// The face in `file` at the pixel size (pixelWidth 0 keeps its own width);
// null when FreeType cannot start or the file does not load at that size.
// Callers hold the font lock.
std::shared_ptr<FontFace> OpenFreeTypeFace(const FaceFile& file, int pixelHeight, int pixelWidth, bool bold);

}
