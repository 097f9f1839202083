#include "core/codec/deflate.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>

#include "core/codec/checksum.hpp"
#include "core/codec/deflate_tables.hpp"
#include "core/codec/inflate.hpp"

namespace glyphloom {
namespace deflate_test {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(const std::string& s) { return Bytes(s.begin(), s.end()); }

Bytes randomBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out(n);
    for (auto& b : out) b = static_cast<std::uint8_t>(rng());
    return out;
}

// Bytes with a steep distribution over all 256 values, so dynamic Huffman tables get codes
// of up to 15 bits (longer than the decoder's look-up table).
Bytes skewedBytes(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::geometric_distribution<int> geo(0.08);
    Bytes out(n);
    for (auto& b : out) b = static_cast<std::uint8_t>(std::min(geo(rng), 255));
    return out;
}

Bytes englishText(std::size_t n) {
    const std::string words[] = {"the ", "quick ", "brown ", "fox ", "jumps ", "over ", "lazy ", "dog ",
                                 "ANSI ", "art ", "block ", "shade ", "\r\n", "glyph ", "cell ", "loom "};
    std::mt19937 rng(7);
    std::string s;
    while (s.size() < n) s += words[rng() % 16];
    s.resize(n);
    return bytesOf(s);
}

Bytes repetitive(std::size_t n) {
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<std::uint8_t>((i / 37) % 5 == 0 ? i % 7 : 0xDB);
    return out;
}

Bytes zlibRawCompress(const Bytes& in, int level, int strategy) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, level, Z_DEFLATED, -15, 8, strategy), Z_OK);
    Bytes out(deflateBound(&z, static_cast<uLong>(in.size())));
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

std::optional<Bytes> zlibRawInflate(const Bytes& in, std::size_t expected) {
    z_stream z{};
    if (inflateInit2(&z, -15) != Z_OK) return std::nullopt;
    Bytes out(expected + 16);
    z.next_in = const_cast<Bytef*>(in.data());
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    out.resize(z.total_out);
    inflateEnd(&z);
    if (rc != Z_STREAM_END) return std::nullopt;
    return out;
}

// Builds hand-made streams for the malformed-input cases, least significant bit first.
struct StreamBuilder {
    Bytes out;
    int bitPos = 0;
    void bits(unsigned v, int n) {
        for (int i = 0; i < n; ++i) {
            if (bitPos % 8 == 0) out.push_back(0);
            if ((v >> i) & 1u) out.back() |= static_cast<std::uint8_t>(1u << (bitPos % 8));
            ++bitPos;
        }
    }
    void huff(int code, int len) {
        for (int i = len - 1; i >= 0; --i) bits((code >> i) & 1, 1);
    }
    void fixedSymbol(int s) {
        const HuffmanCode c = fixedLitCode(s);
        huff(c.code, c.length);
    }
};

struct NamedData {
    const char* name;
    Bytes data;
};

std::vector<NamedData> roundTripInputs() {
    Bytes allBytes(256);
    for (int i = 0; i < 256; ++i) allBytes[i] = static_cast<std::uint8_t>(i);
    return {
        {"empty", {}},
        {"one byte", {0x41}},
        {"two bytes", {0x41, 0x41}},
        {"three equal", {7, 7, 7}},
        {"100000 repeats", Bytes(100000, 0xB0)},
        {"random 100k", randomBytes(100000, 1)},
        {"text 200k", englishText(200000)},
        {"all byte values", allBytes},
        {"repetitive past window", repetitive(150000)},
        {"match ends at input end", bytesOf("abcabcabcabcabcab")},
    };
}

TEST(Deflate, RoundTripsThroughOwnInflateAndZlib) {
    for (const auto& [name, data] : roundTripInputs()) {
        SCOPED_TRACE(name);
        const Bytes packed = deflateRaw(data);
        const auto ours = inflateRaw(packed, data.size());
        ASSERT_TRUE(ours.has_value());
        EXPECT_EQ(*ours, data);
        const auto theirs = zlibRawInflate(packed, data.size());
        ASSERT_TRUE(theirs.has_value());
        EXPECT_EQ(*theirs, data);
    }
}

