// Reading iCE Draw pictures (.idf): a 12-byte header with the picture's bounds, run-length
// coded character/attribute pairs, then an 8×16 font and a 16-colour palette at the end.
#pragma once

#include <cstdint>
#include <span>

#include "core/format/art_cells.hpp"

namespace glyphloom {

// Attribute bit 7 brightens the background (iCE colours). The font is not shown (the note
// says so); palette entries that differ from the standard colours become 24-bit colours.
ArtReadResult readIceDraw(std::span<const std::uint8_t> data, ANSGridCap cap = {});

}  // namespace glyphloom
