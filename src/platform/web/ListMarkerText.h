#pragma once

// The text of an ordered list's marker: "3.", "c.", "iv." and so on.

#include <litehtml.h>

#include <string>

namespace plat::web {

// Types without a numbering of their own (and numbers a numbering cannot
// write, such as roman numerals from 4000) use decimal digits.
std::string ListMarkerText(litehtml::list_style_type type, int index);

}
