#include "core/format/xbin_reader.hpp"

#include <string>

#include "core/io/little_endian.hpp"

// Format notes. Flags: bit 0 palette (48 bytes: sixteen 6-bit VGA triples in colour-number
// order), bit 1 font (font height × 256 bytes, twice that with bit 4), bit 2 compressed,
// bit 3 non-blink (attribute bit 7 brightens the background), bit 4 512 characters
// (foreground bit 3 picks the font). A compressed picture is a series of runs: a count byte
// whose top two bits give the kind and whose low six bits + 1 the length —
//   00 that many character/attribute pairs follow      01 one character, then the attributes
//   10 one attribute, then the characters               11 one pair, repeated

namespace glyphloom {
namespace {

constexpr std::size_t xbinHeaderSize = 11;


// Decodes runs until the grid is full or the data ends; returns where it stopped.
template <typename Put>
std::size_t decompress(std::span<const std::uint8_t> data, std::size_t at, const ArtGridBuilder& grid, Put put) {
    while (at < data.size() && !grid.full()) {
        const int kind = data[at] >> 6;
        const int count = (data[at] & 63) + 1;
        ++at;
        if (kind == 0) {
            for (int i = 0; i < count && at + 1 < data.size(); ++i, at += 2) put(data[at], data[at + 1]);
            if (at + 1 >= data.size()) at = data.size();
        } else if (kind == 3) {
            if (at + 1 >= data.size()) return data.size();
            for (int i = 0; i < count; ++i) put(data[at], data[at + 1]);
            at += 2;
        } else {
            if (at >= data.size()) return at;
            const std::uint8_t shared = data[at++];
            for (int i = 0; i < count && at < data.size(); ++i, ++at) {
                if (kind == 1)
                    put(shared, data[at]);
                else
                    put(data[at], shared);
            }
        }
    }
    return at;
}

}  // namespace

ArtReadResult readXBin(std::span<const std::uint8_t> data, ANSGridCap cap) {
    cap = clampedCap(cap);
    const ArtBody body = splitSauce(data);
    const auto bytes = body.bytes;
    if (bytes.size() < xbinHeaderSize || bytes[0] != 'X' || bytes[1] != 'B' || bytes[2] != 'I' || bytes[3] != 'N' ||
        bytes[4] != 0x1A)
        return artFailure("not an XBin file");
    const int width = readLE16(bytes, 5);
    const int height = readLE16(bytes, 7);
    const int fontHeight = bytes[9];
    const std::uint8_t flags = bytes[10];
    if (width == 0 || height == 0) return artFailure("empty XBin picture");

    std::size_t at = xbinHeaderSize;
    AttributePalette palette = standardAttributePalette();
    if ((flags & 1) != 0) {
        if (bytes.size() < at + 48) return artFailure("XBin palette cut short");
        palette = attributePalette(bytes.subspan(at, 48));
        at += 48;
    }
    std::string note;
    if ((flags & 2) != 0) {
        const std::size_t fontBytes = static_cast<std::size_t>(fontHeight == 0 ? 16 : fontHeight) * ((flags & 16) ? 512 : 256);
        if (bytes.size() < at + fontBytes) return artFailure("XBin font cut short");
        at += fontBytes;
        note = (flags & 16) != 0 ? "its own 512-character font is not shown" : "its own font is not shown";
    }
    const AttributeMode mode{(flags & 8) != 0, (flags & 16) != 0};

    ArtGridBuilder grid(width, height, cap);
    const AttributeCells cells(palette, mode);
    auto put = [&](std::uint8_t character, std::uint8_t attribute) { grid.put(cells(character, attribute)); };
    if ((flags & 4) != 0) {
        decompress(bytes, at, grid, put);
    } else {
        for (; at + 1 < bytes.size() && !grid.full(); at += 2) put(bytes[at], bytes[at + 1]);
    }
    if (grid.rowsStarted() == 0) return artFailure("no picture in it");
    return finishedArt(grid.finish(), body.sauce, sizeNote(width, height, grid.rowsStarted(), cap, note));
}

}  // namespace glyphloom
