// The named character sets of the picker: the code page 437 catalogue first, then 25 whole
// Unicode blocks, each every scalar of its range in code-point order.
#pragma once

#include <vector>

#include "core/text/cp437_characters.hpp"

namespace glyphloom {

struct Charsets {
    // "CP437" (CP437Characters::allCharacters) followed by the blocks; built on first use.
    static const std::vector<CharacterGroup>& sets();
};

}  // namespace glyphloom
