#pragma once

// The MD5 digest of a byte string in lower-case hex, through CMd5.

#include "update/Md5.h"

#include <cstdint>
#include <string>

inline std::string Md5Hex(const std::string& bytes)
{
    CMd5 md5;
    CMd5::State state;
    CMd5::Init(state);
    CMd5::Update(state, bytes.data(), bytes.size());
    std::uint8_t digest[16];
    md5.Final(digest, state);
    static const char* kHex = "0123456789abcdef";
    std::string hex;
    for (std::uint8_t b : digest) {
        hex += kHex[b >> 4];
        hex += kHex[b & 15];
    }
    return hex;
}
