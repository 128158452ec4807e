#pragma once

// A downloaded page's bytes made into the UTF-8 text the layout engine
// reads: the character set named by the HTTP header, else by the page's own
// <meta>, else code page 936, the default of the pages this panel shows.

#include <string>
#include <string_view>

namespace plat::web {

// The charset parameter of a Content-Type value, lower case; empty when none.
std::string CharsetFromContentType(std::string_view contentType);

// The charset a <meta charset> or <meta http-equiv content="...; charset=">
// declares within the page's first 2048 bytes, lower case; empty when none.
std::string CharsetFromMeta(std::string_view html);

// The page as UTF-8. UTF-8 pages keep their text (bytes that are not UTF-8
// become U+FFFD); GBK, GB2312 and GB18030's two-byte part go through code
// page 936; ISO-8859-1 and windows-1252 map byte to character. Unknown
// charsets are read as UTF-8 when the bytes are valid UTF-8, else as code
// page 936.
std::string DecodePage(std::string_view bytes, std::string_view contentType);

// Bytes that are not UTF-8 replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);

}
