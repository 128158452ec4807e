#pragma once

// A file's times and attributes, read and written by Windows path.
//
// Attributes use the Windows bits. Only the read-only bit has a Linux
// counterpart: a file is read-only when its owner may not write it; making it
// read-only removes every write permission, clearing the bit gives the owner
// write permission back. Linux cannot set a creation time: it is read (the
// birth time where the file system keeps one, else the last-write time) and
// ignored when written.

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace plat {

constexpr std::uint32_t kFileAttributeReadOnly = 0x01;
constexpr std::uint32_t kFileAttributeDirectory = 0x10;
constexpr std::uint32_t kFileAttributeNormal = 0x80;

struct FileStatus {
    // Calendar times in seconds; 0 means "not known" and, when written,
    // "leave as it is".
    std::time_t creationTime = 0;
    std::time_t lastAccessTime = 0;
    std::time_t lastWriteTime = 0;
    std::uint64_t size = 0;
    std::uint32_t attributes = 0;
    std::string fullName; // Windows form
};

// False when the path does not exist or has no Linux counterpart.
bool GetFileStatus(std::string_view path, FileStatus& status);

// Sets the last-write and last-access times when the last-write time is not
// 0, then the attributes. Throws FileException on failure.
void SetFileStatus(std::string_view path, const FileStatus& status);

// False when the file does not exist or its permissions cannot be changed.
bool SetFileAttributes(std::string_view path, std::uint32_t attributes);

// Gives the file at `path` the permission bits of the file at `model`, so a
// file that replaces another stays as runnable as the one it replaces.
// False when either is missing or the bits cannot be changed.
bool CopyPermissions(std::string_view model, std::string_view path);

}
