// Raw DEFLATE decoder, written after the shape of puff: one state (input, bit buffer,
// output), one function per step of the format. Huffman codes decode through a 10-bit
// look-up table; the rare longer codes fall back to canonical bit-by-bit decoding.
//
// Format notes (RFC 1951): bits are packed least-significant first; Huffman codes are
// stored most-significant bit first, so table indexes are bit-reversed codes. A block is
// BFINAL (1 bit), BTYPE (2 bits): 00 stored (LEN, NLEN on a byte boundary), 01 fixed codes,
// 10 dynamic codes (section 3.2.7), 11 invalid. Lengths 3..258 and distances 1..32768 carry
// extra bits after their symbol (section 3.2.5).
#include "core/codec/inflate.hpp"
#include "core/codec/checksum.hpp"
#include "core/codec/deflate_tables.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

namespace glyphloom {
namespace {

using namespace deflate_format;

constexpr int maxCodeBits = 15;
constexpr int fastBits = 10;
constexpr int maxSymbols = 288 + 32;

// A canonical Huffman decoding table. `fast` is indexed by the next fastBits input bits
// and holds symbol << 4 | code length, or 0 when the code is longer (or absent).
struct Huffman {
    std::array<std::uint16_t, 1 << fastBits> fast{};
    std::array<std::uint16_t, maxCodeBits + 1> count{};
    std::array<std::uint16_t, maxSymbols> symbol{};

    // False for a length above 15 or an over-subscribed set; incomplete sets are accepted
    // (a code that is not assigned then fails when met).
    bool build(const std::uint8_t* lengths, int n) {
        count.fill(0);
        for (int s = 0; s < n; ++s) {
            if (lengths[s] > maxCodeBits) return false;
            ++count[lengths[s]];
        }
        count[0] = 0;
        int left = 1;
        for (int len = 1; len <= maxCodeBits; ++len) {
            left = (left << 1) - count[len];
            if (left < 0) return false;
        }
        std::array<std::uint16_t, maxCodeBits + 2> offset{};
        for (int len = 1; len <= maxCodeBits; ++len) offset[len + 1] = offset[len] + count[len];
        for (int s = 0; s < n; ++s)
            if (lengths[s] != 0) symbol[offset[lengths[s]]++] = static_cast<std::uint16_t>(s);

        fast.fill(0);
        unsigned code = 0;
        int index = 0;
        for (int len = 1; len <= fastBits; ++len) {
            for (int k = 0; k < count[len]; ++k, ++code) {
                const auto entry = static_cast<std::uint16_t>(symbol[index++] << 4 | len);
                for (unsigned j = reverseBits(code, len); j < (1u << fastBits); j += 1u << len) fast[j] = entry;
            }
            code <<= 1;
        }
        return true;
    }
};

struct FixedTables {
    Huffman lit, dist;
    FixedTables() {
        std::array<std::uint8_t, 288> lengths{};
        std::fill(lengths.begin(), lengths.begin() + 144, 8);
        std::fill(lengths.begin() + 144, lengths.begin() + 256, 9);
        std::fill(lengths.begin() + 256, lengths.begin() + 280, 7);
        std::fill(lengths.begin() + 280, lengths.end(), 8);
        lit.build(lengths.data(), 288);
        lengths.fill(5);
        dist.build(lengths.data(), 30);
    }
};

const FixedTables& fixedTables() {
    static const FixedTables tables;
    return tables;
}

enum class Status { ok, bad, full };

struct Inflater {
    // Input and bit buffer. Past the end of the input the buffer is topped up with zero
    // bits counted in `padBits`; once more of them are consumed than the buffer still
    // holds (padBits > bitCount) the stream has been read past its end.
    const std::uint8_t* in;
    std::size_t inSize;
    std::size_t pos = 0;
    std::uint64_t bitBuf = 0;
    unsigned bitCount = 0;
    std::size_t padBits = 0;

    // Output, grown by doubling up to `limit`. In prefix mode reaching `limit` ends
    // decoding successfully; otherwise going past it is a failure.
    std::vector<std::uint8_t> out;
    std::size_t outLen = 0;
    std::size_t limit;
    bool prefixMode;

    // In window mode `out` keeps a fixed size: when it is full, all but the last 32 KiB (as
    // far back as a match may reach) are folded into `crc` and dropped.
    bool windowMode = false;
    std::size_t flushed = 0;
    std::uint32_t crc = 0;

    std::size_t produced() const { return flushed + outLen; }

    void slide() {
        constexpr std::size_t window = 32768;
        const std::size_t drop = outLen - std::min(outLen, window);
        crc = crc32(std::span<const std::uint8_t>(out.data(), drop), crc);
        std::memmove(out.data(), out.data() + drop, outLen - drop);
        flushed += drop;
        outLen -= drop;
    }

    bool overrun() const { return padBits > bitCount; }

