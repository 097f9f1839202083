// The two checksums of the zlib and PNG formats: CRC-32 (PNG chunks, ZIP entries) and
// Adler-32 (the zlib stream trailer).
#pragma once

#include <cstdint>
#include <span>

namespace glyphloom {

// Standard reflected CRC-32, polynomial 0xEDB88320, initial value and final XOR all ones.
// Pass a previous result as `crc` to continue it over more bytes.
std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc = 0);

// Adler-32 (RFC 1950): two sums modulo 65521, starting from 1.
std::uint32_t adler32(std::span<const std::uint8_t> bytes, std::uint32_t adler = 1);

}  // namespace glyphloom
