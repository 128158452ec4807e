#pragma once

// The keyboard state as of the key message being handled.

namespace plat {

// Negative while `virtualKey` (VK_SHIFT, VK_CONTROL or VK_MENU) was held
// down with the key or character now being handled; 0 otherwise.
short GetKeyState(int virtualKey);

}
