#pragma once

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes, and raw file access by Linux path. Paths come
// in both forms: Linux for checking, Windows for the code under test.

#include "platform/fs/PathMap.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace lvtest {

class TempFolder {
public:
    TempFolder()
        : TempFolder(std::filesystem::temp_directory_path())
    {
    }
    // Under `base` (another file system, say), named `prefix` and six random
    // characters. Native() is empty when no folder could be made.
    explicit TempFolder(const std::filesystem::path& base, const std::string& prefix = "lvtest-")
    {
        std::string pattern = (base / (prefix + "XXXXXX")).string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Linux path of the folder or of `relative` inside it.
    std::string Native(const std::string& relative = {}) const
    {
        return relative.empty() ? m_path : m_path + "/" + relative;
    }
    std::string Windows(const std::string& relative = {}) const { return plat::WindowsPath(Native(relative)); }

private:
    std::string m_path;
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
