// Writing 8-bit RGB PNG files with the program's own DEFLATE: signature, IHDR, one IDAT
// holding the whole zlib stream, IEND.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/codec/deflate.hpp"

namespace glyphloom {

// `rgb` holds width × height × 3 bytes, row-major, top row first. Rows after the first are
// Up-filtered. Empty data when the dimensions are not positive or do not match `rgb`.
std::vector<std::uint8_t> encodePNG(int width, int height, std::span<const std::uint8_t> rgb);

// The same file built row by row, top row first, so a picture drawn a band at a time never
// has to exist whole. `finish` gives exactly what `encodePNG` gives for the joined rows, or
// empty data when the dimensions are not positive or the rows did not match them.
class PNGRowEncoder {
public:
    PNGRowEncoder(int width, int height);
    // One row of width × 3 bytes.
    void addRow(std::span<const std::uint8_t> rgbRow);
    std::vector<std::uint8_t> finish();

private:
    int width_;
    int height_;
    std::size_t stride_;
    int rowsAdded_ = 0;
    bool broken_ = false;
    std::vector<std::uint8_t> above_;  // the previous row, unfiltered
    std::vector<std::uint8_t> line_;   // the filtered scanline being handed on
    std::uint32_t adler_ = 1;
    DeflateStream deflate_;
};

// Four bytes, most significant first.
std::array<std::uint8_t, 4> be32(std::uint32_t value);

}  // namespace glyphloom
