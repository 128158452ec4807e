#pragma once

// What a moving pattern's renderer draws: everything when the buffer's old
// contents are unknown, else only the rectangles where the frame it holds
// and the new frame differ. The renderers add the rectangles they change;
// the union is the damage handed to the presenter.

#include "platform/Types.h"

namespace motion {

class MotionDamage {
public:
    void Add(const plat::Rect& r);
    const plat::Rect& Bounds() const { return m_bounds; }

private:
    plat::Rect m_bounds;
};

}
