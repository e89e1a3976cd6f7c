// The little-endian 16-bit integers and 32-bit floats of the binary data
// files (the event catalogue and the line maps), read from and written into
// byte buffers whatever the machine's own byte order.
#pragma once

#include <bit>
#include <cstdint>

namespace crustex {

inline int16_t leint16(const unsigned char* p) {
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | (p[1] << 8)));
}

inline float lefloat(const unsigned char* p) {
    return std::bit_cast<float>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 |
                                static_cast<uint32_t>(p[3]) << 24);
}

inline void putleint16(unsigned char* p, int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    p[0] = static_cast<unsigned char>(u & 0xff);
    p[1] = static_cast<unsigned char>(u >> 8);
}

inline void putlefloat(unsigned char* p, float v) {
    const auto u = std::bit_cast<uint32_t>(v);
    for (int k = 0; k < 4; ++k) p[k] = static_cast<unsigned char>(u >> (8 * k) & 0xff);
}

}  // namespace crustex
