// CRC-32 by table look-up eight bytes at a time ("slicing by eight": eight tables built once
// on first use, so the eight look-ups of a word are independent) and Adler-32
// with the modulo deferred as long as the sums cannot overflow 32 bits, summed sixteen
// bytes at a time where SSE2 is available (every x86-64).
#include "core/codec/checksum.hpp"

#include <algorithm>
#include <array>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace glyphloom {
namespace {

using CRCTables = std::array<std::array<std::uint32_t, 256>, 8>;

// tables[0] is the classic byte table; tables[k][n] is the CRC of byte n followed by k zero
// bytes, which lets a whole little-endian word be folded in at once.
const CRCTables& crcTables() {
    static const CRCTables tables = [] {
        CRCTables t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][n] = c;
        }
        for (std::uint32_t n = 0; n < 256; ++n)
            for (std::size_t k = 1; k < 8; ++k) t[k][n] = t[0][t[k - 1][n] & 0xFFu] ^ (t[k - 1][n] >> 8);
        return t;
    }();
    return tables;
}

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    const auto& t = crcTables();
    std::uint32_t c = ~crc;
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; left -= 8, p += 8) {
        // Bytes assembled explicitly, so the order is the same on any host.
        const std::uint32_t low = c ^ (std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
                                       std::uint32_t{p[3]} << 24);
        c = t[7][low & 0xFFu] ^ t[6][(low >> 8) & 0xFFu] ^ t[5][(low >> 16) & 0xFFu] ^ t[4][low >> 24] ^
            t[3][p[4]] ^ t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
    }
    for (; left > 0; --left) c = t[0][(c ^ *p++) & 0xFFu] ^ (c >> 8);
    return ~c;
}

std::uint32_t adler32(std::span<const std::uint8_t> bytes, std::uint32_t adler) {
    constexpr std::uint32_t base = 65521;
    // 5552 is the largest run after which the sums still fit in 32 bits.
    constexpr std::size_t maxRun = 5552;
    std::uint32_t a = adler & 0xFFFFu, b = adler >> 16;
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        std::size_t run = std::min(left, maxRun);
        left -= run;
#if defined(__SSE2__)
        // Sixteen bytes at a time. Over k blocks, b grows by 16·k·a, by 16 times the sum of
        // each block's predecessors, and by each block's bytes weighted 16, 15, …, 1.
        if (run >= 16) {
            const std::size_t blocks = run / 16;
            const __m128i zero = _mm_setzero_si128();
            const __m128i weightsLow = _mm_setr_epi16(16, 15, 14, 13, 12, 11, 10, 9);
            const __m128i weightsHigh = _mm_setr_epi16(8, 7, 6, 5, 4, 3, 2, 1);
            __m128i sums = zero, sumsBefore = zero, weighted = zero;
            for (std::size_t k = 0; k < blocks; ++k, p += 16) {
                const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
                sumsBefore = _mm_add_epi64(sumsBefore, sums);
                sums = _mm_add_epi64(sums, _mm_sad_epu8(v, zero));
                weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpacklo_epi8(v, zero), weightsLow));
                weighted = _mm_add_epi32(weighted, _mm_madd_epi16(_mm_unpackhi_epi8(v, zero), weightsHigh));
            }
            alignas(16) std::uint64_t s[2], sb[2];
            alignas(16) std::uint32_t wt[4];
            _mm_store_si128(reinterpret_cast<__m128i*>(s), sums);
            _mm_store_si128(reinterpret_cast<__m128i*>(sb), sumsBefore);
            _mm_store_si128(reinterpret_cast<__m128i*>(wt), weighted);
            b += static_cast<std::uint32_t>(16 * blocks * a + 16 * (sb[0] + sb[1]) + wt[0] + wt[1] + wt[2] + wt[3]);
            a += static_cast<std::uint32_t>(s[0] + s[1]);
            run -= blocks * 16;
        }
#endif
        for (; run > 0; --run) {
            a += *p++;
            b += a;
        }
        a %= base;
        b %= base;
    }
    return (b << 16) | a;
}

}  // namespace glyphloom
