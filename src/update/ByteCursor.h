#pragma once

// Little-endian fields read from a byte block with bounds checks. A read past
// the end yields 0 and marks the cursor failed; it stays failed, so a whole
// record can be parsed first and checked once.

#include <cstddef>
#include <cstdint>

class CByteCursor {
public:
    CByteCursor(const std::uint8_t* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    std::uint32_t U16() { return Take(2) ? std::uint32_t(m_data[m_pos - 2]) | std::uint32_t(m_data[m_pos - 1]) << 8 : 0; }
    std::uint32_t U32()
    {
        if (!Take(4))
            return 0;
        const std::uint8_t* p = m_data + m_pos - 4;
        return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    }
    void Skip(std::size_t count) { Take(count); }

    bool Failed() const { return m_failed; }
    // Offset of the first read that did not fit.
    std::size_t FailedAt() const { return m_failedAt; }

private:
    bool Take(std::size_t count)
    {
        if (m_failed || count > m_size - m_pos) {
            if (!m_failed)
                m_failedAt = m_pos;
            m_failed = true;
            return false;
        }
        m_pos += count;
        return true;
    }

    const std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_pos = 0;
    bool m_failed = false;
    std::size_t m_failedAt = 0;
};
