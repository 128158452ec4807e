// libFuzzer entry point: every input is written as an archive into a private
// folder and extracted. Whatever the input, the extraction must end without a
// crash, leak or hang, and never write outside that folder.

#include "platform/fs/PathMap.h"
#include "update/ExtractFirstEntry.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

std::string MakeFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "lv-fuzz-zip-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

const std::string& Folder()
{
    static const std::string folder = MakeFolder();
    // Registered after `folder` exists, so it runs before `folder` is destroyed.
    static const bool removedAtExit = [] {
        return std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(Folder(), ignored);
        }) == 0;
    }();
    (void)removedAtExit;
    return folder;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string archive = Folder() + "/data_tmp.dat";
    std::FILE* file = std::fopen(archive.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    std::string extracted;
    int result = ExtractFirstEntry(plat::WindowsPath(archive), extracted);
    if (result != 0 && result != 1)
        std::abort();
    if (!extracted.empty()) {
        auto native = plat::NativePath(extracted);
        if (!native || native->rfind(Folder() + "/", 0) != 0)
            std::abort();
        std::remove(native->c_str());
    }
    return 0;
}