    // Leaves at least 56 bits in the buffer.
    void refill() {
        if (inSize - pos >= 8) {
            // Whole-word load: the bits above bitCount repeat the next byte and are OR-ed
            // again identically by the following refill.
            std::uint64_t word;
            std::memcpy(&word, in + pos, 8);
            if constexpr (std::endian::native == std::endian::big) word = byteswap64(word);
            bitBuf |= word << bitCount;
            pos += (63 - bitCount) >> 3;
            bitCount |= 56;
            return;
        }
        while (bitCount <= 56) {
            std::uint64_t byte = 0;
            if (pos < inSize)
                byte = in[pos++];
            else
                padBits += 8;
            bitBuf |= byte << bitCount;
            bitCount += 8;
        }
    }

    static std::uint64_t byteswap64(std::uint64_t v) {
        std::uint64_t r = 0;
        for (int i = 0; i < 8; ++i, v >>= 8) r = (r << 8) | (v & 0xFF);
        return r;
    }

    // The next `n` (<= bitCount) bits, least significant first.
    unsigned take(unsigned n) {
        const auto v = static_cast<unsigned>(bitBuf & ((std::uint64_t{1} << n) - 1));
        bitBuf >>= n;
        bitCount -= n;
        return v;
    }

    // One symbol; -1 for a code the table does not assign. Needs 15 bits buffered.
    int decodeSymbol(const Huffman& h) {
        const std::uint16_t entry = h.fast[bitBuf & ((1u << fastBits) - 1)];
        if (entry != 0) {
            take(entry & 15u);
            return entry >> 4;
        }
        // Canonical decoding, one bit at a time (codes longer than the table).
        std::uint64_t bits = bitBuf;
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= maxCodeBits; ++len) {
            code |= static_cast<int>(bits & 1u);
            bits >>= 1;
            const int count = h.count[len];
            if (code - count < first) {
                take(static_cast<unsigned>(len));
                return h.symbol[index + (code - first)];
            }
            index += count;
            first = (first + count) << 1;
            code <<= 1;
        }
        return -1;
    }

    // Makes room for `n` more bytes; in prefix mode may shrink `n` to what still fits.
    Status reserve(std::size_t& n) {
        if (n > limit - produced()) {
            if (!prefixMode) return Status::bad;
            n = limit - produced();
        }
        if (outLen + n > out.size()) {
            if (windowMode)
                slide();  // the buffer holds the window and the longest single write
            else
                out.resize(std::min(limit, std::max(outLen + n, out.size() * 2)));
        }
        return Status::ok;
    }

    Status stored() {
        take(bitCount & 7u);  // to the byte boundary
        refill();
        const unsigned len = take(16);
        const unsigned nlen = take(16);
        if (overrun() || len != (~nlen & 0xFFFFu)) return Status::bad;
        std::size_t n = len;
        if (reserve(n) != Status::ok) return Status::bad;
        const bool cut = n < len;
        // First whatever whole bytes are still in the bit buffer, then straight from input.
        std::size_t i = 0;
        while (i < n && bitCount >= 8) {
            out[outLen + i++] = static_cast<std::uint8_t>(take(8));
            if (overrun()) return Status::bad;
        }
        if (bitCount == 0) bitBuf = 0;
        const std::size_t rest = n - i;
        if (rest > inSize - pos) return Status::bad;
        if (rest != 0) std::memcpy(out.data() + outLen + i, in + pos, rest);
        pos += rest;
        outLen += n;
        return cut ? Status::full : Status::ok;
    }

    Status codes(const Huffman& lit, const Huffman& dist) {
        for (;;) {
            refill();
            if (overrun()) return Status::bad;
            const int sym = decodeSymbol(lit);
            if (sym < 0) return Status::bad;
            if (sym < 256) {
                if (produced() == limit) {
                    if (!prefixMode) return Status::bad;
                    return Status::full;
                }
                if (outLen == out.size()) {
                    std::size_t one = 1;
                    reserve(one);
                }
                out[outLen++] = static_cast<std::uint8_t>(sym);
                continue;
            }
            if (sym == 256) return overrun() ? Status::bad : Status::ok;
            const int li = sym - 257;
            if (li >= 29) return Status::bad;
            std::size_t len = lengthBase[li] + take(lengthExtra[li]);
            const int di = decodeSymbol(dist);
            if (di < 0 || di >= 30) return Status::bad;
            const std::size_t d = distBase[di] + take(distExtra[di]);
            if (overrun() || d > outLen) return Status::bad;
            const std::size_t wanted = len;
            if (reserve(len) != Status::ok) return Status::bad;
            std::uint8_t* dst = out.data() + outLen;
            const std::uint8_t* src = dst - d;
            if (d >= len) {
                std::memcpy(dst, src, len);
            } else if (d == 1) {
                std::memset(dst, *src, len);  // a run of one byte, the commonest overlap
            } else {
                // An overlapping run repeats the last d bytes. Copy it in non-overlapping
                // pieces whose period doubles: after each piece the repeated pattern is
                // twice as long behind the write position.
                std::size_t k = 0;
                for (std::size_t period = d; k < len; period *= 2) {
                    const std::size_t n = std::min(period, len - k);
                    std::memcpy(dst + k, dst + k - period, n);
                    k += n;
                }
            }
            outLen += len;
            if (len < wanted) return Status::full;
        }
    }

