#pragma once

// An exclusive lock on a file, held until the object goes or the process
// ends. The system releases it when its holder dies, however it dies, so a
// lock file left behind by a killed process never blocks the next one.

#include <string_view>

namespace plat {

class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    enum class Result { Locked,
        Busy,
        Failed };

    // Takes the lock on the file at the Windows path without waiting,
    // creating the file when it is missing. Busy when another holder has it;
    // Failed when the file cannot be opened (a symbolic link, a folder, a
    // missing folder) or the call is repeated on a held lock.
    Result TryLock(std::string_view path);
    bool IsLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

}
