#pragma once

// Checks a compiled message catalogue before the C library's gettext reads
// it: the library trusts the file's offsets, so a truncated or damaged file
// could make it read past the end of the mapped bytes.

#include <cstdint>
#include <span>

namespace plat {

// True when `bytes` is a whole catalogue of either byte order: known magic
// and revision 0, both string tables and every string (with the NUL after
// it) inside the bytes, and the hash table, when there is one, as well, of
// a prime size, with every entry naming a string and at least one empty.
bool IsSoundCatalogue(std::span<const std::uint8_t> bytes);

}
