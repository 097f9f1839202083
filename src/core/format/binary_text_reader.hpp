// Reading BinaryText pictures (.bin): character/attribute pairs and nothing else; the width
// is not in the picture but in the SAUCE record.
#pragma once

#include <cstdint>
#include <span>

#include "core/format/art_cells.hpp"

namespace glyphloom {

// The width is twice the record's file type (a BinaryText record keeps half the width there;
// its tInfo1 is often wrong). Without a record the width is 160, unless the pairs do not make
// whole rows of 160 but do of 80: then 80, and the note says it was guessed. Attribute bit 7
// blinks unless the record asks for iCE colours.
ArtReadResult readBinaryText(std::span<const std::uint8_t> data, ANSGridCap cap = {});

}  // namespace glyphloom
