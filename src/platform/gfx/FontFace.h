#pragma once

// Faces found through fontconfig and drawn with FreeType, one per family,
// file and pixel size, cached for the whole process with their glyphs.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace plat {

// One glyph as drawn: a mask placed relative to the pen position on the
// baseline, one word per pixel (all ones for ink, 0 elsewhere: drawing
// selects pixels with it, several at once).
struct Glyph {
    int left = 0; // from the pen position to the mask's first column
    int top = 0;  // from the baseline up to the mask's first row
    int width = 0;
    int rows = 0;
    int advance = 0; // pen movement to the next character
    std::vector<std::uint32_t> mask;
};

struct FaceMetrics {
    int ascent = 0;
    int descent = 0;
    int aveCharWidth = 0;
    int maxCharWidth = 0;
};

class FontFace {
public:
    virtual ~FontFace() = default;

    virtual const std::string& Family() const = 0;
    virtual int PixelSize() const = 0;
    virtual const FaceMetrics& Metrics() const = 0;
    // The glyph of a code point: the face's own, or its missing-glyph shape.
    // The reference stays valid for the life of the process.
    virtual const Glyph& GlyphFor(char32_t codePoint) = 0;
};

// Looks a face up by name: "宋体", "SimSun" and their kin through our alias
// list, any other name through fontconfig when it has that family; then the
// Song-style fall-backs. pixelWidth 0 keeps the face's own proportions; bold
// thickens every stroke by one pixel. Null when no face can be loaded; the
// process's first lookup runs on a thread of its own (so the font
// configuration loads while the display opens) and returns at once a face
// that waits for that result on first use and draws nothing if it failed.
std::shared_ptr<FontFace> FindFontFace(std::string_view name, int pixelHeight, int pixelWidth, bool bold);

// Makes the Song face draw Latin text from the first of `families` that
// fontconfig has (a proportional face, for an interface shown in a language
// written in Latin letters) and everything from U+2E80 on from the Song
// face. Call before the first font is made; never called, every face is
// the one named.
void PreferLatinFaces(std::vector<std::string> families);

// Everything CreateFont was given that drawing needs, with the face found.
struct FontData {
    std::shared_ptr<FontFace> face;
    bool underline = false;
    bool strikeOut = false;
};

// The default font of a context: 宋体 at 12 px (null when no face loads).
const std::shared_ptr<const FontData>& DefaultFontData();

}
