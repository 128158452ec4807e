#include "update/Md5.h"

#include "platform/fs/File.h"

#include <bit>
#include <cstring>
#include <vector>

namespace {

// Unbuffered reads: large ones keep the system calls few.
constexpr std::size_t kChunk = 64 * 1024;

inline std::uint32_t LoadLe32(const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    return v;
}

inline void StoreLe32(std::uint8_t* p, std::uint32_t v)
{
    if constexpr (std::endian::native == std::endian::big)
        v = __builtin_bswap32(v);
    std::memcpy(p, &v, 4);
}

// The four rounds' steps. The message word and constant are added first, off
// the dependency chain through b; F and I use one operation fewer than the
// RFC's forms; G adds its two disjoint halves separately and H pairs c and d
// first, so that only the last operation waits for b.
#define MD5_F(a, b, c, d, x, t, s)    \
    (a) += (x) + (t);                 \
    (a) += (d) ^ ((b) & ((c) ^ (d))); \
    (a) = std::rotl((a), (s)) + (b)
#define MD5_G(a, b, c, d, x, t, s) \
    (a) += (x) + (t);              \
    (a) += ~(d) & (c);             \
    (a) += (d) & (b);              \
    (a) = std::rotl((a), (s)) + (b)
#define MD5_H(a, b, c, d, x, t, s) \
    (a) += (x) + (t);              \
    (a) += (b) ^ ((c) ^ (d));      \
    (a) = std::rotl((a), (s)) + (b)
#define MD5_I(a, b, c, d, x, t, s) \
    (a) += (x) + (t);              \
    (a) += (c) ^ ((b) | ~(d));     \
    (a) = std::rotl((a), (s)) + (b)

void Transform(std::uint32_t abcd[4], const std::uint8_t* blocks, std::size_t count)
{
    std::uint32_t a = abcd[0], b = abcd[1], c = abcd[2], d = abcd[3];
    for (; count > 0; --count, blocks += 64) {
        const std::uint32_t x0 = LoadLe32(blocks + 0), x1 = LoadLe32(blocks + 4), x2 = LoadLe32(blocks + 8),
                            x3 = LoadLe32(blocks + 12), x4 = LoadLe32(blocks + 16), x5 = LoadLe32(blocks + 20),
                            x6 = LoadLe32(blocks + 24), x7 = LoadLe32(blocks + 28), x8 = LoadLe32(blocks + 32),
                            x9 = LoadLe32(blocks + 36), x10 = LoadLe32(blocks + 40), x11 = LoadLe32(blocks + 44),
                            x12 = LoadLe32(blocks + 48), x13 = LoadLe32(blocks + 52), x14 = LoadLe32(blocks + 56),
                            x15 = LoadLe32(blocks + 60);
        const std::uint32_t aa = a, bb = b, cc = c, dd = d;

        MD5_F(a, b, c, d, x0, 0xd76aa478, 7);
        MD5_F(d, a, b, c, x1, 0xe8c7b756, 12);
        MD5_F(c, d, a, b, x2, 0x242070db, 17);
        MD5_F(b, c, d, a, x3, 0xc1bdceee, 22);
        MD5_F(a, b, c, d, x4, 0xf57c0faf, 7);
        MD5_F(d, a, b, c, x5, 0x4787c62a, 12);
        MD5_F(c, d, a, b, x6, 0xa8304613, 17);
        MD5_F(b, c, d, a, x7, 0xfd469501, 22);
        MD5_F(a, b, c, d, x8, 0x698098d8, 7);
        MD5_F(d, a, b, c, x9, 0x8b44f7af, 12);
        MD5_F(c, d, a, b, x10, 0xffff5bb1, 17);
        MD5_F(b, c, d, a, x11, 0x895cd7be, 22);
        MD5_F(a, b, c, d, x12, 0x6b901122, 7);
        MD5_F(d, a, b, c, x13, 0xfd987193, 12);
        MD5_F(c, d, a, b, x14, 0xa679438e, 17);
        MD5_F(b, c, d, a, x15, 0x49b40821, 22);

        MD5_G(a, b, c, d, x1, 0xf61e2562, 5);
        MD5_G(d, a, b, c, x6, 0xc040b340, 9);
        MD5_G(c, d, a, b, x11, 0x265e5a51, 14);
        MD5_G(b, c, d, a, x0, 0xe9b6c7aa, 20);
        MD5_G(a, b, c, d, x5, 0xd62f105d, 5);
        MD5_G(d, a, b, c, x10, 0x02441453, 9);
        MD5_G(c, d, a, b, x15, 0xd8a1e681, 14);
        MD5_G(b, c, d, a, x4, 0xe7d3fbc8, 20);
        MD5_G(a, b, c, d, x9, 0x21e1cde6, 5);
        MD5_G(d, a, b, c, x14, 0xc33707d6, 9);
        MD5_G(c, d, a, b, x3, 0xf4d50d87, 14);
        MD5_G(b, c, d, a, x8, 0x455a14ed, 20);
        MD5_G(a, b, c, d, x13, 0xa9e3e905, 5);
        MD5_G(d, a, b, c, x2, 0xfcefa3f8, 9);
        MD5_G(c, d, a, b, x7, 0x676f02d9, 14);
        MD5_G(b, c, d, a, x12, 0x8d2a4c8a, 20);

        MD5_H(a, b, c, d, x5, 0xfffa3942, 4);
        MD5_H(d, a, b, c, x8, 0x8771f681, 11);
        MD5_H(c, d, a, b, x11, 0x6d9d6122, 16);
        MD5_H(b, c, d, a, x14, 0xfde5380c, 23);
        MD5_H(a, b, c, d, x1, 0xa4beea44, 4);
        MD5_H(d, a, b, c, x4, 0x4bdecfa9, 11);
        MD5_H(c, d, a, b, x7, 0xf6bb4b60, 16);
        MD5_H(b, c, d, a, x10, 0xbebfbc70, 23);
        MD5_H(a, b, c, d, x13, 0x289b7ec6, 4);
        MD5_H(d, a, b, c, x0, 0xeaa127fa, 11);
        MD5_H(c, d, a, b, x3, 0xd4ef3085, 16);
        MD5_H(b, c, d, a, x6, 0x04881d05, 23);
        MD5_H(a, b, c, d, x9, 0xd9d4d039, 4);
        MD5_H(d, a, b, c, x12, 0xe6db99e5, 11);
        MD5_H(c, d, a, b, x15, 0x1fa27cf8, 16);
        MD5_H(b, c, d, a, x2, 0xc4ac5665, 23);

        MD5_I(a, b, c, d, x0, 0xf4292244, 6);
        MD5_I(d, a, b, c, x7, 0x432aff97, 10);
        MD5_I(c, d, a, b, x14, 0xab9423a7, 15);
        MD5_I(b, c, d, a, x5, 0xfc93a039, 21);
        MD5_I(a, b, c, d, x12, 0x655b59c3, 6);
        MD5_I(d, a, b, c, x3, 0x8f0ccc92, 10);
        MD5_I(c, d, a, b, x10, 0xffeff47d, 15);
        MD5_I(b, c, d, a, x1, 0x85845dd1, 21);
        MD5_I(a, b, c, d, x8, 0x6fa87e4f, 6);
        MD5_I(d, a, b, c, x15, 0xfe2ce6e0, 10);
        MD5_I(c, d, a, b, x6, 0xa3014314, 15);
        MD5_I(b, c, d, a, x13, 0x4e0811a1, 21);
        MD5_I(a, b, c, d, x4, 0xf7537e82, 6);
        MD5_I(d, a, b, c, x11, 0xbd3af235, 10);
        MD5_I(c, d, a, b, x2, 0x2ad7d2bb, 15);
        MD5_I(b, c, d, a, x9, 0xeb86d391, 21);

        (a) += aa;
        b += bb;
        c += cc;
        d += dd;
    }
    abcd[0] = a;
    abcd[1] = b;
    abcd[2] = c;
    abcd[3] = d;
}

#undef MD5_F
#undef MD5_G
#undef MD5_H
#undef MD5_I

}

