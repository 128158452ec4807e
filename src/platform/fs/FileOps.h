#pragma once

// Folder and file operations on Windows paths (see PathMap.h for the
// translation). Each returns false when it fails, including for an empty
// path, a path with no Linux counterpart or a path holding a NUL byte.

#include <string_view>

namespace plat {

enum class IfTargetExists { Replace,
    Fail };

// Creates one folder; fails when it exists already or its parent is missing.
bool CreateDirectory(std::string_view path);

// Deletes one file; fails for a folder or a missing file.
bool DeleteFile(std::string_view path);

// Creates, inside `folder`, the folders that `relativeFile` names before its
// last component ("a\b\x.bin": a, then a\b), with either slash. A folder
// that exists must be a real one, not a link, so nothing is made or written
// through a link. False when one cannot be made or is not a folder.
bool CreateSubfolders(std::string_view folder, std::string_view relativeFile);

// Removes whatever stands at the name: a file, a link (never what it points
// to) or a folder with everything in it. True when nothing is left there.
bool RemoveTree(std::string_view path);

// Copies a regular file with its permission bits and modification time. The
// copy is written beside the target and renamed onto it when complete, so an
// interrupted copy never leaves a half-written target.
bool CopyFile(std::string_view from, std::string_view to, IfTargetExists mode);

// Deletes what copies to `path` that were cut off by a crash or a kill left
// beside it (their temporary files, once their writer no longer runs).
void DeleteAbandonedCopies(std::string_view path);

// The same for every target in `folder`: the temporary files that writers
// (CopyFile, whole-file writes) killed part-way left there, once their
// process no longer runs. Nothing else in the folder is touched.
void RemoveStaleStagedFiles(std::string_view folder);

// Renames a file or folder; a file moves across file systems by copying.
// A file's data is flushed to disk first, so that after a power cut the
// target holds the old file or the new one, never an empty one.
bool MoveFile(std::string_view from, std::string_view to, IfTargetExists mode);

// Lets whoever may read the regular file also run it, then writes the file
// and its attributes to disk. Fails for a symbolic link or anything but a
// regular file.
bool SetExecutable(std::string_view path);

// Writes a folder's entries to disk, so that a rename inside it survives a
// power cut.
bool FlushFolder(std::string_view folder);

}
