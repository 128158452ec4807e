#pragma once

// The program's shared font table. Start-up creates slot 0, the 12-pixel
// 宋体 caption font of the owner-drawn widgets; no other slot is used.

#include "platform/gfx/Font.h"

inline constexpr int kFontSlots = 10;

extern plat::Font g_fonts[kFontSlots];
