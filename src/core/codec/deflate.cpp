// Fixed-Huffman DEFLATE compressor. One block, greedy matching: at each position the
// longest match among at most 128 earlier positions with the same 3-byte hash is taken,
// the nearest one on ties. Simple and predictable rather than small; the PNG render it
// serves is mostly long runs that any LZ77 catches. Input may arrive in pieces: only the
// last 32 KiB and a look-ahead are kept, and the choices are those over the whole input.
//
// Format notes (RFC 1951): block header BFINAL=1, BTYPE=01; literal/length symbols use the
// fixed code of section 3.2.6, distances a 5-bit code; extra bits follow each code,
// least significant first; symbol 256 ends the block.
#include "core/codec/deflate.hpp"
#include "core/codec/deflate_tables.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <memory>

namespace glyphloom {
// Named rather than anonymous: DeflateStream::Coder, which has external linkage, holds
// these types.
namespace deflate_coding {

using deflate_format::reverseBits;
using deflate_positions::chainSlot;
using deflate_positions::matchLimit;
using deflate_positions::maxMatch;
using deflate_positions::windowDistance;
using deflate_positions::windowSize;
constexpr int maxChain = 128;
constexpr int minMatch = 3;

// Look-ups built once: codes pre-reversed for the least-significant-first writer, and the
// code index of every match length and distance.
struct Tables {
    // Literal/length codes already bit-reversed, so they append with one `bits` call.
    std::array<std::uint16_t, 288> litBits{};
    std::array<std::uint8_t, 288> litLen{};
    std::array<std::uint8_t, 30> distBits{};
    std::array<std::uint8_t, maxMatch + 1> lengthIndex{};  // length 3..258 -> code index
    std::array<std::uint8_t, 512> distIndexLow{};           // distance 1..512 -> code index
    std::array<std::uint8_t, 256> distIndexHigh{};          // (distance - 1) >> 7 for larger ones

    Tables() {
        for (int s = 0; s < 288; ++s) {
            const HuffmanCode c = fixedLitCode(s);
            litBits[s] = static_cast<std::uint16_t>(reverseBits(static_cast<unsigned>(c.code), c.length));
            litLen[s] = static_cast<std::uint8_t>(c.length);
        }
        for (int d = 0; d < 30; ++d) distBits[d] = static_cast<std::uint8_t>(reverseBits(static_cast<unsigned>(d), 5));
        // The largest base not above the value.
        for (int len = minMatch, i = 0; len <= maxMatch; ++len) {
            while (i + 1 < 29 && deflate_format::lengthBase[i + 1] <= len) ++i;
            lengthIndex[len] = static_cast<std::uint8_t>(i);
        }
        for (int d = 1, i = 0; d <= windowSize; ++d) {
            while (i + 1 < 30 && deflate_format::distBase[i + 1] <= d) ++i;
            if (d <= 512) distIndexLow[d - 1] = static_cast<std::uint8_t>(i);
            if (d > 256) distIndexHigh[(d - 1) >> 7] = static_cast<std::uint8_t>(i);
        }
    }

    int distIndex(int d) const { return d <= 512 ? distIndexLow[d - 1] : distIndexHigh[(d - 1) >> 7]; }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

// Bits packed least significant first into a 64-bit accumulator, written out a byte at a
// time once 32 or more are pending.
class BitWriter {
public:
    explicit BitWriter(std::size_t reserve) { out_.reserve(reserve); }

    // Appends the `count` (<= 32) low bits of `value`.
    void bits(std::uint32_t value, int count) {
        acc_ |= static_cast<std::uint64_t>(value & ((std::uint64_t{1} << count) - 1)) << pending_;
        pending_ += count;
        if (pending_ >= 32) {
            for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(acc_ >> (8 * i)));
            acc_ >>= 32;
            pending_ -= 32;
        }
    }

    // A Huffman code goes out most significant bit first.
    void huff(int code, int length) { bits(reverseBits(static_cast<unsigned>(code), length), length); }

