#include "platform/intl/MoCatalogue.h"

#include "platform/ByteCursor.h"

namespace plat {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::uint32_t kSwappedMagic = 0xde120495;
constexpr std::size_t kDescriptorSize = 8;

std::uint32_t Swap(std::uint32_t v)
{
    return (v >> 24) | ((v >> 8) & 0xff00) | ((v << 8) & 0xff0000) | (v << 24);
}

// Reads 32-bit fields in the catalogue's own byte order.
class FieldReader {
public:
    FieldReader(std::span<const std::uint8_t> bytes, bool swapped)
        : m_cursor(bytes)
        , m_swapped(swapped)
    {
    }
    std::uint32_t Next() { return m_swapped ? Swap(m_cursor.U32()) : m_cursor.U32(); }
    void Seek(std::size_t offset) { m_cursor.Seek(offset); }
    bool Failed() const { return m_cursor.Failed(); }

private:
    ByteCursor m_cursor;
    bool m_swapped;
};

bool Inside(std::uint64_t offset, std::uint64_t length, std::size_t size)
{
    return offset <= size && length <= size - offset;
}

// Every descriptor (length, offset) of a table names a string followed by
// its NUL inside the bytes.
bool TableSound(std::span<const std::uint8_t> bytes, FieldReader& reader, std::uint32_t count, std::uint32_t table)
{
    if (!Inside(table, std::uint64_t(count) * kDescriptorSize, bytes.size()))
        return false;
    reader.Seek(table);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t length = reader.Next();
        std::uint32_t offset = reader.Next();
        if (reader.Failed() || !Inside(offset, std::uint64_t(length) + 1, bytes.size()) || bytes[offset + length] != 0)
            return false;
    }
    return true;
}

bool IsPrime(std::uint32_t n)
{
    if (n < 2)
        return false;
    for (std::uint32_t d = 2; d <= n / d; ++d)
        if (n % d == 0)
            return false;
    return true;
}

// gettext walks the hash table from a string's slot in steps that depend on
// the string, until it meets an empty slot or the string; it trusts every
// entry to name a string (1 to count) and the walk to end. With a prime size
// every step length reaches every slot, so one empty slot ends every walk.
// Tables of up to two slots are never walked.
bool HashTableSound(FieldReader& reader, std::uint32_t count, std::uint32_t hashSize, std::uint32_t hashOffset)
{
    if (hashSize <= 2)
        return true;
    if (!IsPrime(hashSize))
        return false;
    reader.Seek(hashOffset);
    bool emptySlot = false;
    for (std::uint32_t i = 0; i < hashSize; ++i) {
        std::uint32_t entry = reader.Next();
        if (entry > count)
            return false;
        emptySlot = emptySlot || entry == 0;
    }
    return !reader.Failed() && emptySlot;
}

}

bool IsSoundCatalogue(std::span<const std::uint8_t> bytes)
{
    ByteCursor magicCursor(bytes);
    std::uint32_t magic = magicCursor.U32();
    if (magicCursor.Failed() || (magic != kMagic && magic != kSwappedMagic))
        return false;
    FieldReader reader(bytes, magic == kSwappedMagic);
    reader.Seek(4);
    std::uint32_t revision = reader.Next();
    std::uint32_t count = reader.Next();
    std::uint32_t originals = reader.Next();
    std::uint32_t translations = reader.Next();
    std::uint32_t hashSize = reader.Next();
    std::uint32_t hashOffset = reader.Next();
    if (reader.Failed() || revision != 0)
        return false;
    if (hashSize != 0 && !Inside(hashOffset, std::uint64_t(hashSize) * 4, bytes.size()))
        return false;
    return TableSound(bytes, reader, count, originals) && TableSound(bytes, reader, count, translations)
        && HashTableSound(reader, count, hashSize, hashOffset);
}

}
