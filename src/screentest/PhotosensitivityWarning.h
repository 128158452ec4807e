#pragma once

// The warning shown before a pattern that changes colour rapidly (the
// flasher, the vsync square): large lines, each centred, the block centred
// below the information lines, white on black. The first line is always
// the caution itself; the pattern adds how to start and leave it.

#include "platform/Types.h"
#include "platform/gfx/DeviceContext.h"
#include "platform/gfx/Font.h"

#include <span>
#include <string>

class CPhotosensitivityWarning {
public:
    // The caution, then `lines` (translated), over `client`.
    void Draw(plat::DeviceContext& dc, const plat::Rect& client, std::span<const std::string> lines);

private:
    plat::Font m_font; // made when first drawn
};
