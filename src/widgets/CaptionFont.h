#pragma once

// The 12-pixel 宋体 caption font the owner-drawn widgets select for their
// text. The application owns the font (slot 0 of its font table) and binds
// it here once at start-up, after creating it:
//
//     BindCaptionFont(&g_fonts[0]);
//
// The widgets only select it; they never create or delete it. While nothing
// is bound (tests, or a font that could not be created) they draw in the
// context's default font, which is the same 12-pixel 宋体.

#include "platform/gfx/Font.h"

// `font` must outlive every widget drawing; null unbinds.
void BindCaptionFont(const plat::Font* font);
// The bound font, or a null font (selecting a null font changes nothing).
const plat::Font& CaptionFont();
