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
    m_cx = cx;
    m_cy = cy;
    if (initial > 0 && initial < 256) {
        m_pixels.reserve(static_cast<std::size_t>(cx) * cy * initial);
        m_mask.reserve(static_cast<std::size_t>(cx) * cy * initial);
    }
    return true;
}

int ImageList::AddMasked(const Bitmap& bitmap, COLORREF maskColor)
{
    const Surface* source = bitmap.Pixels();
    if (IsNull() || !source || source->Width() < m_cx || source->Height() < m_cy)
        return -1;
    const std::uint32_t key = ToXrgb(maskColor);
    const int first = m_count;
    for (int image = 0; image < source->Width() / m_cx; ++image) {
        for (int y = 0; y < m_cy; ++y) {
            const std::uint32_t* row = source->Row(y) + image * m_cx;
            for (int x = 0; x < m_cx; ++x) {
                m_pixels.push_back(row[x]);
                m_mask.push_back(row[x] != key ? 0xFFFFFFFF : 0);
            }
        }
        ++m_count;
    }
    return first;
}

bool ImageList::Draw(DeviceContext& dc, int index, Point pt, unsigned) const
{
    if (index < 0 || index >= m_count)
        return false;
    const std::size_t offset = static_cast<std::size_t>(index) * m_cx * m_cy;
    return dc.DrawMaskedImage(pt.x, pt.y, m_pixels.data() + offset, m_mask.data() + offset, m_cx, m_cy);
}

bool ImageList::DeleteImageList()
{
    const bool had = !IsNull();
    m_pixels.clear();
    m_mask.clear();
    m_cx = 0;
    m_cy = 0;
    m_count = 0;
    return had;
}

}
