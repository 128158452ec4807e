#pragma once

// A monitor's identity from its EDID: the 128-byte base block every monitor
// sends (extensions follow it in 128-byte blocks and are not read here).

#include <cstdint>
#include <span>
#include <string>

namespace plat {

enum class EdidResult {
    Ok,
    TooShort,    // fewer than the base block's 128 bytes
    TooLong,     // more than a base block and 255 extensions
    BadHeader,   // not the fixed 00 FF FF FF FF FF FF 00 pattern
    BadChecksum, // the base block's bytes do not add up to 0 modulo 256
};

struct EdidInfo {
    std::string maker; // three capital letters; empty when the id is not letters
    unsigned productCode = 0;
    std::uint32_t serialNumber = 0; // 0: not given
    int week = 0;                   // 1-54; 0 when not given (also for a model year)
    int year = 0;                   // of manufacture, or the model year
    bool modelYear = false;         // `year` is the model year, not the year made
    std::string name;               // monitor-name descriptor; empty when none
    std::string serialText;         // serial-string descriptor; empty when none
    int preferredWidth = 0;         // the first detailed timing's active pixels; 0 when none
    int preferredHeight = 0;
    // The picture's size: the first detailed timing's, else the base
    // block's whole centimetres; 0 when not given.
    int widthMm = 0;
    int heightMm = 0;
    int extensions = 0; // blocks the base block announces
};

// Parses the base block of `bytes`. The fields are set only for Ok. A blob
// that announces more extension blocks than it holds still has a sound base
// block: the identity is read from it.
EdidResult ParseEdid(std::span<const std::uint8_t> bytes, EdidInfo* info);

// Longest blob an EDID can be: the base block and 255 extensions.
inline constexpr std::size_t kEdidMaxBytes = 128 * 256;

}