// The compressor written the plain way, one position and one candidate at a time, as the
// yardstick for the fast one: whatever shortcuts it takes, its choices must be these.
Bytes plainGreedyDeflate(const Bytes& b) {
    using namespace deflate_format;
    StreamBuilder s;
    s.bits(1, 1);
    s.bits(1, 2);
    std::vector<long> head(32768, -1), prev(32768, -1);
    const long n = static_cast<long>(b.size());
    auto hash = [&](long i) { return ((b[i] << 10) ^ (b[i + 1] << 5) ^ b[i + 2]) & 0x7FFF; };
    auto insert = [&](long p) {
        prev[p & 0x7FFF] = head[hash(p)];
        head[hash(p)] = p;
    };
    long i = 0;
    while (i < n) {
        int bestLen = 0, bestDist = 0;
        if (n - i >= 3) {
            const int limit = static_cast<int>(std::min<long>(n - i, 258));
            long c = head[hash(i)];
            for (int tries = 0; tries < 128 && c != -1 && i - c <= 32768; ++tries, c = prev[c & 0x7FFF]) {
                int len = 0;
                while (len < limit && b[c + len] == b[i + len]) ++len;
                if (len > bestLen) {
                    bestLen = len;
                    bestDist = static_cast<int>(i - c);
                    if (len == limit) break;
                }
            }
        }
        if (bestLen >= 3) {
            int li = 28, di = 29;
            while (lengthBase[li] > bestLen) --li;
            while (distBase[di] > bestDist) --di;
            s.fixedSymbol(257 + li);
            s.bits(static_cast<unsigned>(bestLen - lengthBase[li]), lengthExtra[li]);
            s.huff(di, 5);
            s.bits(static_cast<unsigned>(bestDist - distBase[di]), distExtra[di]);
            for (long end = i + bestLen; i < end; ++i)
                if (i <= n - 3) insert(i);
        } else {
            if (n - i >= 3) insert(i);
            s.fixedSymbol(b[i++]);
        }
    }
    s.fixedSymbol(256);
    return s.out;
}

// Scanlines like a rendered picture's: long blank runs, repeated glyph rows, colour edges.
Bytes pictureLike(std::size_t n, std::uint32_t seed) {
    std::mt19937 rng(seed);
    Bytes out;
    while (out.size() < n) {
        switch (rng() % 4) {
            case 0: out.insert(out.end(), 20 + rng() % 900, static_cast<std::uint8_t>(rng() % 3 == 0 ? rng() : 0)); break;
            case 1: {
                const std::size_t back = 1 + rng() % std::min<std::size_t>(out.size() + 1, 40000);
                const std::size_t len = 3 + rng() % 300;
                for (std::size_t k = 0; k < len && back <= out.size(); ++k) out.push_back(out[out.size() - back]);
                break;
            }
            default:
                for (int k = 0, len = 1 + static_cast<int>(rng() % 40); k < len; ++k) out.push_back(static_cast<std::uint8_t>(rng() % 6 * 51));
        }
    }
    out.resize(n);
    return out;
}

TEST(Deflate, MakesThePlainGreedyChoices) {
    std::vector<NamedData> inputs = roundTripInputs();
    inputs.push_back({"picture-like 300k", pictureLike(300000, 1)});
    inputs.push_back({"picture-like 70k", pictureLike(70000, 2)});
    inputs.push_back({"runs of two values", [] {
                          Bytes b;
                          for (int k = 0; k < 3000; ++k) b.insert(b.end(), 3 + k % 50, static_cast<std::uint8_t>(k % 2 ? 0xB1 : 0));
                          return b;
                      }()});
    for (const auto& [name, data] : inputs) {
        SCOPED_TRACE(name);
        EXPECT_EQ(deflateRaw(data), plainGreedyDeflate(data));
    }
}

