// Compression into a raw DEFLATE stream (no zlib framing): the whole input as one final
// fixed-Huffman block, greedy LZ77 matching over hash chains. The output is fully
// determined by the input, so the PNG files built on it are reproducible byte for byte.
#pragma once

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

namespace glyphloom {

std::vector<std::uint8_t> deflateRaw(std::span<const std::uint8_t> input);

// The fixed literal/length code of a symbol 0..287 (RFC 1951 section 3.2.6): the code
// value, most significant bit first, and its length in bits.
struct HuffmanCode {
    int code;
    int length;
};
HuffmanCode fixedLitCode(int symbol);

}  // namespace glyphloom
