#pragma once

// The moving patterns' renderers. Each draws frame `now` into `area` of a
// context. With `before` null the whole area is drawn; otherwise the area
// already shows frame `before` (a reused buffer's frame) and only what
// differs is drawn. The rectangle drawn is added to `damage`.
//
//   lanes       one object crossing three lanes at the same speed, drawn
//               every refresh, every second and every fourth: blur
//               against stutter
//   frame-skip  a row of boxes, box n mod length lit, the refresh printed
//   pursuit     a bar with a track of marks one refresh's travel apart
//               moving with it, its two rows swapping every refresh
//   ghosting    a white and a black bar over five greys (10-90 %)
//   vsync       a square turning red and cyan every refresh

#include "platform/Types.h"
#include "screentest/MotionDamage.h"
#include "screentest/MotionFrame.h"

namespace plat {
class DeviceContext;
}

namespace motion {

void DrawLanes(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage);
void DrawFrameSkip(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage);
void DrawPursuit(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage);
void DrawGhosting(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage);
void DrawVsync(plat::DeviceContext& dc, const plat::Rect& area, const MotionFrame& now, const MotionFrame* before, MotionDamage& damage);

}
