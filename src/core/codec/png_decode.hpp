// Reading PNG files into 8-bit RGBA: 8-bit greyscale, RGB, palette, grey + alpha and RGBA,
// not interlaced. Other bit depths, interlacing and oversized images are refused; no
// malformed file makes it throw, crash or allocate past the size limits.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace glyphloom {

struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width × height × 4, row-major, top row first

    friend bool operator==(const DecodedImage&, const DecodedImage&) = default;
};

// Why a file was refused; for tests and diagnostics, callers only need "refused".
enum class PNGRefusal {
    none,
    notPNG,             // signature missing
    noHeader,           // no IHDR chunk of 13 bytes
    badDimensions,      // zero, or past the pixel limits
    unsupportedFormat,  // bit depth other than 8, interlaced, or an unknown colour type
    noImageData,        // fewer than 7 bytes of IDAT
    badCompression,     // the zlib stream is malformed or ends before the image does
    badFilter,          // a scanline filter type above 4
};

// The largest width, height and pixel count accepted (16 million).
inline constexpr std::int64_t pngMaxPixels = 16'000'000;

std::optional<DecodedImage> decodePNG(std::span<const std::uint8_t> data, PNGRefusal* refusal = nullptr);

}  // namespace glyphloom
