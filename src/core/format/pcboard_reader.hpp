// Reading PCBoard display files (.pcb): CP437 text with "@X" colour codes and the other
// "@…@" codes PCBoard acted on, and often ANSI escape sequences too.
#pragma once

#include <cstdint>
#include <span>

#include "core/format/art_cells.hpp"

namespace glyphloom {

// "@Xbf" sets background b and foreground f (hexadecimal digits; a background of 8 or more
// blinks unless the file's record asks for iCE colours); "@CLS@" clears the screen,
// "@POS:n@" moves to column n, "@CLREOL@" clears to the end of the line; the codes that only
// paused or beeped are dropped. Macros that PCBoard filled in (a caller's name, the date)
// stay as they are written, so no text is lost.
ArtReadResult readPCBoard(std::span<const std::uint8_t> data, ANSGridCap cap = {});

}  // namespace glyphloom
