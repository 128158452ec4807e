#include "app/Fonts.h"

plat::Font g_fonts[kFontSlots];
