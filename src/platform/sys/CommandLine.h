#pragma once

// Splitting of a parameter text into arguments, the way programs started
// with a command line on the program's home platform split theirs.

#include <string>
#include <string_view>
#include <vector>

namespace plat {

// Blanks (space, tab) separate arguments. Double quotes group blanks into an
// argument and are removed; 2n backslashes before a quote give n backslashes
// and an active quote, 2n+1 give n backslashes and a literal quote; other
// backslashes are literal.
std::vector<std::string> SplitCommandLine(std::string_view text);

// The parameter text that SplitCommandLine reads back as exactly one
// argument, `arg`, whatever blanks, quotes and backslashes it holds.
std::string QuoteArgument(std::string_view arg);

}
