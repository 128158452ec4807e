#include "widgets/CaptionFont.h"

namespace {

const plat::Font* g_boundFont = nullptr;

}

void BindCaptionFont(const plat::Font* font)
{
    g_boundFont = font;
}

const plat::Font& CaptionFont()
{
    static const plat::Font kNone;
    return g_boundFont ? *g_boundFont : kNone;
}
