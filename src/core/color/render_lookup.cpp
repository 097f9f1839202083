// Character and colour look-ups for the VGA-look render: a cell's character becomes the
// CP437 glyph it stands for (or its look-alike), its colours the RGB the art shows.
#include "core/color/render_lookup.hpp"

#include "core/color/color_math.hpp"
#include "core/text/cp437.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {

int vgaGlyphIndex(const CellChar& character) {
    char32_t scalar;
    if (const auto single = character.scalar()) {
        scalar = *single;
    } else {
        const std::string text = character.str();
        if (text.empty()) return 0x20;
        scalar = utf8::decodeAt(text, 0).scalar;
    }
    if (const auto byte = CP437::byteForScalar(scalar)) return *byte;
    if (const auto byte = CP437::substitute(scalar)) return *byte;
    return 0x20;
}

RGB renderRGB(const ANSIColorValue& color) { return rgbOf(color); }

}  // namespace glyphloom
