// libFuzzer entry point: every input is written as an archive into a private
// folder and extracted. Whatever the input, the extraction must end without a
// crash, leak or hang, and never write outside that folder; and with the
// encryption flag set in all its headers it must fail.

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

// Extracts `bytes` as an archive; the result, after checking that any
// output lies inside the folder and removing it.
int Extract(const std::string& bytes)
{
    const std::string archive = Folder() + "/data_tmp.dat";
    std::FILE* file = std::fopen(archive.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);

    std::string extracted;
    int result = ExtractFirstEntry(plat::WindowsPath(archive), extracted);
    if (result != 0 && result != 1)
        std::abort();
    if (!extracted.empty()) {
        auto native = plat::NativePath(extracted);
        if (!native || native->rfind(Folder() + "/", 0) != 0)
            std::abort();
        std::error_code ignored;
        std::filesystem::remove(*native, ignored);
    }
    return result;
}

// The input with the encryption flag set in every local and central header.
std::string Encrypted(std::string bytes)
{
    for (std::size_t at = 0; at + 10 <= bytes.size(); ++at) {
        if (bytes.compare(at, 4, "PK\3\4") == 0)
            bytes[at + 6] = static_cast<char>(bytes[at + 6] | 1);
        else if (bytes.compare(at, 4, "PK\1\2") == 0)
            bytes[at + 8] = static_cast<char>(bytes[at + 8] | 1);
    }
    return bytes;
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    Extract(bytes);
    // An encrypted entry is never extracted as if it were plain.
    if (Extract(Encrypted(bytes)) != 1)
        std::abort();
    return 0;
}
