#pragma once

// The program's string table (res/string/<n>.txt).

#include <string>

namespace plat {

// The string resource `id`; empty when there is none.
std::string LoadString(int id);
// The same, MFC-style: false (and `text` emptied) when there is none.
bool LoadString(std::string& text, int id);

}
