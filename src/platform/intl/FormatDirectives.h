#pragma once

// The printf conversions of a text, so that a translation is used as a
// format only when it asks for the same arguments as the original.

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Each conversion ("%s", "%-5.2f", "%lu"; "%%" is not one) in order, as
// written. A '%' that starts no complete conversion is listed as "%" alone,
// so it never matches a real one.
std::vector<std::string> FormatDirectives(std::string_view text);

}
