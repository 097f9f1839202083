// Reading XBin pictures (.xb): an 11-byte header ("XBIN", 0x1A, width and height as 16-bit
// little-endian numbers, font height, flags), an optional 16-colour palette, an optional
// font, then the character/attribute pairs, plain or run-length compressed.
#pragma once

#include <cstdint>
#include <span>

#include "core/format/art_cells.hpp"

namespace glyphloom {

// The header's size wins over a SAUCE record that disagrees. A font of its own is not shown
// (the note says so); a palette of its own gives 24-bit colours where it differs from the
// standard one.
ArtReadResult readXBin(std::span<const std::uint8_t> data, ANSGridCap cap = {});

}  // namespace glyphloom
