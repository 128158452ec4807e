#pragma once

// A new folder of files for a person to keep (a report), made and written
// by Linux path, never through the Windows path mapping: the folders a
// person's settings name (DocumentsFolder.h) may hold '\' or ':' like any
// Linux name. Each failure keeps the path and the system's reason.

#include <string>
#include <string_view>
#include <vector>

namespace plat {

class NewFolder {
public:
    // Inside the existing folder `base` (never made here), makes the
    // missing folders of `sub` ("a/b"), then a new folder `name`, or
    // "name-2", "name-3", ... when that is taken.
    NewFolder(const std::string& base, std::string_view sub, std::string_view name);

    bool IsMade() const { return !m_path.empty(); }
    // Writes the whole file `fileName` inside under a temporary name,
    // renamed when complete.
    bool Write(std::string_view fileName, std::string_view bytes);
    // Removes what Write made and the folder, after a write failed.
    void Discard();

    // The folder with a trailing '/', once made.
    const std::string& Path() const { return m_path; }
    // What failed last and the system's reason ("No space left on device").
    const std::string& FailedPath() const { return m_failedPath; }
    const std::string& Reason() const { return m_reason; }

private:
    bool Make(const std::string& base, std::string_view sub, std::string_view name);
    bool Fail(std::string path, int error);

    std::string m_path;
    std::vector<std::string> m_written;
    std::string m_failedPath;
    std::string m_reason;
};

}