    std::vector<std::uint8_t> finish() {
        while (pending_ > 0) {
            out_.push_back(static_cast<std::uint8_t>(acc_));
            acc_ >>= 8;
            pending_ = pending_ > 8 ? pending_ - 8 : 0;
        }
        return std::move(out_);
    }

private:
    std::vector<std::uint8_t> out_;
    std::uint64_t acc_ = 0;
    int pending_ = 0;
};

inline int hashAt(const std::uint8_t* p) { return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & (windowSize - 1); }

// Length of the common prefix of a and b, at most `limit`.
inline int matchLength(const std::uint8_t* a, const std::uint8_t* b, int limit) {
    int n = 0;
    while (n + 8 <= limit) {
        std::uint64_t x, y;
        std::memcpy(&x, a + n, 8);
        std::memcpy(&y, b + n, 8);
        if (x != y) {
            const std::uint64_t diff = x ^ y;
            if constexpr (std::endian::native == std::endian::little) return n + (std::countr_zero(diff) >> 3);
            break;
        }
        n += 8;
    }
    while (n < limit && a[n] == b[n]) ++n;
    return n;
}

// Links each position of [from, to) to the position before it, slot by consecutive slot
// between the points where the chain table wraps.
void linkToPrevious(std::ptrdiff_t* links, std::ptrdiff_t from, std::ptrdiff_t to) {
    while (from < to) {
        std::ptrdiff_t* slot = links + chainSlot(from);
        const std::ptrdiff_t count = std::min<std::ptrdiff_t>(to - from, windowSize - static_cast<std::ptrdiff_t>(chainSlot(from)));
        std::ptrdiff_t k = 0;
        for (; k + 4 <= count; k += 4) {
            slot[k] = from + k - 1;
            slot[k + 1] = from + k;
            slot[k + 2] = from + k + 1;
            slot[k + 3] = from + k + 2;
        }
        for (; k < count; ++k) slot[k] = from + k - 1;
        from += count;
    }
}

}  // namespace deflate_coding

HuffmanCode fixedLitCode(int s) {
    if (s < 144) return {0x30 + s, 8};
    if (s < 256) return {0x190 + (s - 144), 9};
    if (s < 280) return {s - 256, 7};
    return {0xC0 + (s - 280), 8};
}

namespace deflate_coding {

// The big buffers of a compressor: 512 KiB of chains and a 128 KiB window that would otherwise be mapped and faulted in
// afresh for every stream. Each thread keeps the last one it finished with, so a run of small
// streams (a PNG per video frame, a fuzzer's inputs) reuses them; the chain heads are reset
// per stream and the links need no reset (see `Coder`).
struct ChainBuffers {
    static constexpr std::size_t capacity = std::size_t{1} << 17;
    std::vector<std::uint8_t> window;
    std::unique_ptr<std::ptrdiff_t[]> head{new std::ptrdiff_t[windowSize]};
    std::unique_ptr<std::ptrdiff_t[]> prev{new std::ptrdiff_t[windowSize]};
    ChainBuffers() { window.reserve(capacity); }
};

thread_local std::unique_ptr<ChainBuffers> spareBuffers;

std::unique_ptr<ChainBuffers> takeBuffers() {
    std::unique_ptr<ChainBuffers> buffers = std::move(spareBuffers);
    if (!buffers) buffers = std::make_unique<ChainBuffers>();
    buffers->window.clear();
    // Every head becomes -1 (no earlier position): all bits set, one plain memset.
    std::memset(buffers->head.get(), 0xFF, windowSize * sizeof(std::ptrdiff_t));
    return buffers;
}

}  // namespace deflate_coding

using namespace deflate_coding;

// The compressor's state between pieces of input: the output bits, the hash chains and a
// window holding the last 32 KiB already coded plus the bytes not coded yet. Positions are
// absolute (counted from the start of the whole input), so the chains never need rebasing.
struct DeflateStream::Coder {
    static constexpr std::size_t capacity = ChainBuffers::capacity;
    // A position is coded only once a whole longest match and the hash of every position it
    // covers lie inside the window, so coding piece by piece decides as coding it whole does.
    static constexpr std::ptrdiff_t lookAhead = maxMatch + minMatch;

    BitWriter out{std::size_t{1} << 16};
    std::unique_ptr<ChainBuffers> buffers = takeBuffers();
    std::vector<std::uint8_t>& window = buffers->window;
    std::ptrdiff_t base = 0;  // the position of window[0]
    std::ptrdiff_t next = 0;  // the first position not coded yet
    std::ptrdiff_t* const head = buffers->head.get();
    // Every `prev` slot is written when its position is inserted, before any chain reaches it.
    std::ptrdiff_t* const prev = buffers->prev.get();

    Coder() {
        out.bits(1, 1);  // BFINAL
        out.bits(1, 2);  // BTYPE 01, fixed Huffman
    }
    ~Coder() {
        if (!spareBuffers) spareBuffers = std::move(buffers);
    }
    Coder(const Coder&) = delete;
    Coder& operator=(const Coder&) = delete;

