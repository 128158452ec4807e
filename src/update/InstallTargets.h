#pragma once

// Where the update may install files: the rules both stages apply to a
// listed target before anything is requested or created for it.

#include <string>
#include <string_view>

// True when a first-list path names a file inside the executable's folder:
// not empty, not absolute, no drive or other colon, no ".." component.
bool IsPathInsideFolder(std::string_view path);

// True when a second-list target, after its folders were substituted, lies
// inside `exeFolder` or `programFiles` (both ending in a backslash) with no
// ".." component after the folder.
bool IsAllowedDestination(std::string_view target, std::string_view exeFolder, std::string_view programFiles);

// Where a second-list target leads: one without a drive or a leading
// backslash is relative to the update's working folder, `exeFolder`, and is
// returned joined to it; any other comes back as it is.
std::string LocateDestination(std::string_view target, std::string_view exeFolder);

// True when a path relative to the executable's folder is, or lies under,
// one of the update's own working names: the download, the unpack folder,
// the two logs and the debug log, and the updater's lock and log. Installing there would break every later update.
bool IsUpdateWorkingName(std::string_view relativePath);

// The path of `target` relative to `folder` when it lies inside it, else
// empty. The drive letter compares in either case, the rest exactly.
std::string_view RelativeToFolder(std::string_view target, std::string_view folder);
