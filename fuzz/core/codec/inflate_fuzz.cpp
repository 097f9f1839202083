// Fuzzes the DEFLATE decoder with arbitrary streams, and the compressor by round trip.
// Aborts when decoding a prefix disagrees with decoding the whole stream, when a
// compressed input does not come back unchanged, or when compressing it in pieces gives
// other bytes than compressing it whole.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/codec/deflate.hpp"
#include "core/codec/inflate.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glyphloom;
    const std::span<const std::uint8_t> input(data, size);

    // A small cap keeps bombs quick to reject; anything past it must come back as nothing.
    constexpr std::size_t cap = 1 << 20;
    const auto whole = inflateRaw(input, size * 4, cap);
    if (whole) {
        if (whole->size() > cap) std::abort();
        const std::size_t half = whole->size() / 2;
        const auto prefix = inflateRawPrefix(input, half);
        if (!prefix || prefix->size() != half || (half != 0 && std::memcmp(prefix->data(), whole->data(), half) != 0))
            std::abort();
    }

    const std::vector<std::uint8_t> packed = deflateRaw(input);
    const auto back = inflateRaw(packed, size);
    if (!back || back->size() != size || (size != 0 && std::memcmp(back->data(), data, size) != 0)) std::abort();

    // Piece sizes come from the input's own bytes, so the fuzzer explores the splits too.
    DeflateStream stream;
    for (std::size_t at = 0; at < size;) {
        const std::size_t piece = std::min<std::size_t>(size - at, 1 + std::size_t{data[at]} * 3);
        stream.write(input.subspan(at, piece));
        at += piece;
    }
    if (stream.finish() != packed) std::abort();
    return 0;
}
