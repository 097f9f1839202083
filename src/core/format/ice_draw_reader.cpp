#include "core/format/ice_draw_reader.hpp"

#include <string>

#include "core/io/little_endian.hpp"

// Format notes. Header: 0x04 "1.4" (or "1.3"), then the bounds x1, y1, x2, y2 as 16-bit
// little-endian numbers; the picture is x2 − x1 + 1 columns wide. The pairs run up to the
// font (4096 bytes) and palette (48 bytes: sixteen 6-bit VGA triples in colour-number order)
// that end the file. A run is the pair 0x01 0x00, a count (the low byte of a 16-bit number)
// and the pair to repeat.

namespace glyphloom {
namespace {

constexpr std::size_t iceDrawHeaderSize = 12;
constexpr std::size_t iceDrawFontBytes = 4096;
constexpr std::size_t iceDrawPaletteBytes = 48;


}  // namespace

ArtReadResult readIceDraw(std::span<const std::uint8_t> data, ANSGridCap cap) {
    cap = clampedCap(cap);
    const ArtBody body = splitSauce(data);
    const auto bytes = body.bytes;
    if (bytes.size() < iceDrawHeaderSize || bytes[0] != 0x04 || bytes[1] != '1' || bytes[2] != '.')
        return artFailure("not an iCE Draw file");
    const int x1 = readLE16(bytes, 4), y1 = readLE16(bytes, 6), x2 = readLE16(bytes, 8), y2 = readLE16(bytes, 10);
    if (x2 < x1 || y2 < y1) return artFailure("iCE Draw bounds are empty");
    const int width = x2 - x1 + 1;
    const int height = y2 - y1 + 1;

    AttributePalette palette = standardAttributePalette();
    std::span<const std::uint8_t> image = bytes.subspan(iceDrawHeaderSize);
    std::string note = "its own font is not shown";
    if (image.size() >= iceDrawFontBytes + iceDrawPaletteBytes) {
        palette = attributePalette(image.last(iceDrawPaletteBytes));
        image = image.first(image.size() - iceDrawFontBytes - iceDrawPaletteBytes);
    } else {
        note = "cut short: no font or palette at its end";
    }

    const AttributeCells cells(palette, {true, false});
    ArtGridBuilder grid(width, height, cap);
    std::size_t at = 0;
    while (at + 1 < image.size() && !grid.full()) {
        if (image[at] == 0x01 && image[at + 1] == 0x00 && at + 5 < image.size()) {
            const int count = image[at + 2];
            const ANSICell cell = cells(image[at + 4], image[at + 5]);
            for (int i = 0; i < count; ++i) grid.put(cell);
            at += 6;
        } else {
            grid.put(cells(image[at], image[at + 1]));
            at += 2;
        }
    }
    if (grid.rowsStarted() == 0) return artFailure("no picture in it");
    return finishedArt(grid.finish(), body.sauce, sizeNote(width, grid.rowsStarted(), grid.rowsStarted(), cap, note));
}

}  // namespace glyphloom
