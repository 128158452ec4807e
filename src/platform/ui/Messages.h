#pragma once

// Message numbers, notification codes and flags of the window framework,
// with the values the program's handlers compare against.

#include "platform/Types.h"

#include <cstdint>

namespace plat {

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

struct Message {
    unsigned id = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// Messages.
constexpr unsigned WM_NULL = 0x0000;
constexpr unsigned WM_DESTROY = 0x0002;
constexpr unsigned WM_PAINT = 0x000F;
constexpr unsigned WM_CLOSE = 0x0010;
constexpr unsigned WM_CANCELMODE = 0x001F;
constexpr unsigned WM_ERASEBKGND = 0x0014;
constexpr unsigned WM_DRAWITEM = 0x002B;
constexpr unsigned WM_QUERYDRAGICON = 0x0037;
constexpr unsigned WM_DISPLAYCHANGE = 0x007E;
constexpr unsigned WM_SETICON = 0x0080;
constexpr unsigned WM_KEYDOWN = 0x0100;
constexpr unsigned WM_KEYUP = 0x0101;
constexpr unsigned WM_CHAR = 0x0102;
constexpr unsigned WM_SYSKEYDOWN = 0x0104;
constexpr unsigned WM_SYSKEYUP = 0x0105;
constexpr unsigned WM_INITDIALOG = 0x0110;
constexpr unsigned WM_COMMAND = 0x0111;
constexpr unsigned WM_SYSCOMMAND = 0x0112;
constexpr unsigned WM_TIMER = 0x0113;
constexpr unsigned WM_CTLCOLOR = 0x0019;
constexpr unsigned WM_MOUSEMOVE = 0x0200;
constexpr unsigned WM_LBUTTONDOWN = 0x0201;
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_RBUTTONDOWN = 0x0204;
constexpr unsigned WM_RBUTTONUP = 0x0205;
constexpr unsigned WM_MBUTTONDOWN = 0x0207;
constexpr unsigned WM_MBUTTONUP = 0x0208;
// wParam: key flags in the low word, the wheel's turn in the high word
// (signed, 120 per notch, positive away from the user); lParam: the
// pointer in client coordinates, like the other mouse messages.
constexpr unsigned WM_MOUSEWHEEL = 0x020A;
constexpr int WHEEL_DELTA = 120;
constexpr unsigned WM_CAPTURECHANGED = 0x0215;
constexpr unsigned WM_ICONERASEBKGND = 0x0027;
constexpr unsigned WM_USER = 0x0400;

// Button notification carried in the high word of a command's wParam.
constexpr unsigned BN_CLICKED = 0;

// Standard command identifiers.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// System commands (WM_SYSCOMMAND wParam); compare after `& 0xFFF0`.
constexpr unsigned SC_MINIMIZE = 0xF020;
constexpr unsigned SC_CLOSE = 0xF060;
constexpr unsigned SC_KEYMENU = 0xF100;
constexpr unsigned SC_RESTORE = 0xF120;

// Mouse key state in wParam of mouse messages.
constexpr unsigned MK_LBUTTON = 0x0001;
constexpr unsigned MK_RBUTTON = 0x0002;
constexpr unsigned MK_MBUTTON = 0x0010;

// Virtual keys.
constexpr unsigned VK_BACK = 0x08;
constexpr unsigned VK_TAB = 0x09;
constexpr unsigned VK_RETURN = 0x0D;
constexpr unsigned VK_SHIFT = 0x10;
constexpr unsigned VK_CONTROL = 0x11;
constexpr unsigned VK_MENU = 0x12;
constexpr unsigned VK_ESCAPE = 0x1B;
constexpr unsigned VK_SPACE = 0x20;
constexpr unsigned VK_PRIOR = 0x21;
constexpr unsigned VK_NEXT = 0x22;
constexpr unsigned VK_END = 0x23;
constexpr unsigned VK_HOME = 0x24;
constexpr unsigned VK_LEFT = 0x25;
constexpr unsigned VK_UP = 0x26;
constexpr unsigned VK_RIGHT = 0x27;
constexpr unsigned VK_DOWN = 0x28;
constexpr unsigned VK_ADD = 0x6B; // the keypad's
constexpr unsigned VK_SUBTRACT = 0x6D;
constexpr unsigned VK_F1 = 0x70;
constexpr unsigned VK_F4 = 0x73;
constexpr unsigned VK_OEM_PLUS = 0xBB; // the main keyboard's = + key
constexpr unsigned VK_OEM_MINUS = 0xBD;

// Owner-draw item state bits.
constexpr unsigned ODS_SELECTED = 0x0001;
constexpr unsigned ODS_GRAYED = 0x0002;
constexpr unsigned ODS_DISABLED = 0x0004;
constexpr unsigned ODS_FOCUS = 0x0010;
constexpr unsigned ODS_NOFOCUSRECT = 0x0200;
constexpr unsigned ODA_DRAWENTIRE = 0x0001;
constexpr unsigned ODT_BUTTON = 4;

// Kinds passed to the control-colour handler.
constexpr unsigned CTLCOLOR_BTN = 3;
constexpr unsigned CTLCOLOR_DLG = 4;
constexpr unsigned CTLCOLOR_STATIC = 6;

// Check states.
constexpr int BST_UNCHECKED = 0;
constexpr int BST_CHECKED = 1;

// Menu flags.
constexpr unsigned MF_STRING = 0x0000;
constexpr unsigned MF_GRAYED = 0x0001;
constexpr unsigned MF_SEPARATOR = 0x0800;

// SetWindowPos flags.
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;
constexpr unsigned SWP_NOZORDER = 0x0004;
constexpr unsigned SWP_FRAMECHANGED = 0x0020;
constexpr unsigned SWP_SHOWWINDOW = 0x0040;

// Icon sizes for WM_SETICON / SetIcon.
constexpr int ICON_SMALL = 0;
constexpr int ICON_BIG = 1;

constexpr WPARAM MAKEWPARAM(unsigned lo, unsigned hi) { return (lo & 0xffff) | (static_cast<WPARAM>(hi & 0xffff) << 16); }
constexpr LPARAM MAKELPARAM(int lo, int hi)
{
    return static_cast<LPARAM>(static_cast<std::uint32_t>((lo & 0xffff) | ((hi & 0xffff) << 16)));
}
constexpr unsigned LOWORD(std::uintptr_t v) { return static_cast<unsigned>(v & 0xffff); }
constexpr unsigned HIWORD(std::uintptr_t v) { return static_cast<unsigned>((v >> 16) & 0xffff); }
constexpr int GET_WHEEL_DELTA_WPARAM(WPARAM w) { return static_cast<short>(HIWORD(w)); }
// Signed coordinates packed into a mouse message's lParam.
constexpr Point PointFromLParam(LPARAM l)
{
    return { static_cast<std::int16_t>(l & 0xffff), static_cast<std::int16_t>((l >> 16) & 0xffff) };
}

}
