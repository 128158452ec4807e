#pragma once

// The program's message box: a modal dialog with the text (CR LF or LF
// line breaks) and an OK button, titled with the application's name, owned
// by the active modal window.

#include "platform/ui/Wnd.h"

#include <string>
#include <string_view>

namespace plat {

constexpr unsigned MB_OK = 0x0000;
constexpr unsigned MB_ICONINFORMATION = 0x0040;

constexpr int IDYES = 6;

// IDOK when closed (by OK, Enter, Escape or the close box); -1 when it could not be shown.
int MessageBox(std::string_view text, unsigned type = MB_OK, Wnd* owner = nullptr);
// The same with a second button captioned `other` before OK, which stays
// the default: IDYES when that button is pressed.
int MessageBoxWithButton(std::string_view text, std::string_view other, Wnd* owner = nullptr);

// The executable's file name without its extension: "lv" for lv.exe.
std::string GetAppName();

}
