#pragma once

// Resources embedded in the executable at build time, found by kind and
// number. Each file res/<kind>/<number>.<ext> of the source tree becomes one
// resource holding the file's bytes unchanged.

#include <cstdint>
#include <span>

namespace plat::res {

enum class Kind {
    Bitmap, // res/bitmap/<n>.bmp: 24-bit Windows bitmap files
    Icon,   // res/icon/<n>.bmp: the window icon, a 32-bit bitmap with alpha
    Dialog, // res/dialog/<n>.dlg: dialog templates
    String, // res/string/<n>.txt: UTF-8 text without a final line break
};

// The resource's bytes; an empty span when there is no such resource.
std::span<const std::uint8_t> Find(Kind kind, int id);

}
