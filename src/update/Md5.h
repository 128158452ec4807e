#pragma once

// MD5 message digest (RFC 1321) of whole files, rendered as 32 lowercase
// hexadecimal digits. Digests are compared as text by the callers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class CMd5 {
public:
    // The running state of one digest: chaining words, bit count (low word
    // first) and the partial input block.
    struct State {
        std::uint32_t abcd[4] = {};
        std::uint32_t count[2] = {};
        std::uint8_t block[64] = {};
    };

    CMd5();
    virtual ~CMd5() = default;

    // Appends the digest of the file at the Windows path `path` to `hex`.
    // 0 when done; -1 when the file cannot be opened (`hex` is untouched).
    // A read error part-way ends the input there.
    int FileDigest(std::string_view path, std::string& hex);

    static void Init(State& state);
    static void Update(State& state, const void* data, std::size_t length);
    // Pads, appends the bit length and writes the digest; clears the state.
    void Final(std::uint8_t digest[16], State& state) const;

private:
    std::array<std::uint8_t, 64> m_padding {};
};
