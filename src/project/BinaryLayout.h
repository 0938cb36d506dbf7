// Little-endian 32-bit integers at fixed offsets of the binary project and
// template index files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

inline void putInt32(std::string& out, size_t at, int32_t v) {
    uint32_t u = static_cast<uint32_t>(v);
    for (int b = 0; b < 4; ++b) out[at + b] = static_cast<char>((u >> (8 * b)) & 0xFF);
}

inline int32_t getInt32(std::string_view in, size_t at) {
    uint32_t u = 0;
    for (int b = 0; b < 4; ++b)
        u |= static_cast<uint32_t>(static_cast<unsigned char>(in[at + b])) << (8 * b);
    return static_cast<int32_t>(u);
}
