// Character and colour look-ups for the VGA-look render.
//
// The glyph look-up is provisional: it knows printable ASCII only (where CP437 and Unicode
// agree) and draws everything else blank. It becomes the CP437 reverse table, then its
// look-alike substitutes, then blank, once those tables are in the tree.
#include "core/render_lookup.hpp"

#include "core/utf8.hpp"

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
    if (scalar >= 0x20 && scalar <= 0x7E) return static_cast<int>(scalar);
    return 0x20;
}

RGB renderRGB(const ANSIColorValue& color) {
    switch (color.kind) {
        case ANSIColorValue::Kind::ansi16:
            if (color.n < 0 || color.n > 15) return {0, 0, 0};
            return ANSIColorValue::cgaRGB()[static_cast<std::size_t>(color.n)];
        case ANSIColorValue::Kind::ansi256: {
            // xterm palette: the 16 classic colours, a 6×6×6 cube, a 24-step grey ramp.
            const int n = color.n < 0 ? 0 : (color.n > 255 ? 255 : color.n);
            if (n < 16) return ANSIColorValue::cgaRGB()[static_cast<std::size_t>(n)];
            if (n >= 232) {
                const auto g = static_cast<std::uint8_t>(8 + 10 * (n - 232));
                return {g, g, g};
            }
            const int i = n - 16;
            auto level = [](int l) { return static_cast<std::uint8_t>(l == 0 ? 0 : 40 * l + 55); };
            return {level(i / 36), level((i / 6) % 6), level(i % 6)};
        }
        case ANSIColorValue::Kind::truecolor: return color.rgb();
    }
    return {0, 0, 0};
}

}  // namespace glyphloom
