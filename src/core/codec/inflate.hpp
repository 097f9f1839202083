// Decompression of raw DEFLATE streams (no zlib or gzip framing): stored, fixed-Huffman and
// dynamic-Huffman blocks. Every malformed stream yields nothing; nothing here throws or
// trusts a length it has not checked. The PNG reader and the ZIP reader sit on top of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace glyphloom {

// The most a stream may expand to when the caller knows no better bound (a PNG knows its
// exact size, a ZIP entry declares one). A byte of DEFLATE can stand for up to 1032 output
// bytes, so an unbounded decoder lets a small file claim a huge amount of memory.
inline constexpr std::size_t inflateDefaultLimit = std::size_t{64} << 20;

// Decompresses a whole raw DEFLATE stream. `expectedSize` only sizes the first reservation.
// Nothing on malformed input, on input that ends early, and on output that would grow past
// `maxOutput`. Bytes after the final block are ignored.
std::optional<std::vector<std::uint8_t>> inflateRaw(std::span<const std::uint8_t> data, std::size_t expectedSize,
                                                    std::size_t maxOutput = inflateDefaultLimit);

// The size and CRC-32 of what a whole raw DEFLATE stream decompresses to, worked out in a
// small fixed window without keeping the output: a check that costs no memory before the
// output is worth keeping. Nothing exactly when inflateRaw with the same limit gives nothing.
struct InflateCheck {
    std::size_t size = 0;
    std::uint32_t crc = 0;
};
std::optional<InflateCheck> inflateRawCheck(std::span<const std::uint8_t> data, std::size_t maxOutput);

// Decompresses only the first `size` bytes and stops there, leaving the rest of the stream
// unread (for formats that know their exact decoded size, such as PNG image data). Nothing
// when the stream is malformed or ends before `size` bytes.
std::optional<std::vector<std::uint8_t>> inflateRawPrefix(std::span<const std::uint8_t> data, std::size_t size);

}  // namespace glyphloom
