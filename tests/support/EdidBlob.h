#pragma once

// EDID base blocks built from the published layout, with a correct
// checksum, for the parser's table and for fake DRM folders.

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>
#include <vector>

namespace lvtest {

using Blob = std::vector<std::uint8_t>;

// A base block with the given fields and a correct checksum.
struct BlobFields {
    std::string maker = "ABC";
    unsigned product = 0x1234;
    std::uint32_t serial = 0x01020304;
    std::uint8_t week = 12;
    std::uint8_t year = 29; // 2019
    int width = 1920;
    int height = 1080;
    int widthMm = 527; // in the detailed timing
    int heightMm = 296;
    std::uint8_t widthCm = 53; // in the base block
    std::uint8_t heightCm = 30;
    std::string name = "LV Monitor";
    std::string serialText = "SN-42";
    std::uint8_t extensions = 0;
};

inline void PutText(Blob& b, std::size_t at, std::uint8_t tag, const std::string& text)
{
    b[at + 3] = tag;
    for (std::size_t i = 0; i < 13; ++i)
        b[at + 5 + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : (i == text.size() ? 0x0A : 0x20);
}

inline void FixChecksum(Blob& b)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < 127; ++i)
        sum += b[i];
    b[127] = static_cast<std::uint8_t>((256 - sum % 256) % 256);
}

inline Blob MakeBlob(const BlobFields& f)
{
    Blob b(128, 0);
    const std::uint8_t header[] = { 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00 };
    std::copy(std::begin(header), std::end(header), b.begin());
    unsigned id = ((f.maker[0] - 'A' + 1u) << 10) | ((f.maker[1] - 'A' + 1u) << 5) | (f.maker[2] - 'A' + 1u);
    b[8] = static_cast<std::uint8_t>(id >> 8);
    b[9] = static_cast<std::uint8_t>(id);
    b[10] = static_cast<std::uint8_t>(f.product);
    b[11] = static_cast<std::uint8_t>(f.product >> 8);
    for (int i = 0; i < 4; ++i)
        b[12 + i] = static_cast<std::uint8_t>(f.serial >> (8 * i));
    b[16] = f.week;
    b[17] = f.year;
    b[18] = 1;
    b[19] = 4;
    b[21] = f.widthCm;
    b[22] = f.heightCm;
    // Detailed timing 1: a non-zero pixel clock, then the active sizes
    // split into low bytes and high nibbles.
    b[54] = 0x02;
    b[55] = 0x3A;
    b[56] = static_cast<std::uint8_t>(f.width);
    b[58] = static_cast<std::uint8_t>((f.width >> 8) << 4);
    b[59] = static_cast<std::uint8_t>(f.height);
    b[61] = static_cast<std::uint8_t>((f.height >> 8) << 4);
    b[66] = static_cast<std::uint8_t>(f.widthMm);
    b[67] = static_cast<std::uint8_t>(f.heightMm);
    b[68] = static_cast<std::uint8_t>(((f.widthMm >> 8) << 4) | ((f.heightMm >> 8) & 0x0F));
    PutText(b, 72, 0xFC, f.name);
    PutText(b, 90, 0xFF, f.serialText);
    PutText(b, 108, 0xFE, "ignored text");
    b[126] = f.extensions;
    FixChecksum(b);
    return b;
}

inline std::string BlobBytes(const Blob& b) { return std::string(b.begin(), b.end()); }

}
