// The named character sets of the picker: the code page 437 catalogue first, then 25 Unicode
// blocks, each the scalars of its range that show as glyphs of their own, in code-point order.
#pragma once

#include <vector>

#include "core/text/cp437_characters.hpp"

namespace glyphloom {

struct Charsets {
    // "CP437" (CP437Characters::allCharacters) followed by the blocks; built on first use.
    static const std::vector<CharacterGroup>& sets();
};

// Whether a scalar shows as a glyph of its own: assigned, taking at least one column, and not
// a control, format, surrogate or line/paragraph separator. Anything else garbles the row it
// is drawn in, so it is never offered, nor taken as a pen character.
bool isStandaloneGlyph(char32_t scalar);

}  // namespace glyphloom
