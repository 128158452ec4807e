#include "platform/gfx/ImageList.h"

#include "platform/gfx/Bitmap.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Surface.h"

namespace plat {

bool ImageList::Create(int cx, int cy, unsigned, int initial, int)
{
    DeleteImageList();
    if (cx <= 0 || cy <= 0 || cx > Surface::kMaxSide || cy > Surface::kMaxSide)
        return false;
    cx_ = cx;
    cy_ = cy;
    if (initial > 0 && initial < 256) {
        pixels_.reserve(static_cast<std::size_t>(cx) * cy * initial);
        mask_.reserve(static_cast<std::size_t>(cx) * cy * initial);
    }
    return true;
}

int ImageList::AddMasked(const Bitmap& bitmap, COLORREF maskColor)
{
    const Surface* source = bitmap.Pixels();
    if (IsNull() || !source || source->Width() < cx_ || source->Height() < cy_)
        return -1;
    const std::uint32_t key = ToXrgb(maskColor);
    const int first = count_;
    for (int image = 0; image < source->Width() / cx_; ++image) {
        for (int y = 0; y < cy_; ++y) {
            const std::uint32_t* row = source->Row(y) + image * cx_;
            for (int x = 0; x < cx_; ++x) {
                pixels_.push_back(row[x]);
                mask_.push_back(row[x] != key ? 0xFFFFFFFF : 0);
            }
        }
        ++count_;
    }
    return first;
}

bool ImageList::Draw(DeviceContext& dc, int index, Point pt, unsigned) const
{
    if (index < 0 || index >= count_)
        return false;
    const std::size_t offset = static_cast<std::size_t>(index) * cx_ * cy_;
    return dc.DrawMaskedImage(pt.x, pt.y, pixels_.data() + offset, mask_.data() + offset, cx_, cy_);
}

bool ImageList::DeleteImageList()
{
    const bool had = !IsNull();
    pixels_.clear();
    mask_.clear();
    cx_ = 0;
    cy_ = 0;
    count_ = 0;
    return had;
}

}
