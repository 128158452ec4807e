#pragma once

// Internal: the window system's key codes against the program's virtual
// keys, both ways, and the modifiers of the key being handled.

#include <SDL_keycode.h>

namespace plat::keys {

// The virtual key of `key`; 0 for keys the program has no name for.
unsigned FromSdl(SDL_Keycode key);
// The key that gives `virtualKey`; SDLK_UNKNOWN when none does.
SDL_Keycode ToSdl(unsigned virtualKey);
// Records the modifiers (KMOD_*) held with the key or text now handled.
void SetModifiers(Uint16 modifiers);
// The modifiers recorded last.
Uint16 Modifiers();

}
