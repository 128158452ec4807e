#include "platform/ui/KeyCodes.h"

#include "platform/ui/Messages.h"

#include <SDL_keyboard.h>

namespace plat::keys {

namespace {

struct KeyPair {
    SDL_Keycode sdl;
    unsigned vk;
};

// Keypad Enter reads as Enter; the first entry for a virtual key is the one
// ToSdl gives.
constexpr KeyPair kKeys[] = {
    { SDLK_RETURN, VK_RETURN },
    { SDLK_KP_ENTER, VK_RETURN },
    { SDLK_ESCAPE, VK_ESCAPE },
    { SDLK_SPACE, VK_SPACE },
    { SDLK_BACKSPACE, VK_BACK },
    { SDLK_TAB, VK_TAB },
    { SDLK_PAGEUP, VK_PRIOR },
    { SDLK_PAGEDOWN, VK_NEXT },
    { SDLK_END, VK_END },
    { SDLK_HOME, VK_HOME },
    { SDLK_LEFT, VK_LEFT },
    { SDLK_UP, VK_UP },
    { SDLK_RIGHT, VK_RIGHT },
    { SDLK_DOWN, VK_DOWN },
    { SDLK_F1, VK_F1 },
    { SDLK_F4, VK_F4 },
    { SDLK_EQUALS, VK_OEM_PLUS },
    { SDLK_PLUS, VK_OEM_PLUS },
    { SDLK_MINUS, VK_OEM_MINUS },
    { SDLK_KP_PLUS, VK_ADD },
    { SDLK_KP_MINUS, VK_SUBTRACT },
};

Uint16 g_modifiers = KMOD_NONE; // UI thread only

}

unsigned FromSdl(SDL_Keycode key)
{
    for (const KeyPair& k : kKeys)
        if (k.sdl == key)
            return k.vk;
    if (key >= SDLK_a && key <= SDLK_z)
        return static_cast<unsigned>(key - SDLK_a + 'A');
    if (key >= SDLK_0 && key <= SDLK_9)
        return static_cast<unsigned>(key);
    return 0;
}

SDL_Keycode ToSdl(unsigned virtualKey)
{
    for (const KeyPair& k : kKeys)
        if (k.vk == virtualKey)
            return k.sdl;
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return static_cast<SDL_Keycode>(virtualKey - 'A' + SDLK_a);
    if (virtualKey >= '0' && virtualKey <= '9')
        return static_cast<SDL_Keycode>(virtualKey);
    return SDLK_UNKNOWN;
}

void SetModifiers(Uint16 modifiers) { g_modifiers = modifiers; }
Uint16 Modifiers() { return g_modifiers; }

}
