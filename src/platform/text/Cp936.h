#pragma once

// Conversion between the program's UTF-8 strings and code page 936 (GBK, as
// the platform the program comes from defines it), used where files in that
// code page are read or written. A conversion either succeeds whole or says
// where and why it stopped; it never truncates silently, and a NUL byte is
// converted like any other character.

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

enum class ConversionStatus {
    Ok,
    InvalidInput, // bytes that are not code page 936 (or not UTF-8), also a truncated character at the end
    Unmappable,   // a valid character that the target encoding lacks
    Failed,       // the converter is not available or memory ran out
};

struct ConversionResult {
    ConversionStatus status = ConversionStatus::Failed;
    std::string text;            // the whole converted text when status is Ok, else empty
    std::size_t errorOffset = 0; // input offset of the first offending byte
    std::size_t replaced = 0;    // stand-ins written under BadInput::Replace

    bool Ok() const { return status == ConversionStatus::Ok; }
};

// What to do with input that cannot be converted. Replace goes on with a
// stand-in and counts the replacements: U+FFFD for each byte that is not
// code page 936; '?' for each byte that is not UTF-8 and for each character
// that code page 936 lacks, as the platform's own conversion does.
enum class BadInput { Fail,
    Replace };

ConversionResult Cp936ToUtf8(std::string_view cp936, BadInput bad = BadInput::Fail);
ConversionResult Utf8ToCp936(std::string_view utf8, BadInput bad = BadInput::Fail);

}
