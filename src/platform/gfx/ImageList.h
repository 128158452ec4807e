#pragma once

// A list of equally sized images, each with a mask made from a key colour.

#include "platform/Types.h"

#include <cstdint>
#include <vector>

namespace plat {

class Bitmap;
class DeviceContext;

class ImageList {
public:
    ImageList() = default;

    // Images of cx x cy; flags ILC_COLOR24 | ILC_MASK. Initial and grow only
    // size the storage. Fails on a non-positive image size.
    bool Create(int cx, int cy, unsigned flags, int initial, int grow);
    // Cuts the bitmap into images of the list's width (left to right) and adds
    // them; pixels of maskColor become transparent. Returns the index of the
    // first image added, or -1 (list not created, null bitmap, or a bitmap
    // narrower or lower than one image).
    int AddMasked(const Bitmap& bitmap, COLORREF maskColor);
    // Draws image `index` with its top-left at pt; masked pixels are skipped
    // (ILD_TRANSPARENT or ILD_NORMAL alike: the list has no background colour).
    bool Draw(DeviceContext& dc, int index, Point pt, unsigned style) const;
    bool DeleteImageList();

    int GetImageCount() const { return m_count; }
    Size GetImageSize() const { return { m_cx, m_cy }; }
    bool IsNull() const { return m_cx == 0; }

private:
    // Pixels (0x00RRGGBB) and mask (all ones = drawn, 0 = not) of all
    // images, each cx*cy.
    std::vector<std::uint32_t> m_pixels;
    std::vector<std::uint32_t> m_mask;
    int m_cx = 0;
    int m_cy = 0;
    int m_count = 0;
};

}
