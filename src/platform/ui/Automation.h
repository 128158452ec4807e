#pragma once

// Driving windows from tests, checks and benchmarks (the library
// lv_platform_ui_automation, never linked into the program): input goes into
// the event loop's queue exactly as the window system's own events do, and
// pixels are read back from the back buffers. Everything here is queued; it
// happens when the loop runs (ProcessPendingMessages, or inside DoModal via
// PostTask).
//
//     plat::PostTask([&] { plat::automation::ClickControl(dlg, IDC_BLOCKFILL); });
//     dlg.DoModal();

#include "platform/Types.h"
#include "platform/ui/Wnd.h"

#include <cstdint>

namespace plat {
class Surface;
}

namespace plat::automation {

enum class MouseButton { Left,
    Right,
    Middle };
enum class Modifiers { None,
    Alt,
    Shift };

// Mouse input at `client` (client coordinates of `wnd`, which may be a
// control); it lands on whatever window is there, or on the capture.
void MouseMove(const Wnd& wnd, Point client);
void MouseDown(const Wnd& wnd, Point client, MouseButton button = MouseButton::Left);
void MouseUp(const Wnd& wnd, Point client, MouseButton button = MouseButton::Left);
void Click(const Wnd& wnd, Point client, MouseButton button = MouseButton::Left);
// The wheel turned by `notches` (positive: away from the user) with the pointer at `client`.
void MouseWheel(const Wnd& wnd, Point client, int notches);
// A left click in the middle of the dialog's control `id`.
bool ClickControl(const Wnd& dialog, int id);
// A key pressed and released on the top-level window of `wnd` (VK_RETURN,
// VK_ESCAPE, VK_SPACE, VK_TAB, the arrows, VK_HOME, VK_F1, 'A'..'Z', ...),
// or only pressed or only released.
void Key(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers = Modifiers::None);
void KeyDown(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers = Modifiers::None);
void KeyUp(const Wnd& wnd, unsigned virtualKey, Modifiers modifiers = Modifiers::None);
// A character typed on the top-level window of `wnd` (text input: '?' whatever keys make it).
void Char(const Wnd& wnd, char32_t character);
// The window system's notice that a monitor came or went.
void DisplayChange();
// The window system's close box, and its request to redraw a window.
void CloseBox(const Wnd& wnd);
void Expose(const Wnd& wnd);
// Where GetCursorPos says the cursor is (offscreen runs have no real pointer).
void SetCursorPos(Point screen);

// The back buffer of the top-level window of `wnd`, or null.
const Surface* BackBuffer(const Wnd& wnd);
// The pixel at `client` of `wnd` as 0x00RRGGBB (0 outside, or with no window).
std::uint32_t Pixel(const Wnd& wnd, Point client);
// The colour of that pixel in COLORREF order, for comparing with RGB().
COLORREF PixelColor(const Wnd& wnd, Point client);

// The window menu popup that is open now (null when none), and a point in
// the middle of its item `index`, in the popup's client coordinates.
Wnd* OpenMenuPopup();
Point MenuItemPoint(const Wnd& owner, int index);

// The control of `dialog` that has the keyboard focus, or null.
Wnd* FocusedControl(const Wnd& dialog);

// The innermost modal window running (a dialog or a message box), or null.
Wnd* ActiveModalWindow();

// Number of timers running, all windows together.
int RunningTimers();

}
