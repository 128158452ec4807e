#pragma once

#include <string>
#include <string_view>

namespace plat {

// The code points of UTF-8 text; each byte of a malformed sequence becomes U+FFFD.
std::u32string DecodeUtf8(std::string_view text);

}
