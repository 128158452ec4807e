#pragma once

// Folder and file operations on Windows paths (see PathMap.h for the
// translation). Each returns false when it fails, including for an empty
// path, a path with no Linux counterpart or a path holding a NUL byte.

#include <string_view>

namespace plat {

enum class IfTargetExists { Replace, Fail };

// Creates one folder; fails when it exists already or its parent is missing.
bool CreateDirectory(std::string_view path);

// Deletes one file; fails for a folder or a missing file.
bool DeleteFile(std::string_view path);

// Copies a regular file with its permission bits and modification time. The
// copy is written beside the target and renamed onto it when complete, so an
// interrupted copy never leaves a half-written target.
bool CopyFile(std::string_view from, std::string_view to, IfTargetExists mode);

// Deletes what copies to `path` that were cut off by a crash or a kill left
// beside it (their temporary files, once their writer no longer runs).
void DeleteAbandonedCopies(std::string_view path);

// Renames a file or folder; a file moves across file systems by copying.
bool MoveFile(std::string_view from, std::string_view to, IfTargetExists mode);

// Lets whoever may read the regular file also run it, then writes the file
// and its attributes to disk. Fails for a symbolic link or anything but a
// regular file.
bool SetExecutable(std::string_view path);

// Writes a folder's entries to disk, so that a rename inside it survives a
// power cut.
bool FlushFolder(std::string_view folder);

}
