#pragma once

// Whether a relative path that a file list or an archive names stays inside
// the folder it is taken against, before anything is made or written there.

#include <string_view>

namespace plat {

// True when `path` names something inside the folder it is relative to: not
// empty, not starting with '\' or '/', no colon anywhere (a drive letter or
// what follows one), no NUL byte, no ".." component, and some component
// other than "." (the folder itself is not inside it). Both '\' and '/'
// separate components; empty ones count for nothing.
bool IsPathInsideFolder(std::string_view path);

}
