#include "platform/ui/Keyboard.h"

#include "platform/ui/KeyCodes.h"
#include "platform/ui/Messages.h"

#include <SDL_keyboard.h>

namespace plat {

short GetKeyState(int virtualKey)
{
    Uint16 mask = 0;
    if (virtualKey == static_cast<int>(VK_SHIFT))
        mask = KMOD_SHIFT;
    else if (virtualKey == static_cast<int>(VK_CONTROL))
        mask = KMOD_CTRL;
    else if (virtualKey == static_cast<int>(VK_MENU))
        mask = KMOD_ALT;
    return (keys::Modifiers() & mask) ? static_cast<short>(-128) : 0;
}

}
