#pragma once

// The small part of the C runtime's number and format reading that the
// software bar's settings use, without its undefined behaviour on numbers
// that do not fit: a number keeps its value clamped to int and, separately,
// its low 32 bits, so colour components take the low 8 bits of any number.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

struct ScannedNumber {
    int value = 0;          // clamped to the int range
    std::uint32_t bits = 0; // the number modulo 2^32
};

// Reads a decimal number at `pos` after optional white space and a sign, as
// "%d" does; on success `pos` moves past it. False without a digit.
bool ReadNumber(std::string_view text, std::size_t& pos, ScannedNumber& out);

// The leading number of `text` as atoi reads it (0 when there is none),
// clamped to the int range.
int LeadingInt(std::string_view text);

struct ScanResult {
    int numbers = 0;       // numbers read before the scan stopped
    std::size_t end = 0;   // position in `text` where it stopped
    bool complete = false; // the whole format matched
};

// Matches `format` against `text` as sscanf would, for formats made of
// "%d" and literal bytes only: a literal must match exactly, white space is
// accepted only in front of a number. Numbers go to `out` in order; the scan
// stops at the first mismatch or when `out` is full.
ScanResult ScanFormat(std::string_view text, std::string_view format, std::span<ScannedNumber> out);

// The longest start of `text` of at most `maxBytes` bytes that does not
// split a UTF-8 character.
std::string_view CutAtCharacter(std::string_view text, std::size_t maxBytes);

// A "%s" word at `pos`: white space skipped, then the bytes up to the next
// white space, cut to at most `maxBytes` bytes at a UTF-8 character
// boundary. Empty when only white space is left.
std::string_view ReadWord(std::string_view text, std::size_t pos, std::size_t maxBytes);
