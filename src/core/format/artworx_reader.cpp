#include "core/format/artworx_reader.hpp"

#include <algorithm>
#include <array>

// Format notes. The palette holds 64 EGA-style entries of three 6-bit values; the sixteen
// text colours are entries 0–5, 20, 7 and 56–63 (the EGA register defaults).

namespace glyphloom {
namespace {

constexpr std::size_t paletteAt = 1;
constexpr std::size_t paletteBytes = 64 * 3;
constexpr std::size_t fontBytes = 4096;
constexpr std::size_t imageAt = paletteAt + paletteBytes + fontBytes;
constexpr int width = 80;
constexpr std::array<std::size_t, 16> textColorEntries{0, 1, 2, 3, 4, 5, 20, 7, 56, 57, 58, 59, 60, 61, 62, 63};

}  // namespace

ArtReadResult readArtWorx(std::span<const std::uint8_t> data, ANSGridCap cap) {
    cap = clampedCap(cap);
    const ArtBody body = splitSauce(data);
    const auto bytes = body.bytes;
    if (bytes.size() < imageAt + 2) return artFailure(bytes.size() < imageAt ? "ArtWorx header cut short" : "no picture in it");

    AttributePalette palette;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::size_t entry = paletteAt + textColorEntries[i] * 3;
        palette[i] = paletteEntry(static_cast<int>(i), bytes[entry], bytes[entry + 1], bytes[entry + 2]);
    }
    const AttributeMode mode{true, false};
    const std::size_t pairs = (bytes.size() - imageAt) / 2;
    const std::size_t rows = (pairs + width - 1) / width;
    ArtGridBuilder grid(width, static_cast<int>(std::min<std::size_t>(rows, ANSLimits::maxRows)), cap);
    const std::uint8_t* at = bytes.data() + imageAt;
    const AttributeCells cells(palette, mode);
    for (std::size_t i = 0; i < pairs && !grid.full(); ++i, at += 2) grid.put(cells(at[0], at[1]));
    return finishedArt(grid.finish(), body.sauce,
                       sizeNote(width, static_cast<int>(std::min<std::size_t>(rows, 1u << 30)), grid.rowsStarted(), cap,
                                "its own font is not shown"));
}

}  // namespace glyphloom
