#pragma once

#include <string_view>

namespace plat {

// True when `name` matches `pattern`: '*' stands for any run of characters,
// '?' for exactly one (a whole UTF-8 sequence), ASCII letters match either
// case and every other byte only itself. "*.*" matches every name, also one
// without a dot, as the program expects of a file search.
bool MatchWildcard(std::string_view pattern, std::string_view name);

bool HasWildcard(std::string_view pattern);

}
