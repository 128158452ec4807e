#include "screentest/PatternHooks.h"

// A hook a pattern leaves out takes nothing and draws nothing.
bool PatternHooks::OnKey(PatternHost&, unsigned) { return false; }
bool PatternHooks::OnClick(PatternHost&) { return false; }
void PatternHooks::OnTimer(PatternHost&) { }
void PatternHooks::OnShow(PatternHost&) { }
void PatternHooks::OnFrame(PatternHost&, std::uint64_t) { }
bool PatternHooks::DrawInstead(plat::DeviceContext&, const plat::Rect&) { return false; }
std::string_view PatternHooks::KeysRemark() const { return {}; }
void PatternHooks::DrawOver(plat::DeviceContext&, const plat::Rect&, const plat::Font&) { }
