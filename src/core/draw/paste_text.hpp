// Where pasted text lands: the walk of a text through a rectangle of cells, character by
// character, with line breaks, tabs, clipping at the right and bottom edges and gaps for
// characters a cell cannot hold. Knows nothing of colours or the editor.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/model/cell.hpp"

namespace glyphloom {

// Inclusive bounds of the cells the text may be written to.
struct TextRegion {
    int top = 0, left = 0, bottom = 0, right = 0;
};

struct PlacedCharacter {
    GridKey at;
    std::string character;  // one grapheme cluster that code page 437 can show
    friend bool operator==(const PlacedCharacter&, const PlacedCharacter&) = default;
};

// Starts at the region's top-left. A line break ("\n", "\r\n" or "\r") goes to the left
// column of the next row, and the walk ends once that row is past the bottom; a tab skips two
// columns; a character past the right edge, or one code page 437 cannot encode, is left out
// but still takes its column.
std::vector<PlacedCharacter> pasteTextPlacements(std::string_view text, TextRegion region);

}  // namespace glyphloom
