#pragma once

// Builds zip archives in memory, byte by byte, so that tests can state every
// field, including wrong ones.

#include <zlib.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Tests name only the fields a case changes, with designated initializers.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

struct ZipEntryParts {
    std::string name;
    std::string data;
    std::uint16_t method = 8;
    std::uint16_t flags = 0;
    // 2019-06-15 13:45:58
    std::uint32_t dosDateTime = (std::uint32_t((2019 - 1980) << 9 | 6 << 5 | 15) << 16) | (13 << 11 | 45 << 5 | 29);
    std::uint32_t externalAttributes = 0x20;
    // Bit 3: CRC and sizes are zero in the local header and follow the data.
    bool dataDescriptor = false;
    std::optional<std::uint32_t> crc;              // instead of the real CRC-32
    std::optional<std::uint16_t> localMethod;      // instead of `method`
    std::optional<std::string> compressed;         // instead of the real data
    std::optional<std::uint32_t> uncompressedSize; // instead of data.size()
};

struct ZipLayout {
    std::string prefix; // bytes in front; stored offsets do not count them
    std::string comment;
    std::string trailing; // bytes after the end record
    std::uint16_t disk = 0;
    std::uint16_t centralDisk = 0;
    std::optional<std::uint16_t> entriesOnDisk;
    std::optional<std::uint16_t> totalEntries;
};

inline std::string RawDeflate(const std::string& data)
{
    z_stream stream {};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, data.size()), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

inline void Put16(std::string& out, std::uint32_t v)
{
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

inline void Put32(std::string& out, std::uint32_t v)
{
    Put16(out, v & 0xffff);
    Put16(out, v >> 16);
}

inline std::string BuildZip(const std::vector<ZipEntryParts>& entries, const ZipLayout& layout = {})
{
    std::string body, central;
    for (const ZipEntryParts& e : entries) {
        std::uint32_t crc = e.crc.value_or(static_cast<std::uint32_t>(
            crc32(0, reinterpret_cast<const Bytef*>(e.data.data()), static_cast<uInt>(e.data.size()))));
        std::string stored = e.compressed ? *e.compressed : e.method == 8 ? RawDeflate(e.data)
                                                                          : e.data;
        std::uint32_t size = e.uncompressedSize.value_or(static_cast<std::uint32_t>(e.data.size()));
        std::uint16_t flags = e.flags | (e.dataDescriptor ? 8 : 0);
        std::uint32_t offset = static_cast<std::uint32_t>(body.size());

        Put32(body, 0x04034b50);
        Put16(body, 20);
        Put16(body, flags);
        Put16(body, e.localMethod.value_or(e.method));
        Put32(body, e.dosDateTime);
        Put32(body, e.dataDescriptor ? 0 : crc);
        Put32(body, e.dataDescriptor ? 0 : static_cast<std::uint32_t>(stored.size()));
        Put32(body, e.dataDescriptor ? 0 : size);
        Put16(body, static_cast<std::uint32_t>(e.name.size()));
        Put16(body, 0);
        body += e.name;
        body += stored;
        if (e.dataDescriptor) {
            Put32(body, 0x08074b50);
            Put32(body, crc);
            Put32(body, static_cast<std::uint32_t>(stored.size()));
            Put32(body, size);
        }

        Put32(central, 0x02014b50);
        Put16(central, 20);
        Put16(central, 20);
        Put16(central, flags);
        Put16(central, e.method);
        Put32(central, e.dosDateTime);
        Put32(central, crc);
        Put32(central, static_cast<std::uint32_t>(stored.size()));
        Put32(central, size);
        Put16(central, static_cast<std::uint32_t>(e.name.size()));
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put16(central, 0);
        Put32(central, e.externalAttributes);
        Put32(central, offset);
        central += e.name;
    }
    std::string zip = layout.prefix + body + central;
    auto count = static_cast<std::uint16_t>(entries.size());
    Put32(zip, 0x06054b50);
    Put16(zip, layout.disk);
    Put16(zip, layout.centralDisk);
    Put16(zip, layout.entriesOnDisk.value_or(count));
    Put16(zip, layout.totalEntries.value_or(count));
    Put32(zip, static_cast<std::uint32_t>(central.size()));
    Put32(zip, static_cast<std::uint32_t>(body.size()));
    Put16(zip, static_cast<std::uint32_t>(layout.comment.size() & 0xffff));
    zip += layout.comment;
    zip += layout.trailing;
    return zip;
}
