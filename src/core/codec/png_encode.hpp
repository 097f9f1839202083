// Writing 8-bit RGB PNG files with the program's own DEFLATE: signature, IHDR, one IDAT
// holding the whole zlib stream, IEND.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace glyphloom {

// `rgb` holds width × height × 3 bytes, row-major, top row first. Rows after the first are
// Up-filtered. Empty data when the dimensions are not positive or do not match `rgb`.
std::vector<std::uint8_t> encodePNG(int width, int height, std::span<const std::uint8_t> rgb);

// Four bytes, most significant first.
std::array<std::uint8_t, 4> be32(std::uint32_t value);

}  // namespace glyphloom
