// libFuzzer entry: any bytes as a message catalogue. The check never reads
// outside the bytes, and a catalogue it accepts can be searched the way
// gettext searches it: every string and hash entry inside the bytes, and
// every hash walk ending within the table's size.

#include "platform/intl/MoCatalogue.h"

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

struct Catalogue {
    const std::uint8_t* data;
    std::size_t size;
    bool swapped;

    std::uint32_t At(std::size_t offset) const
    {
        if (offset > size || size - offset < 4)
            std::abort();
        std::uint32_t v = 0;
        std::memcpy(&v, data + offset, 4);
        return swapped ? __builtin_bswap32(v) : v;
    }
    std::string_view Original(std::uint32_t i) const
    {
        std::uint32_t table = At(12);
        std::uint32_t length = At(table + 8 * i);
        std::uint32_t offset = At(table + 8 * i + 4);
        if (offset > size || length >= size - offset)
            std::abort();
        return { reinterpret_cast<const char*>(data + offset), length };
    }
};

// The hash gettext gives a text.
std::uint32_t HashOf(std::string_view text)
{
    std::uint32_t hash = 0;
    for (char c : text) {
        hash = (hash << 4) + static_cast<std::uint8_t>(c);
        if (std::uint32_t high = hash & 0xf0000000u)
            hash ^= (high >> 24) ^ high;
    }
    return hash;
}

// Walks the hash table for `text` as gettext does.
void Walk(const Catalogue& c, std::string_view text)
{
    std::uint32_t count = c.At(8);
    std::uint32_t size = c.At(20);
    std::uint32_t table = c.At(24);
    if (size <= 2)
        return;
    std::uint32_t hash = HashOf(text);
    std::uint32_t index = hash % size;
    std::uint32_t step = 1 + hash % (size - 2);
    for (std::uint32_t tries = 0; tries <= size; ++tries) {
        std::uint32_t entry = c.At(table + 4 * std::size_t(index));
        if (entry == 0)
            return;
        if (entry > count)
            std::abort();
        if (c.Original(entry - 1) == text)
            return;
        index = index >= size - step ? index - (size - step) : index + step;
    }
    std::abort(); // the walk never ends
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!plat::IsSoundCatalogue({ data, size }))
        return 0;
    Catalogue c { data, size, data[0] == 0x95 }; // big-endian magic
    std::uint32_t count = c.At(8);
    for (std::uint32_t i = 0; i < count && i < 64; ++i)
        Walk(c, c.Original(i));
    for (std::string_view missing : { "", "x", "missing text", "确定" })
        Walk(c, missing);
    return 0;
}
