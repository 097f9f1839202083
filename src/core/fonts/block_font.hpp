// A block-letter alphabet for the text tool: per character a few rows of text and, for
// colour fonts, their colours, with the look-ups that fill in what a font lacks. The built-in
// faces live in builtin_fonts.cpp; the TheDraw and FIGlet readers in their own files.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace glyphloom {

enum class BlockFontRenderMode { activeChar, literal, tdfColor };

// 16-colour indices of one glyph cell of a colour font.
struct TDFCellColor {
    int fg = 0;
    int bg = 0;
    friend bool operator==(const TDFCellColor&, const TDFCellColor&) = default;
};

using GlyphColors = std::vector<std::vector<std::optional<TDFCellColor>>>;

struct BlockFont {
    std::string id;
    std::string name;
    int height = 0;
    int letterSpacing = 1;
    BlockFontRenderMode renderMode = BlockFontRenderMode::activeChar;
    bool isTDF = false;
    // Keyed by one character (a grapheme as UTF-8); one string per row, top first. The map's
    // byte order is code-point order, so its first entry is the lowest character.
    std::map<std::string, std::vector<std::string>> glyphs;
    std::map<std::string, GlyphColors> cellColors;

    bool isTDFColorFont() const { return renderMode == BlockFontRenderMode::tdfColor; }

    // The rows for `c`, else for its upper-case form, else a blank glyph as wide as the
    // lowest character's glyph (5 for an empty font). Rows are padded at the bottom to
    // `height`, never cut.
    std::vector<std::string> glyph(const std::string& c) const;
    // The colour grid for `c` (same fallback), padded at the bottom with absent colours;
    // nothing when the font has none for it.
    std::optional<GlyphColors> colors(const std::string& c) const;

    // "Block", "Slim", "Mini", "Classic", "Lower", in this order.
    static const std::vector<BlockFont>& builtIn();

    friend bool operator==(const BlockFont&, const BlockFont&) = default;
};

// Width of a glyph row in cells (one per character).
int glyphRowWidth(const std::string& row);

// One character of a glyph drawn at a scale: the top-left cell of its scale × scale block,
// counted from the glyph's top-left, the character, and its own colours in a colour font.
struct ScaledGlyphCell {
    int row = 0;
    int col = 0;
    std::string character;
    std::optional<TDFCellColor> color;
    friend bool operator==(const ScaledGlyphCell&, const ScaledGlyphCell&) = default;
};

// The characters of a glyph's rows drawn at `scale` (below 1 counts as 1), in reading order,
// with the colours `colors` has for them. Blanks are left out: what is beneath shows through.
std::vector<ScaledGlyphCell> scaledGlyphCells(const std::vector<std::string>& rows, int scale,
                                              const std::optional<GlyphColors>& colors);

}  // namespace glyphloom
