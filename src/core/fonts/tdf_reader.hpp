// Reader of TheDraw font files (.tdf): one file may hold many fonts, each an outline, block
// or colour font. Malformed input yields fewer fonts or none; nothing here throws.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/fonts/block_font.hpp"

namespace glyphloom {

// Every font of the file in file order; ids are `id` + "_" + the 0-based position.
std::vector<BlockFont> fromTDF(const std::string& id, std::span<const std::uint8_t> data);

// The character a byte of a TheDraw glyph stands for. Unlike text files, every low byte is a
// PC glyph here (LF, CR, SUB and ESC included); NUL reads "?" and 0xFF a plain blank.
const std::array<std::string, 256>& tdfCharacterTable();
// The same for outline fonts, whose letters A–N name the parts of an outline: they become
// single box-drawing lines, and the inside and outside of the letter blanks.
const std::array<std::string, 256>& outlineCharacterTable();

}  // namespace glyphloom
