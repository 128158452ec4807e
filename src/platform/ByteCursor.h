#pragma once

// Little-endian fields read from a byte block with bounds checks. A read past
// the end yields 0 and marks the cursor failed; it stays failed, so a whole
// record can be parsed first and checked once, and FailedAt() says where the
// first read that did not fit began.

#include <cstddef>
#include <cstdint>
#include <span>

namespace plat {

class ByteCursor {
public:
    ByteCursor(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    explicit ByteCursor(std::span<const std::uint8_t> bytes)
        : ByteCursor(bytes.data(), bytes.size())
    {
    }

    std::uint32_t U16() { return Read(2); }
    std::uint32_t U32() { return Read(4); }
    std::int32_t S32() { return static_cast<std::int32_t>(Read(4)); }
    void Skip(std::size_t count) { Take(count); }
    // Moves to `offset`; a later read fails if that is past the end.
    void Seek(std::size_t offset)
    {
        if (!m_failed)
            m_pos = offset;
    }

    std::size_t Position() const { return m_pos; }
    bool Failed() const { return m_failed; }
    std::size_t FailedAt() const { return m_failedAt; }

private:
    bool Take(std::size_t count)
    {
        if (m_failed || m_pos > m_size || count > m_size - m_pos) {
            if (!m_failed)
                m_failedAt = m_pos;
            m_failed = true;
            return false;
        }
        m_pos += count;
        return true;
    }
    std::uint32_t Read(std::size_t count)
    {
        if (!Take(count))
            return 0;
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < count; ++i)
            value |= static_cast<std::uint32_t>(m_data[m_pos - count + i]) << (8 * i);
        return value;
    }

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    bool m_failed = false;
    std::size_t m_failedAt = 0;
};

}
