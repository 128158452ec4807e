#include "screentest/PatternHooks.h"

// A hook a pattern leaves out takes nothing and draws nothing.
bool PatternHooks::OnKey(PatternHost&, unsigned) { return false; }
bool PatternHooks::OnClick(PatternHost&) { return false; }
void PatternHooks::OnTimer(PatternHost&) { }
void PatternHooks::OnShow(PatternHost&) { }
void PatternHooks::DrawFrame(plat::DeviceContext&, const plat::Rect&, const motion::MotionFrame&,
    const motion::MotionFrame*, motion::MotionDamage&)
{
}
bool PatternHooks::DrawInstead(plat::DeviceContext&, const plat::Rect&) { return false; }
std::string_view PatternHooks::KeysRemark() const { return {}; }
void PatternHooks::DrawOver(plat::DeviceContext&, const plat::Rect&, const plat::Font&) { }
