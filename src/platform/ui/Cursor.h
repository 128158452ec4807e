#pragma once

// The mouse pointer's shape. Every mouse move starts from the arrow; the
// window under the pointer may ask for another while it handles the move,
// and only a change of shape reaches the window system. Over a window that
// asks for it (a test pattern) the pointer hides after a second without
// motion, so it covers no pixel a person inspects, and shows on any motion.

#include "platform/ui/Wnd.h"

namespace plat {

enum class CursorShape { Arrow,
    Hand };

void SetCursorShape(CursorShape shape);
// The shape shown now (also without a display, for tests).
CursorShape GetCursorShape();

// The pointer over top-level window `hwnd` hides when still; the pointer
// counts as over it from now on, until it moves elsewhere.
void HidePointerWhenStill(HWND hwnd);
// False while the pointer is hidden for being still.
bool PointerShown();

namespace cursor {

// Around the dispatch of one mouse move over top-level window `top`.
void BeginMove(HWND top);
void EndMove();
// Hides the pointer once it has been still long enough over a window that
// asked for it, and shows it when that window is gone; run by the loop.
void HideIfStill();

}

}