    Status dynamic() {
        static constexpr std::array<std::uint8_t, 19> order = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                               11, 4,  12, 3, 13, 2, 14, 1, 15};
        refill();
        const unsigned nlen = take(5) + 257;
        const unsigned ndist = take(5) + 1;
        const unsigned ncode = take(4) + 4;
        std::array<std::uint8_t, maxSymbols> lengths{};
        for (unsigned i = 0; i < ncode; ++i) {
            if (bitCount < 3) refill();
            lengths[order[i]] = static_cast<std::uint8_t>(take(3));
        }
        if (overrun()) return Status::bad;
        Huffman lencode;
        if (!lencode.build(lengths.data(), 19)) return Status::bad;

        lengths.fill(0);
        const unsigned total = nlen + ndist;
        unsigned index = 0;
        while (index < total) {
            refill();
            if (overrun()) return Status::bad;
            const int sym = decodeSymbol(lencode);
            if (sym < 0) return Status::bad;
            if (sym < 16) {
                lengths[index++] = static_cast<std::uint8_t>(sym);
                continue;
            }
            std::uint8_t value = 0;
            unsigned repeat;
            if (sym == 16) {
                if (index == 0) return Status::bad;  // nothing to repeat
                value = lengths[index - 1];
                repeat = 3 + take(2);
            } else if (sym == 17) {
                repeat = 3 + take(3);
            } else {
                repeat = 11 + take(7);
            }
            if (index + repeat > total) return Status::bad;
            while (repeat-- > 0) lengths[index++] = value;
        }
        if (overrun()) return Status::bad;

        Huffman lit, dist;
        if (!lit.build(lengths.data(), static_cast<int>(nlen))) return Status::bad;
        if (!dist.build(lengths.data() + nlen, static_cast<int>(ndist))) return Status::bad;
        return codes(lit, dist);
    }

    Status run() {
        for (;;) {
            if (prefixMode && produced() == limit) return Status::full;
            refill();
            const unsigned last = take(1);
            const unsigned type = take(2);
            if (overrun()) return Status::bad;
            Status s;
            switch (type) {
                case 0: s = stored(); break;
                case 1: s = codes(fixedTables().lit, fixedTables().dist); break;
                case 2: s = dynamic(); break;
                default: return Status::bad;
            }
            if (s != Status::ok) return s;
            if (last) return Status::ok;
        }
    }
};

std::optional<std::vector<std::uint8_t>> inflateImpl(std::span<const std::uint8_t> data, std::size_t expectedSize,
                                                     std::size_t limit, bool prefixMode) {
    Inflater z{data.data(), data.size(), {}, {}, {}, {}, {}, {}, limit, prefixMode};
    // No stream expands more than 1032-fold; a lying size hint must not reserve more.
    const std::size_t plausible = data.size() > (SIZE_MAX - 258) / 1032 ? SIZE_MAX : data.size() * 1032 + 258;
    z.out.resize(std::min({expectedSize, limit, plausible}));
    const Status s = z.run();
    if (s == Status::bad) return std::nullopt;
    if (prefixMode && z.outLen < limit) return std::nullopt;
    z.out.resize(z.outLen);
    return std::move(z.out);
}

}  // namespace

std::optional<InflateCheck> inflateRawCheck(std::span<const std::uint8_t> data, std::size_t maxOutput) {
    Inflater z{data.data(), data.size(), {}, {}, {}, {}, {}, {}, maxOutput, false};
    z.windowMode = true;
    // The 32 KiB window, room for the longest write (a stored block of 64 KiB), and enough
    // besides that sliding costs little next to decoding.
    z.out.resize(std::size_t{256} << 10);
    if (z.run() == Status::bad) return std::nullopt;
    z.crc = crc32(std::span<const std::uint8_t>(z.out.data(), z.outLen), z.crc);
    return InflateCheck{z.produced(), z.crc};
}

std::optional<std::vector<std::uint8_t>> inflateRaw(std::span<const std::uint8_t> data, std::size_t expectedSize,
                                                    std::size_t maxOutput) {
    return inflateImpl(data, expectedSize, maxOutput, false);
}

std::optional<std::vector<std::uint8_t>> inflateRawPrefix(std::span<const std::uint8_t> data, std::size_t size) {
    return inflateImpl(data, size, size, true);
}

}  // namespace glyphloom
