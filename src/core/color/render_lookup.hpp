// The two look-ups the VGA-look render makes per cell: which glyph of the built-in font a
// cell's character shows, and which RGB a cell colour is on a VGA screen. Kept apart from
// the render so the character tables can change without touching the pixel code.
#pragma once

#include "core/model/cell_char.hpp"
#include "core/model/color.hpp"

namespace glyphloom {

// The CP437 byte (glyph index 0…255) drawn for a cell's character, judged by its first
// Unicode scalar. Characters without a glyph draw as a blank (0x20).
int vgaGlyphIndex(const CellChar& character);

// ansi16 through the VGA palette (indexes outside 0…15 black), ansi256 through the xterm
// 256-colour palette, truecolor as it is.
RGB renderRGB(const ANSIColorValue& color);

}  // namespace glyphloom
