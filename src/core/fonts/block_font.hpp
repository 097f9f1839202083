// A block-letter alphabet for the text tool: per character a few rows of text and, for
// colour fonts, their colours. Only the model is declared so far; the built-in fonts and the
// TheDraw / FIGlet readers arrive with the font module.
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

struct BlockFont {
    std::string id;
    std::string name;
    int height = 0;
    int letterSpacing = 1;
    BlockFontRenderMode renderMode = BlockFontRenderMode::activeChar;
    bool isTDF = false;
    // Keyed by one character (a grapheme as UTF-8); one string per row, top first.
    std::map<std::string, std::vector<std::string>> glyphs;
    std::map<std::string, std::vector<std::vector<std::optional<TDFCellColor>>>> cellColors;

    bool isTDFColorFont() const { return renderMode == BlockFontRenderMode::tdfColor; }

    friend bool operator==(const BlockFont&, const BlockFont&) = default;
};

}  // namespace glyphloom
