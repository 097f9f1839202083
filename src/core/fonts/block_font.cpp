// Glyph and colour look-ups of a block font: the upper-case fallback, the blank glyph for a
// missing character and the bottom padding of glyphs shorter than the font.
#include "core/fonts/block_font.hpp"

#include <utf8proc.h>

#include <algorithm>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

constexpr int emptyFontBlankWidth = 5;

// The upper-case form of a one-scalar character, when it differs and is one scalar too.
std::optional<std::string> upperCaseForm(const std::string& c) {
    if (c.empty()) return std::nullopt;
    const utf8::Decoded decoded = utf8::decodeAt(c, 0);
    if (!decoded.valid || static_cast<std::size_t>(decoded.length) != c.size()) return std::nullopt;
    const auto upper = static_cast<char32_t>(utf8proc_toupper(static_cast<utf8proc_int32_t>(decoded.scalar)));
    if (upper == decoded.scalar) return std::nullopt;
    return utf8::encode(upper);
}

template <class Map>
const typename Map::mapped_type* lookUp(const Map& map, const std::string& c) {
    if (auto found = map.find(c); found != map.end()) return &found->second;
    if (auto upper = upperCaseForm(c))
        if (auto found = map.find(*upper); found != map.end()) return &found->second;
    return nullptr;
}

}  // namespace

int glyphRowWidth(const std::string& row) {
    // Glyph rows hold one scalar per cell almost always; clusters keep a combining mark with
    // its base so the width matches what is stamped.
    bool ascii = std::all_of(row.begin(), row.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (ascii) return static_cast<int>(row.size());
    return static_cast<int>(utf8::graphemeClusters(row).size());
}

std::vector<ScaledGlyphCell> scaledGlyphCells(const std::vector<std::string>& rows, int scale,
                                              const std::optional<GlyphColors>& colors) {
    scale = std::max(1, scale);
    std::vector<ScaledGlyphCell> cells;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::vector<std::string> characters = utf8::graphemeClusters(rows[i]);
        for (std::size_t j = 0; j < characters.size(); ++j) {
            if (characters[j] == " ") continue;
            ScaledGlyphCell cell{static_cast<int>(i) * scale, static_cast<int>(j) * scale, characters[j], std::nullopt};
            if (colors && i < colors->size() && j < (*colors)[i].size()) cell.color = (*colors)[i][j];
            cells.push_back(std::move(cell));
        }
    }
    return cells;
}

std::vector<std::string> BlockFont::glyph(const std::string& c) const {
    const int rowsWanted = std::max(height, 0);
    std::vector<std::string> rows;
    if (const auto* found = lookUp(glyphs, c)) {
        rows = *found;
    } else {
        int width = emptyFontBlankWidth;
        if (!glyphs.empty()) {
            const auto& lowest = glyphs.begin()->second;
            width = lowest.empty() ? 0 : glyphRowWidth(lowest.front());
        }
        return std::vector<std::string>(static_cast<std::size_t>(rowsWanted),
                                        std::string(static_cast<std::size_t>(width), ' '));
    }
    const std::string blankRow(static_cast<std::size_t>(rows.empty() ? 0 : glyphRowWidth(rows.front())), ' ');
    while (static_cast<int>(rows.size()) < rowsWanted) rows.push_back(blankRow);
    return rows;
}

std::optional<GlyphColors> BlockFont::colors(const std::string& c) const {
    const auto* found = lookUp(cellColors, c);
    if (!found) return std::nullopt;
    GlyphColors grid = *found;
    const std::size_t width = grid.empty() ? 0 : grid.front().size();
    while (static_cast<int>(grid.size()) < height) grid.emplace_back(width);
    return grid;
}

}  // namespace glyphloom