CMd5::CMd5()
{
    m_padding[0] = 0x80;
}

void CMd5::Init(State& state)
{
    state = State {};
    state.abcd[0] = 0x67452301;
    state.abcd[1] = 0xefcdab89;
    state.abcd[2] = 0x98badcfe;
    state.abcd[3] = 0x10325476;
}

void CMd5::Update(State& state, const void* data, std::size_t length)
{
    const auto* input = static_cast<const std::uint8_t*>(data);
    std::size_t used = (state.count[0] >> 3) & 63;
    std::uint64_t bits = (std::uint64_t(state.count[1]) << 32 | state.count[0]) + (std::uint64_t(length) << 3);
    state.count[0] = static_cast<std::uint32_t>(bits);
    state.count[1] = static_cast<std::uint32_t>(bits >> 32);

    if (used > 0) {
        std::size_t room = 64 - used;
        if (length < room) {
            std::memcpy(state.block + used, input, length);
            return;
        }
        std::memcpy(state.block + used, input, room);
        Transform(state.abcd, state.block, 1);
        input += room;
        length -= room;
    }
    // Whole blocks straight from the caller's data.
    Transform(state.abcd, input, length / 64);
    input += length & ~std::size_t(63);
    std::memcpy(state.block, input, length & 63);
}

void CMd5::Final(std::uint8_t digest[16], State& state) const
{
    std::uint8_t bits[8];
    StoreLe32(bits, state.count[0]);
    StoreLe32(bits + 4, state.count[1]);
    std::size_t used = (state.count[0] >> 3) & 63;
    std::size_t padLength = used < 56 ? 56 - used : 120 - used;
    Update(state, m_padding.data(), padLength);
    Update(state, bits, 8);
    for (int i = 0; i < 4; ++i)
        StoreLe32(digest + 4 * i, state.abcd[i]);
    state = State {};
}

int CMd5::FileDigest(std::string_view path, std::string& hex)
{
    // The platform file opens without blocking and only regular files: a
    // FIFO or device at the name has no digest instead of hanging the caller.
    plat::File file;
    if (!file.Open(path, plat::File::Mode::Read))
        return -1;
    State state;
    Init(state);
    std::vector<std::uint8_t> chunk(kChunk);
    try {
        for (;;) {
            std::size_t n = file.Read(chunk.data(), chunk.size());
            if (n == 0)
                break;
            Update(state, chunk.data(), n);
        }
    } catch (const plat::FileException&) {
        // A read error ends the input; the digest covers what was read.
    }
    std::uint8_t digest[16];
    Final(digest, state);

    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::uint8_t byte : digest) {
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 15];
    }
    return 0;
}