    // Codes what the window holds; short of the end of the input, stops where too few bytes
    // follow to decide.
    void code(bool atEnd);
    // Drops what no later match can reach.
    void slide() {
        const std::ptrdiff_t keepFrom = std::max(base, next - windowSize);
        window.erase(window.begin(), window.begin() + (keepFrom - base));
        base = keepFrom;
    }
};

void DeflateStream::Coder::code(bool atEnd) {
    const Tables& t = tables();
    const std::uint8_t* const w = window.data();
    std::ptrdiff_t* const heads = head;
    std::ptrdiff_t* const links = prev;
    const std::ptrdiff_t n = base + static_cast<std::ptrdiff_t>(window.size());
    const std::ptrdiff_t stop = atEnd ? n : n - lookAhead;
    const std::ptrdiff_t lastHashable = n - minMatch;
    auto literal = [&](int byte) { out.bits(t.litBits[byte], t.litLen[byte]); };

    std::ptrdiff_t i = next;
    while (i < stop) {
        const std::ptrdiff_t remaining = n - i;
        if (remaining < minMatch) {
            literal(w[i - base]);
            ++i;
            continue;
        }
        const std::uint8_t* const here = w + (i - base);
        int h = hashAt(here);
        const int limit = matchLimit(remaining);
        // Candidates before `lowest` have left the window; the empty chain's -1 is below it too.
        const std::ptrdiff_t lowest = std::max<std::ptrdiff_t>(i - windowSize, 0);
        int bestLen = 0;
        std::ptrdiff_t bestFrom = 0;
        std::ptrdiff_t candidate = heads[h];
        for (int tries = maxChain; tries > 0 && candidate >= lowest; --tries) {
            const std::uint8_t* const there = w + (candidate - base);
            // Only a strictly longer match replaces the best, so the nearest wins ties; one
            // that differs at the best length's end cannot be longer.
            if (there[bestLen] == here[bestLen]) {
                const int len = matchLength(there, here, limit);
                if (len > bestLen) {
                    bestLen = len;
                    bestFrom = candidate;
                    if (len == limit) break;
                }
            }
            candidate = links[chainSlot(candidate)];
        }

        if (bestLen < minMatch) {
            links[chainSlot(i)] = heads[h];
            heads[h] = i;
            literal(here[0]);
            ++i;
            continue;
        }
        const int bestDist = *windowDistance(i, bestFrom);  // inside the window by the walk's bound
        const int li = t.lengthIndex[bestLen];
        const int sym = 257 + li;
        out.bits(t.litBits[sym], t.litLen[sym]);
        if (deflate_format::lengthExtra[li] != 0) out.bits(static_cast<std::uint32_t>(bestLen - deflate_format::lengthBase[li]), deflate_format::lengthExtra[li]);
        const int di = t.distIndex(bestDist);
        out.bits(t.distBits[di], 5);
        if (deflate_format::distExtra[di] != 0) out.bits(static_cast<std::uint32_t>(bestDist - deflate_format::distBase[di]), deflate_format::distExtra[di]);

        // Every position the match covers joins the chains. Each hash follows from the one
        // before by shifting in the next byte: the byte shifted out falls past the mask.
        const std::ptrdiff_t hashEnd = std::min(i + bestLen, lastHashable + 1);
        std::ptrdiff_t p = i;
        if (bestDist == 1) {
            // A run of one byte value (the blank stretches of a picture): every position whose
            // three bytes lie inside the run has the same hash, so its chain link is simply
            // the position before it.
            const std::ptrdiff_t runEnd = std::min(i + bestLen - 2, hashEnd);
            links[chainSlot(p)] = heads[h];
            linkToPrevious(links, p + 1, runEnd);
            p = runEnd;
            heads[h] = p - 1;
            if (p < hashEnd) h = ((h << 5) ^ w[p + 2 - base]) & (windowSize - 1);
        }
        while (p < hashEnd) {
            links[chainSlot(p)] = heads[h];
            heads[h] = p;
            if (++p >= hashEnd) break;
            h = ((h << 5) ^ w[p + 2 - base]) & (windowSize - 1);
        }
        i += bestLen;
    }
    next = i;
}

DeflateStream::DeflateStream() : coder_(std::make_unique<Coder>()) {}
DeflateStream::~DeflateStream() = default;
DeflateStream::DeflateStream(DeflateStream&&) noexcept = default;
DeflateStream& DeflateStream::operator=(DeflateStream&&) noexcept = default;

void DeflateStream::write(std::span<const std::uint8_t> bytes) {
    Coder& c = *coder_;
    while (!bytes.empty()) {
        if (c.window.size() == Coder::capacity) c.slide();
        const std::size_t take = std::min(bytes.size(), Coder::capacity - c.window.size());
        c.window.insert(c.window.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(take));
        bytes = bytes.subspan(take);
        c.code(false);
    }
}

std::vector<std::uint8_t> DeflateStream::finish() {
    Coder& c = *coder_;
    c.code(true);
    c.out.bits(0, 7);  // end of block: symbol 256 is seven zero bits
    return c.out.finish();
}

std::vector<std::uint8_t> deflateRaw(std::span<const std::uint8_t> input) {
    DeflateStream stream;
    stream.write(input);
    return stream.finish();
}

}  // namespace glyphloom