// Fed in pieces, the stream must decide every match exactly as over the whole input, also
// where a match or its look-ahead straddles a piece, and after the window has slid on.
TEST(DeflateStream, AnySplitGivesTheBytesOfTheWholeInput) {
    std::vector<NamedData> inputs = roundTripInputs();
    inputs.push_back({"long mixed 400k", repetitive(400000)});
    for (std::size_t at = 0; at < 400000; at += 9000) {
        const Bytes noise = randomBytes(600, static_cast<std::uint32_t>(at));
        std::copy(noise.begin(), noise.end(), inputs.back().data.begin() + static_cast<std::ptrdiff_t>(at));
    }
    std::mt19937 rng(5);
    for (const auto& [name, data] : inputs) {
        const Bytes whole = deflateRaw(data);
        for (std::size_t piece : {std::size_t{1}, std::size_t{260}, std::size_t{3841}, std::size_t{131073}, std::size_t{0}}) {
            SCOPED_TRACE(std::string(name) + ", pieces of " + (piece ? std::to_string(piece) : "random size"));
            if (piece == 1 && data.size() > 20000) continue;
            DeflateStream stream;
            std::span<const std::uint8_t> rest(data);
            while (!rest.empty()) {
                const std::size_t n = std::min(rest.size(), piece ? piece : std::size_t{1 + rng() % 70000});
                stream.write(rest.first(n));
                rest = rest.subspan(n);
            }
            EXPECT_EQ(stream.finish(), whole);
        }
    }
}

TEST(Deflate, EmptyInputIsOneEmptyFixedBlock) { EXPECT_EQ(deflateRaw({}), (Bytes{0x03, 0x00})); }

TEST(Deflate, ZerosBecomeOneLiteralAndDistanceOneRuns) {
    // 1000 zeros: a literal 0, then 999 bytes as 258 + 258 + 258 + 225 at distance 1.
    StreamBuilder s;
    s.bits(1, 1);
    s.bits(1, 2);
    s.fixedSymbol(0);
    for (int k = 0; k < 3; ++k) {
        s.fixedSymbol(285);  // length 258, no extra bits
        s.huff(0, 5);        // distance 1
    }
    s.fixedSymbol(283);  // lengths 195..226
    s.bits(225 - 195, 5);
    s.huff(0, 5);
    s.fixedSymbol(256);
    EXPECT_EQ(deflateRaw(Bytes(1000, 0)), s.out);
}

TEST(Deflate, PrefersNearestAmongEqualLengthMatches) {
    // At the last "abc" both earlier copies match 3 bytes and neither reaches the 4-byte
    // limit, so the chain is walked on and the nearer copy (distance 4) must be kept.
    StreamBuilder s;
    s.bits(1, 1);
    s.bits(1, 2);
    for (char c : std::string("abcX")) s.fixedSymbol(static_cast<unsigned char>(c));
    s.fixedSymbol(257);  // length 3
    s.huff(3, 5);        // distance 4
    s.fixedSymbol('Y');
    s.fixedSymbol(257);
    s.huff(3, 5);
    s.fixedSymbol('Z');
    s.fixedSymbol(256);
    EXPECT_EQ(deflateRaw(bytesOf("abcXabcYabcZ")), s.out);
}

// Positions past 2 GiB (and past 4 GiB) must give the same lengths, distances and chain
// slots as small ones: a narrowing to 32 bits would wrap them, and no test can afford the
// input that reaches them through deflateRaw itself.
TEST(Deflate, PositionArithmeticHoldsPastTwoGiB) {
    using namespace deflate_positions;
    constexpr std::ptrdiff_t big = std::ptrdiff_t{3} << 30;      // 3 GiB
    constexpr std::ptrdiff_t huge = (std::ptrdiff_t{1} << 32) + 5;  // wraps to 5 in 32 bits
    struct LimitCase {
        std::ptrdiff_t remaining;
        int limit;
    } limits[] = {{1, 1}, {257, 257}, {258, 258}, {259, 258}, {big, 258}, {huge, 258}};
    for (const auto& c : limits) EXPECT_EQ(matchLimit(c.remaining), c.limit) << c.remaining;

    struct DistanceCase {
        std::ptrdiff_t at, earlier;
        std::optional<int> distance;
    } distances[] = {
        {10, 9, 1},
        {big, big - 1, 1},
        {big, big - windowSize, windowSize},
        {big, big - windowSize - 1, std::nullopt},
        {huge, 5, std::nullopt},  // 2^32 apart: 0 once wrapped, which would pass as a match
        {huge + 100, huge, 100},
    };
    for (const auto& c : distances) EXPECT_EQ(windowDistance(c.at, c.earlier), c.distance) << c.at << " " << c.earlier;

    struct SlotCase {
        std::ptrdiff_t position;
        std::size_t slot;
    } slots[] = {{0, 0}, {windowSize + 7, 7}, {big + 7, 7}, {huge, 5}, {huge + windowSize - 1, 4}};
    for (const auto& c : slots) EXPECT_EQ(chainSlot(c.position), c.slot) << c.position;
}

