// The built-in VGA 8 × 16 text-mode font: 256 glyphs in CP437 order. The table itself is
// generated data (vga_font_table.cpp, made by tools/gen_vga_font.py).
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace glyphloom {

struct VGAFont {
    // 16 bytes per glyph, one per pixel row from the top, the most significant bit leftmost.
    static const std::array<std::uint8_t, 4096> glyphs;

    // The 16 rows of one glyph; the byte is clamped to 0…255.
    static std::span<const std::uint8_t, 16> scanlines(int cp437Byte) {
        const int b = cp437Byte < 0 ? 0 : (cp437Byte > 255 ? 255 : cp437Byte);
        return std::span<const std::uint8_t, 16>(glyphs.data() + b * 16, 16);
    }
};

}  // namespace glyphloom
