#pragma once

// The mouse pointer's shape. Every mouse move starts from the arrow; the
// window under the pointer may ask for another while it handles the move,
// and only a change of shape reaches the window system.

namespace plat {

enum class CursorShape { Arrow, Hand };

void SetCursorShape(CursorShape shape);
// The shape shown now (also without a display, for tests).
CursorShape GetCursorShape();

namespace cursor {

// Around the dispatch of one mouse move.
void BeginMove();
void EndMove();

}

}
