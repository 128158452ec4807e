#pragma once

// The popup that shows a menu: a borderless top-level window at a screen
// point, tracked in a nested loop until an item is chosen (its id is
// returned) or the popup is dismissed (0): Escape, or a click elsewhere.
// The keyboard: the letter after "&" in an item chooses it (shown
// underlined), Up and Down move the highlight over enabled items, wrapping,
// Enter chooses the highlighted item, Alt+F4 closes the menu and then the
// owner window.

#include "platform/ui/Menu.h"
#include "platform/ui/Wnd.h"

namespace plat {

struct WindowData;

unsigned TrackPopupMenu(const Menu& menu, Point screen, HWND owner);

// Layout of the open popup, for tests and the popup itself: the item's
// rectangle in the popup's client coordinates.
Rect PopupItemRect(const Menu& menu, int index);

namespace defproc {

// Opens the window menu of `top` at `screen` and sends the chosen command.
void TrackSystemMenu(WindowData& top, Point screen);

}

}
