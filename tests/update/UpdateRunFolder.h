#pragma once

// Helpers of the update stages' tests: a fresh executable folder with its
// data\ folder, made the current directory for the test and left again
// afterwards (the current directory is process-wide); expected logs in code
// page 936; single-entry stored zip archives.

#include "Md5Hex.h"

#include "platform/fs/CurrentDirectory.h"
#include "platform/fs/PathMap.h"
#include "platform/text/Cp936.h"
#include "support/TempFolder.h"

#include <zlib.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>

class UpdateRunFolder {
public:
    UpdateRunFolder()
    {
        m_previous = plat::GetCurrentDirectory();
        std::filesystem::create_directories(m_folder.Native("data"));
        plat::SetCurrentDirectory(Windows());
    }
    ~UpdateRunFolder()
    {
        plat::SetCurrentDirectory(m_previous);
    }
    UpdateRunFolder(const UpdateRunFolder&) = delete;
    UpdateRunFolder& operator=(const UpdateRunFolder&) = delete;

    // "a/b" under the folder; the folder itself ends in '/'.
    std::string Native(const std::string& relative = "") const { return m_folder.Native() + "/" + relative; }
    // The folder as the program names it: a Windows path ending in '\'.
    std::string Windows() const { return m_folder.Windows() + "\\"; }

    std::string Read(const std::string& relative) const { return lvtest::ReadNative(Native(relative)); }
    void Write(const std::string& relative, const std::string& bytes) const
    {
        std::filesystem::path path = Native(relative);
        std::filesystem::create_directories(path.parent_path());
        lvtest::WriteNative(path, bytes);
    }
    bool Exists(const std::string& relative) const { return std::filesystem::exists(Native(relative)); }

private:
    // Removed only after the destructor has left it as the current directory.
    lvtest::TempFolder m_folder;
    std::string m_previous;
};

// The log a stage writes: each line in code page 936 followed by CR LF.
inline std::string Cp936Log(std::initializer_list<std::string> lines)
{
    std::string utf8;
    for (const std::string& line : lines)
        utf8 += line + "\r\n";
    return plat::Utf8ToCp936(utf8).text;
}

inline std::string Cp936(const std::string& utf8)
{
    return plat::Utf8ToCp936(utf8).text;
}

// A zip archive holding one stored entry.
inline std::string StoredZip(const std::string& name, const std::string& data)
{
    auto u16 = [](std::string& out, std::uint32_t v) {
        out += static_cast<char>(v & 0xff);
        out += static_cast<char>((v >> 8) & 0xff);
    };
    auto u32 = [&](std::string& out, std::uint32_t v) {
        u16(out, v & 0xffff);
        u16(out, v >> 16);
    };
    const auto crc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
    const auto size = static_cast<std::uint32_t>(data.size());
    const std::uint32_t dosTime = (std::uint32_t(2020 - 1980) << 25) | (1u << 21) | (1u << 16);

    std::string zip;
    u32(zip, 0x04034b50);
    for (std::uint32_t v : { 20u, 0u, 0u })
        u16(zip, v);
    for (std::uint32_t v : { dosTime, crc, size, size })
        u32(zip, v);
    u16(zip, static_cast<std::uint32_t>(name.size()));
    u16(zip, 0);
    zip += name + data;

    const auto central = static_cast<std::uint32_t>(zip.size());
    u32(zip, 0x02014b50);
    for (std::uint32_t v : { 20u, 20u, 0u, 0u })
        u16(zip, v);
    for (std::uint32_t v : { dosTime, crc, size, size })
        u32(zip, v);
    for (std::uint32_t v : { static_cast<std::uint32_t>(name.size()), 0u, 0u, 0u, 0u })
        u16(zip, v);
    u32(zip, 0x20);
    u32(zip, 0);
    zip += name;
    const auto centralSize = static_cast<std::uint32_t>(zip.size()) - central;

    u32(zip, 0x06054b50);
    for (std::uint32_t v : { 0u, 0u, 1u, 1u })
        u16(zip, v);
    u32(zip, centralSize);
    u32(zip, central);
    u16(zip, 0);
    return zip;
}
