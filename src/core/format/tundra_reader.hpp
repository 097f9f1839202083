// Reading TundraDraw pictures (.tnd): a stream of 80-column cells in 24-bit colours.
#pragma once

#include <cstdint>
#include <span>

#include "core/format/art_cells.hpp"

namespace glyphloom {

ArtReadResult readTundra(std::span<const std::uint8_t> data, ANSGridCap cap = {});

}  // namespace glyphloom
