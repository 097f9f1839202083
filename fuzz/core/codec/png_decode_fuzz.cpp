// Fuzzes the PNG reader with arbitrary files. A decoded image must have exactly the bytes
// its size says, and must survive a trip through the writer and back.
#include <cstdlib>

#include "core/codec/png_decode.hpp"
#include "core/codec/png_encode.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace glyphloom;
    const auto image = decodePNG(std::span<const std::uint8_t>(data, size));
    if (!image) return 0;
    const std::size_t pixels = static_cast<std::size_t>(image->width) * static_cast<std::size_t>(image->height);
    if (image->width <= 0 || image->height <= 0 || pixels > 16'000'000 || image->rgba.size() != pixels * 4) std::abort();
    if (pixels > (1 << 16)) return 0;  // keep iterations fast

    std::vector<std::uint8_t> rgb;
    rgb.reserve(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i) rgb.insert(rgb.end(), image->rgba.begin() + 4 * i, image->rgba.begin() + 4 * i + 3);
    const auto again = decodePNG(encodePNG(image->width, image->height, rgb));
    if (!again || again->width != image->width || again->height != image->height) std::abort();
    for (std::size_t i = 0; i < pixels; ++i)
        for (int c = 0; c < 3; ++c)
            if (again->rgba[4 * i + c] != image->rgba[4 * i + c] || again->rgba[4 * i + 3] != 255) std::abort();
    return 0;
}
