#include "platform/display/Edid.h"

#include <algorithm>
#include <array>

namespace plat {

namespace {

constexpr std::size_t kBlock = 128;
constexpr std::array<std::uint8_t, 8> kHeader { 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00 };
constexpr std::size_t kDescriptors[] = { 54, 72, 90, 108 };
constexpr std::uint8_t kTagSerialText = 0xFF;
constexpr std::uint8_t kTagName = 0xFC;

// Three letters in five bits each, 1 for 'A', big-endian.
std::string MakerId(std::uint8_t high, std::uint8_t low)
{
    unsigned packed = (static_cast<unsigned>(high) << 8) | low;
    std::string id;
    for (int shift : { 10, 5, 0 }) {
        unsigned letter = (packed >> shift) & 0x1F;
        if (letter < 1 || letter > 26)
            return {};
        id += static_cast<char>('A' + letter - 1);
    }
    return id;
}

// A descriptor's 13 text bytes: up to a line feed, trailing spaces dropped;
// anything but printable ASCII becomes '?' so the text is safe to show.
std::string DescriptorText(const std::uint8_t* text)
{
    std::string out;
    for (std::size_t i = 0; i < 13 && text[i] != 0x0A; ++i)
        out += (text[i] >= 0x20 && text[i] < 0x7F) ? static_cast<char>(text[i]) : '?';
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

void ReadDescriptors(const std::uint8_t* block, EdidInfo* info)
{
    for (std::size_t offset : kDescriptors) {
        const std::uint8_t* d = block + offset;
        bool timing = d[0] != 0 || d[1] != 0;
        if (timing) {
            if (info->preferredWidth == 0) {
                info->preferredWidth = d[2] | ((d[4] & 0xF0) << 4);
                info->preferredHeight = d[5] | ((d[7] & 0xF0) << 4);
                info->widthMm = d[12] | ((d[14] & 0xF0) << 4);
                info->heightMm = d[13] | ((d[14] & 0x0F) << 8);
            }
            continue;
        }
        if (d[2] != 0)
            continue;
        if (d[3] == kTagName && info->name.empty())
            info->name = DescriptorText(d + 5);
        else if (d[3] == kTagSerialText && info->serialText.empty())
            info->serialText = DescriptorText(d + 5);
    }
}

}

EdidResult ParseEdid(std::span<const std::uint8_t> bytes, EdidInfo* info)
{
    if (bytes.size() < kBlock)
        return EdidResult::TooShort;
    if (bytes.size() > kEdidMaxBytes)
        return EdidResult::TooLong;
    const std::uint8_t* block = bytes.data();
    if (!std::equal(kHeader.begin(), kHeader.end(), block))
        return EdidResult::BadHeader;
    unsigned sum = 0;
    for (std::size_t i = 0; i < kBlock; ++i)
        sum += block[i];
    if (sum % 256 != 0)
        return EdidResult::BadChecksum;

    EdidInfo parsed;
    parsed.maker = MakerId(block[8], block[9]);
    parsed.productCode = block[10] | (block[11] << 8);
    parsed.serialNumber = static_cast<std::uint32_t>(block[12]) | (static_cast<std::uint32_t>(block[13]) << 8)
        | (static_cast<std::uint32_t>(block[14]) << 16) | (static_cast<std::uint32_t>(block[15]) << 24);
    // Week 0xFF marks the year as a model year; weeks past 54 do not exist.
    parsed.modelYear = block[16] == 0xFF;
    parsed.week = block[16] <= 54 ? block[16] : 0;
    parsed.year = 1990 + block[17];
    parsed.extensions = block[126];
    ReadDescriptors(block, &parsed);
    // The base block gives the size in whole centimetres; one of them 0
    // makes the other an aspect ratio (a projector), which is no size.
    if ((parsed.widthMm == 0 || parsed.heightMm == 0) && block[21] != 0 && block[22] != 0) {
        parsed.widthMm = block[21] * 10;
        parsed.heightMm = block[22] * 10;
    }
    *info = std::move(parsed);
    return EdidResult::Ok;
}

}
