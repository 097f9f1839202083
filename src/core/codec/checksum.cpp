// CRC-32 by byte-wise table look-up (the table is built once on first use) and Adler-32
// with the modulo deferred as long as the sums cannot overflow 32 bits.
#include "core/codec/checksum.hpp"

#include <algorithm>
#include <array>

namespace glyphloom {
namespace {

const std::array<std::uint32_t, 256>& crcTable() {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    const auto& table = crcTable();
    std::uint32_t c = ~crc;
    for (std::uint8_t b : bytes) c = table[(c ^ b) & 0xFFu] ^ (c >> 8);
    return ~c;
}

std::uint32_t adler32(std::span<const std::uint8_t> bytes, std::uint32_t adler) {
    constexpr std::uint32_t base = 65521;
    // 5552 is the largest run after which the sums still fit in 32 bits.
    constexpr std::size_t maxRun = 5552;
    std::uint32_t a = adler & 0xFFFFu, b = adler >> 16;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::size_t end = std::min(bytes.size(), i + maxRun);
        for (; i < end; ++i) {
            a += bytes[i];
            b += a;
        }
        a %= base;
        b %= base;
    }
    return (b << 16) | a;
}

}  // namespace glyphloom
