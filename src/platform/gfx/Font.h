#pragma once

// A font made from the CreateFont parameters. The face name goes through our
// alias list and fontconfig: "宋体" and "SimSun" become AR PL UMing CN (its
// crisp bitmap strikes at 12 and 16 px), then WenQuanYi Bitmap Song, then
// WenQuanYi Zen Hei. Copies share one font, like copies of a handle.

#include "platform/gfx/GdiObject.h"

#include <string>
#include <string_view>

namespace plat {

struct FontData; // defined in FontFace.h

class Font : public GdiObject<Font, FontData> {
public:
    Font() = default;

    // The parameters of the Windows call, in its order. Height > 0 is the cell
    // height, < 0 the character height, 0 the default (12 px); the faces we
    // map to have no internal leading, so both give the pixel size. Width 0
    // keeps the face's own width. Weight >= 600 draws bold. Escapement,
    // orientation, precisions, quality and pitch-and-family do not change the
    // look. False (and a null font) when no face at all can be loaded.
    bool CreateFont(int height, int width, int escapement, int orientation, int weight,
        unsigned char italic, unsigned char underline, unsigned char strikeOut, unsigned char charSet,
        unsigned char outPrecision, unsigned char clipPrecision, unsigned char quality,
        unsigned char pitchAndFamily, std::string_view faceName);

    // The family actually drawn (e.g. "AR PL UMing CN") and its pixel size.
    std::string FamilyName() const;
    int PixelSize() const;
};

}
