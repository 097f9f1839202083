// Reading ArtWorx pictures (.adf): a version byte, a 64-colour palette, an 8×16 font, then
// 80-column character/attribute pairs.
#pragma once

#include <cstdint>
#include <span>

#include "core/format/art_cells.hpp"

namespace glyphloom {

// Attribute bit 7 brightens the background (ArtWorx draws in iCE colours). The font is not
// shown (the note says so); palette entries that differ from the standard colours become
// 24-bit colours.
ArtReadResult readArtWorx(std::span<const std::uint8_t> data, ANSGridCap cap = {});

}  // namespace glyphloom
