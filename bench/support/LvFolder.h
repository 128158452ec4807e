#pragma once

// A fresh folder holding a copy of the lv.exe built beside the benchmark,
// so that its data\ folder is made there, with no update server answering.

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace benchsupport {

inline std::optional<std::filesystem::path> CopyLvToFreshFolder()
{
    std::error_code error;
    std::filesystem::path built = std::filesystem::canonical("/proc/self/exe", error).parent_path() / "lv.exe";
    if (error)
        return std::nullopt;
    std::string pattern = (std::filesystem::temp_directory_path() / "lv-bench-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return std::nullopt;
    std::filesystem::path folder = pattern;
    std::filesystem::copy_file(built, folder / "lv.exe", error);
    if (error) {
        std::filesystem::remove_all(folder, error);
        return std::nullopt;
    }
    setenv("LUMIVEX_UPDATE_SERVER", "http://127.0.0.1:1", 1);
    return folder;
}

}
