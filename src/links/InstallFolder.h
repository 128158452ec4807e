#pragma once

// Where a sibling program is installed, as its installer recorded it.

#include <string>
#include <string_view>

// The text value "path" of HKEY_LOCAL_MACHINE\software\brindle\<key>,
// opened with creation allowed (so a missing key is created, empty); empty
// text when the key cannot be opened or the value is missing or not text.
std::string InstalledFolder(std::string_view key);

// True when `path` (a Windows path) names a file, not a folder.
bool IsExistingFile(std::string_view path);
