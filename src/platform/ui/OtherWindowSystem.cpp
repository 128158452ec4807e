#include "platform/ui/OtherWindowSystem.h"

#include "platform/ui/NativeWindow.h"

#include <SDL.h>

namespace plat {

std::optional<SDL_Event> OtherWindowSystem::Translate(const SDL_Event& event) { return event; }

std::uint32_t OtherWindowSystem::WindowFlags(bool, bool menu) { return menu ? SDL_WINDOW_POPUP_MENU : 0; }

void OtherWindowSystem::Destroy(SDL_Window* window) { SDL_DestroyWindow(window); }

void OtherWindowSystem::ShowAgain(NativeWindow& native, bool) { native.MarkDirty(native.BackBuffer().Bounds()); }

}