TEST(Inflate, DecodesEverythingZlibWrites) {
    const std::vector<NamedData> inputs = {
        {"text", englishText(300000)},
        {"random", randomBytes(70000, 2)},
        {"repetitive", repetitive(300000)},
        {"skewed", skewedBytes(200000, 3)},
        {"one byte", {0x99}},
        {"empty", {}},
    };
    const std::pair<int, const char*> strategies[] = {{Z_DEFAULT_STRATEGY, "default"},
                                                      {Z_FILTERED, "filtered"},
                                                      {Z_HUFFMAN_ONLY, "huffman only"},
                                                      {Z_RLE, "rle"},
                                                      {Z_FIXED, "fixed"}};
    for (const auto& [name, data] : inputs) {
        for (int level = 0; level <= 9; ++level) {
            for (const auto& [strategy, sname] : strategies) {
                SCOPED_TRACE(std::string(name) + " level " + std::to_string(level) + " " + sname);
                const Bytes packed = zlibRawCompress(data, level, strategy);
                const auto out = inflateRaw(packed, 0);
                ASSERT_TRUE(out.has_value());
                ASSERT_EQ(*out, data);
                // The windowed check slides several times over the larger inputs.
                const auto check = inflateRawCheck(packed, inflateDefaultLimit);
                ASSERT_TRUE(check.has_value());
                ASSERT_EQ(check->size, data.size());
                ASSERT_EQ(check->crc, crc32(data));
            }
        }
    }
}

TEST(Inflate, RefusesMalformedStreams) {
    StreamBuilder btype3;
    btype3.bits(1, 1);
    btype3.bits(3, 2);
    btype3.bits(0, 16);

    // Stored block, LEN 3 and an NLEN that is not its complement.
    const Bytes badNlen = {0x01, 0x03, 0x00, 0xFB, 0xFF, 'a', 'b', 'c'};
    // Stored block claiming more bytes than follow.
    const Bytes storedShort = {0x01, 0x05, 0x00, 0xFA, 0xFF, 'a', 'b'};

    StreamBuilder farDistance;  // 'a' then a copy from 2 bytes back
    farDistance.bits(1, 1);
    farDistance.bits(1, 2);
    farDistance.fixedSymbol('a');
    farDistance.fixedSymbol(257);
    farDistance.huff(1, 5);  // distance 2
    farDistance.fixedSymbol(256);

    StreamBuilder lengthOutOfTable;  // symbol 286 has a fixed code but no length
    lengthOutOfTable.bits(1, 1);
    lengthOutOfTable.bits(1, 2);
    lengthOutOfTable.fixedSymbol('a');
    lengthOutOfTable.fixedSymbol(286);
    lengthOutOfTable.huff(0, 5);
    lengthOutOfTable.fixedSymbol(256);

    StreamBuilder distanceOutOfTable;  // distance code 30 is not defined
    distanceOutOfTable.bits(1, 1);
    distanceOutOfTable.bits(1, 2);
    distanceOutOfTable.fixedSymbol('a');
    distanceOutOfTable.fixedSymbol(257);
    distanceOutOfTable.huff(30, 5);
    distanceOutOfTable.fixedSymbol(256);

    StreamBuilder oversubscribed;  // code-length code: four codes of length 1
    oversubscribed.bits(1, 1);
    oversubscribed.bits(2, 2);
    oversubscribed.bits(0, 5);
    oversubscribed.bits(0, 5);
    oversubscribed.bits(0, 4);  // 4 code-length codes
    for (int i = 0; i < 4; ++i) oversubscribed.bits(1, 3);
    oversubscribed.bits(0, 32);

    StreamBuilder repeatFirst;  // code 16 (repeat previous) with nothing before it
    repeatFirst.bits(1, 1);
    repeatFirst.bits(2, 2);
    repeatFirst.bits(0, 5);
    repeatFirst.bits(0, 5);
    repeatFirst.bits(0, 4);
    repeatFirst.bits(1, 3);  // symbol 16: length 1
    repeatFirst.bits(1, 3);  // symbol 17: length 1
    repeatFirst.bits(0, 3);
    repeatFirst.bits(0, 3);
    repeatFirst.huff(0, 1);  // 16 first
    repeatFirst.bits(0, 2);
    repeatFirst.bits(0, 32);

    const Bytes notFinal = {0x00, 0x00, 0x00, 0xFF, 0xFF};  // empty stored block, BFINAL 0

    const std::vector<NamedData> cases = {
        {"btype 3", btype3.out},
        {"stored NLEN mismatch", badNlen},
        {"stored block cut short", storedShort},
        {"distance before start", farDistance.out},
        {"length symbol 286", lengthOutOfTable.out},
        {"distance symbol 30", distanceOutOfTable.out},
        {"over-subscribed lengths", oversubscribed.out},
        {"repeat with no previous length", repeatFirst.out},
        {"non-final block then end of input", notFinal},
        {"no input", {}},
    };
    for (const auto& [name, data] : cases) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(inflateRaw(data, 0).has_value());
        EXPECT_EQ(zlibRawInflate(data, 64), std::nullopt) << "the case itself should be invalid DEFLATE";
    }
}

