#pragma once

// Test helpers: a temporary folder removed at the end of the test, a drive
// letter mapped to a folder for the test's duration, and raw file access by
// Linux path.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace lvtest {

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string templ = (std::filesystem::temp_directory_path() / "lvtest-XXXXXX").string();
        if (::mkdtemp(templ.data()))
            m_path = templ;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Linux path of the folder or of `relative` inside it.
    std::string Native(const std::string& relative = {}) const
    {
        return relative.empty() ? m_path : m_path + "/" + relative;
    }

private:
    std::string m_path;
};

// Maps drive `letter` to `folder` while in scope, then restores the old value.
class DriveMapping {
public:
    DriveMapping(char letter, const std::string& folder)
        : m_name(std::string("LUMIVEX_DRIVE_") + letter)
    {
        if (const char* old = std::getenv(m_name.c_str()))
            m_old = old;
        ::setenv(m_name.c_str(), folder.c_str(), 1);
    }
    ~DriveMapping()
    {
        if (m_old)
            ::setenv(m_name.c_str(), m_old->c_str(), 1);
        else
            ::unsetenv(m_name.c_str());
    }
    DriveMapping(const DriveMapping&) = delete;
    DriveMapping& operator=(const DriveMapping&) = delete;

private:
    std::string m_name;
    std::optional<std::string> m_old;
};

inline void WriteNative(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReadNative(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

inline bool Exists(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

}
