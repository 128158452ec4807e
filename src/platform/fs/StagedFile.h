#pragma once

// A file written under a temporary name beside its target and renamed onto
// the target only when complete, so that a reader sees the old file or the
// new one, never a half-written one. Internal to the fs library.

#include "platform/fs/FileOps.h"

#include <string>
#include <string_view>
#include <sys/types.h>

namespace plat {

class StagedFile {
public:
    // Creates the temporary file beside `nativeTarget` with `mode` (the
    // process's umask applies).
    StagedFile(std::string nativeTarget, mode_t mode);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Descriptor() const { return m_fd; }
    bool Write(std::string_view bytes);
    // Flushes the data and renames the temporary file onto the target.
    bool Commit(IfTargetExists mode);

    // Deletes the temporary files of writes to `nativeTarget` whose writer
    // died before it could commit or clean up (its process no longer runs).
    // The number of files deleted.
    static int DeleteAbandoned(const std::string& nativeTarget);

private:
    std::string m_target;
    std::string m_temp;
    int m_fd = -1;
    bool m_failed = false;
};

}
