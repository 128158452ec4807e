#pragma once

// Constants of the drawing calls, with the values and names the program's
// Windows-shaped code passes.

#include <cstdint>

namespace plat {

// Pen styles.
constexpr int PS_SOLID = 0;
constexpr int PS_NULL = 5;

// Text background modes.
enum class BkMode {
    Transparent = 1,
    Opaque = 2,
};
constexpr BkMode TRANSPARENT = BkMode::Transparent;
constexpr BkMode OPAQUE = BkMode::Opaque;

// DrawText format bits.
constexpr unsigned DT_LEFT = 0;
constexpr unsigned DT_TOP = 0;
constexpr unsigned DT_CENTER = 1;
constexpr unsigned DT_RIGHT = 2;
constexpr unsigned DT_VCENTER = 4;
constexpr unsigned DT_BOTTOM = 8;
constexpr unsigned DT_SINGLELINE = 32;
constexpr unsigned DT_NOPREFIX = 0x800;

// Raster operation of BitBlt; the only one supported.
constexpr std::uint32_t SRCCOPY = 0x00CC0020;

// Returned by GetPixel/SetPixel for a point outside the drawable area.
constexpr std::uint32_t CLR_INVALID = 0xFFFFFFFF;

// CreateFont parameters.
constexpr int FW_DONTCARE = 0;
constexpr int FW_NORMAL = 400;
constexpr int FW_BOLD = 700;
constexpr unsigned char ANSI_CHARSET = 0;
constexpr unsigned char DEFAULT_CHARSET = 1;
constexpr unsigned char GB2312_CHARSET = 134;
constexpr unsigned char OUT_DEFAULT_PRECIS = 0;
constexpr unsigned char CLIP_DEFAULT_PRECIS = 0;
constexpr unsigned char DEFAULT_QUALITY = 0;
constexpr unsigned char DEFAULT_PITCH = 0;
constexpr unsigned char FIXED_PITCH = 1;
constexpr unsigned char FF_DONTCARE = 0x00;
constexpr unsigned char FF_SWISS = 0x20;

// Image lists.
constexpr unsigned ILC_MASK = 0x0001;
constexpr unsigned ILC_COLOR24 = 0x0018;
constexpr unsigned ILD_NORMAL = 0x0000;
constexpr unsigned ILD_TRANSPARENT = 0x0001;

// Icon sizes of the window system (large and small).
constexpr int kIconSize = 32;
constexpr int kSmallIconSize = 16;

}
