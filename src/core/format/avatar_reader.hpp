// Reading Avatar display files (.avt): CP437 text with the Avatar control codes (and often
// ANSI escape sequences too).
#pragma once

#include <cstdint>
#include <span>

#include "core/format/art_cells.hpp"

namespace glyphloom {

// ^L clears the screen (and sets the Avatar default, cyan on black); ^Y c n prints c n times;
// ^V^A a sets attribute a, ^V^B turns blinking on, ^V^C–^V^F move the cursor up, down, left
// and right, ^V^G clears to the end of the line, ^V^H r c moves to row r, column c, and
// ^V^Y repeats a pattern. The scrolling and area codes are skipped with their parameters.
// Bit 7 blinks unless the file's record asks for iCE colours.
ArtReadResult readAvatar(std::span<const std::uint8_t> data, ANSGridCap cap = {});

}  // namespace glyphloom
