#include "screentest/MotionDamage.h"

#include <algorithm>

namespace motion {

void MotionDamage::Add(const plat::Rect& r)
{
    if (r.IsEmpty())
        return;
    if (m_bounds.IsEmpty()) {
        m_bounds = r;
        return;
    }
    m_bounds = { std::min(m_bounds.left, r.left), std::min(m_bounds.top, r.top), std::max(m_bounds.right, r.right),
        std::max(m_bounds.bottom, r.bottom) };
}

}
