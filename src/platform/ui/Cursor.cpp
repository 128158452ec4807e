#include "platform/ui/Cursor.h"

#include <SDL.h>

namespace plat {

namespace {

// User-interface thread only.
struct CursorState {
    CursorShape shown = CursorShape::Arrow;
    CursorShape requested = CursorShape::Arrow;
    bool inMove = false;
    SDL_Cursor* hand = nullptr;
    SDL_Cursor* arrow = nullptr;
};

CursorState& State()
{
    static CursorState state;
    return state;
}

void Show(CursorShape shape)
{
    CursorState& s = State();
    if (shape == s.shown)
        return;
    s.shown = shape;
    SDL_Cursor*& made = shape == CursorShape::Hand ? s.hand : s.arrow;
    if (!made)
        made = SDL_CreateSystemCursor(shape == CursorShape::Hand ? SDL_SYSTEM_CURSOR_HAND : SDL_SYSTEM_CURSOR_ARROW);
    // Drivers without a pointer make no cursor; the shape is still recorded.
    if (made)
        SDL_SetCursor(made);
}

}

void SetCursorShape(CursorShape shape)
{
    CursorState& s = State();
    s.requested = shape;
    if (!s.inMove)
        Show(shape);
}

CursorShape GetCursorShape() { return State().shown; }

namespace cursor {

void BeginMove()
{
    State().inMove = true;
    State().requested = CursorShape::Arrow;
}

void EndMove()
{
    State().inMove = false;
    Show(State().requested);
}

}

}
