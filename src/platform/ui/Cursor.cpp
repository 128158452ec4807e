#include "platform/ui/Cursor.h"

#include "platform/ui/WindowData.h"

#include <SDL.h>

#include <algorithm>
#include <vector>

namespace plat {

namespace {

// User-interface thread only.
struct CursorState {
    CursorShape shown = CursorShape::Arrow;
    CursorShape requested = CursorShape::Arrow;
    bool inMove = false;
    SDL_Cursor* hand = nullptr;
    SDL_Cursor* arrow = nullptr;
    std::vector<HWND> hideWhenStill; // top-level windows that asked
    HWND over = 0;                   // the top-level window the pointer last moved over
    Uint64 lastMotion = 0;
    bool hidden = false;
};

// How long the pointer stays still before it hides.
constexpr Uint64 kStillMs = 1000;

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

void HidePointerWhenStill(HWND hwnd)
{
    CursorState& s = State();
    std::erase_if(s.hideWhenStill, [](HWND h) { return !windows::Find(h); });
    if (std::find(s.hideWhenStill.begin(), s.hideWhenStill.end(), hwnd) == s.hideWhenStill.end())
        s.hideWhenStill.push_back(hwnd);
    s.over = hwnd;
    s.lastMotion = SDL_GetTicks64();
}

bool PointerShown() { return !State().hidden; }

namespace {

void ShowPointer(bool show)
{
    CursorState& s = State();
    if (s.hidden == !show)
        return;
    s.hidden = !show;
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

}

namespace cursor {

void BeginMove(HWND top)
{
    State().over = top;
    State().lastMotion = SDL_GetTicks64();
    ShowPointer(true);
    State().inMove = true;
    State().requested = CursorShape::Arrow;
}

void EndMove()
{
    State().inMove = false;
    Show(State().requested);
}

void HideIfStill()
{
    CursorState& s = State();
    bool asked = s.over && windows::Find(s.over)
        && std::find(s.hideWhenStill.begin(), s.hideWhenStill.end(), s.over) != s.hideWhenStill.end();
    if (!asked) {
        ShowPointer(true);
        return;
    }
    if (!s.hidden && SDL_GetTicks64() - s.lastMotion >= kStillMs)
        ShowPointer(false);
}

}

}