TEST(Inflate, EveryTruncationIsRefused) {
    const std::vector<NamedData> inputs = {
        {"ours fixed", deflateRaw(englishText(3000))},
        {"zlib dynamic", zlibRawCompress(englishText(3000), 9, Z_DEFAULT_STRATEGY)},
        {"zlib stored", zlibRawCompress(randomBytes(600, 5), 0, Z_DEFAULT_STRATEGY)},
    };
    for (const auto& [name, packed] : inputs) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(inflateRaw(packed, 0).has_value());
        for (std::size_t cut = 0; cut < packed.size(); ++cut) {
            const Bytes part(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(cut));
            ASSERT_FALSE(inflateRaw(part, 0).has_value()) << "cut at " << cut;
            ASSERT_FALSE(inflateRawCheck(part, inflateDefaultLimit).has_value()) << "cut at " << cut;
        }
    }
}

TEST(Inflate, OutputCapStopsBombs) {
    const Bytes megabyte(1 << 20, 0);
    const Bytes packed = zlibRawCompress(megabyte, 9, Z_DEFAULT_STRATEGY);
    ASSERT_LT(packed.size(), 2000u);
    EXPECT_TRUE(inflateRaw(packed, 0, megabyte.size()).has_value());
    EXPECT_FALSE(inflateRaw(packed, 0, megabyte.size() - 1).has_value());
    EXPECT_EQ(inflateRawCheck(packed, megabyte.size())->size, megabyte.size());
    EXPECT_FALSE(inflateRawCheck(packed, megabyte.size() - 1).has_value());
    // A size hint far beyond what the input could expand to is harmless.
    EXPECT_EQ(inflateRaw(packed, std::size_t{1} << 40)->size(), megabyte.size());

    const Bytes stored = zlibRawCompress(randomBytes(5000, 9), 0, Z_DEFAULT_STRATEGY);
    EXPECT_FALSE(inflateRaw(stored, 0, 4999).has_value());
}

TEST(Inflate, PrefixStopsAtRequestedSize) {
    const Bytes text = englishText(100000);
    const std::vector<NamedData> inputs = {
        {"fixed", deflateRaw(text)},
        {"dynamic", zlibRawCompress(text, 6, Z_DEFAULT_STRATEGY)},
        {"stored", zlibRawCompress(text, 0, Z_DEFAULT_STRATEGY)},
    };
    for (const auto& [name, packed] : inputs) {
        SCOPED_TRACE(name);
        for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{4097}, text.size()}) {
            const auto out = inflateRawPrefix(packed, size);
            ASSERT_TRUE(out.has_value()) << size;
            EXPECT_EQ(*out, Bytes(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(size)));
        }
        EXPECT_FALSE(inflateRawPrefix(packed, text.size() + 1).has_value());
    }
}

}  // namespace deflate_test
}  // namespace glyphloom
