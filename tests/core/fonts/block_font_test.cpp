#include "core/fonts/block_font.hpp"

#include <gtest/gtest.h>

#include <set>

#include "core/text/utf8.hpp"

namespace glyphloom {
namespace block_font_test {

std::set<std::string> characters(const BlockFont& font) {
    std::set<std::string> out;
    for (const auto& [c, rows] : font.glyphs) out.insert(c);
    return out;
}

std::set<std::string> charactersOf(std::string_view text) {
    std::set<std::string> out;
    for (const auto& c : utf8::graphemeClusters(text)) out.insert(c);
    return out;
}

TEST(BlockFont, BuiltInFacesHaveTheirSizesAndCharacterSets) {
    const std::string upper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 ";
    const struct {
        const char* id;
        const char* name;
        int height;
        BlockFontRenderMode mode;
        std::string set;
        int widthOfA;
    } faces[] = {
        {"block5", "Block", 5, BlockFontRenderMode::activeChar, upper + "!?.,-:/'()", 5},
        {"slim", "Slim", 5, BlockFontRenderMode::activeChar, upper + "!?.,-:", 4},
        {"mini", "Mini", 5, BlockFontRenderMode::activeChar, upper + "!?.,-:", 3},
        {"classic", "Classic", 4, BlockFontRenderMode::literal, upper + "!?.,-:'()/", -1},
        {"lower", "Lower", 5, BlockFontRenderMode::activeChar, "abcdefghijklmnopqrstuvwxyz0123456789 !?.,-'", -1},
    };
    const auto& fonts = BlockFont::builtIn();
    ASSERT_EQ(fonts.size(), std::size(faces));
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        const BlockFont& font = fonts[i];
        const auto& face = faces[i];
        EXPECT_EQ(font.id, face.id);
        EXPECT_EQ(font.name, face.name);
        EXPECT_EQ(font.height, face.height);
        EXPECT_EQ(font.renderMode, face.mode);
        EXPECT_EQ(font.letterSpacing, 1);
        EXPECT_FALSE(font.isTDF);
        EXPECT_EQ(characters(font), charactersOf(face.set)) << face.name;
        if (face.widthOfA > 0) {
            EXPECT_EQ(glyphRowWidth(font.glyphs.at("A").front()), face.widthOfA) << face.name;
        }
        for (const auto& [c, rows] : font.glyphs) {
            EXPECT_EQ(static_cast<int>(rows.size()), font.height) << face.name << " " << c;
            for (const std::string& row : rows) {
                // Block faces are drawn in full blocks and blanks, Classic in ASCII.
                for (const auto& cell : utf8::graphemeClusters(row)) {
                    if (font.renderMode == BlockFontRenderMode::activeChar) {
                        EXPECT_TRUE(cell == "█" || cell == " ") << face.name << " " << c;
                    } else {
                        EXPECT_TRUE(cell.size() == 1 && cell[0] >= 0x20 && cell[0] < 0x7F) << face.name << " " << c;
                    }
                }
            }
        }
    }
    EXPECT_EQ(fonts[0].glyphs.at("A"), (std::vector<std::string>{" ███ ", "█   █", "█████", "█   █", "█   █"}));
}

TEST(BlockFont, LookUpFallsBackToUpperCaseThenToABlankGlyph) {
    const BlockFont& block = BlockFont::builtIn()[0];
    const BlockFont& lower = BlockFont::builtIn()[4];
    EXPECT_EQ(block.glyph("a"), block.glyphs.at("A"));
    EXPECT_EQ(lower.glyph("a"), lower.glyphs.at("a"));
    EXPECT_NE(lower.glyph("a"), lower.glyph("A"));

    BlockFont font;
    font.height = 3;
    font.glyphs = {{"Z", {"zz"}}, {"É", {"eee"}}, {"B", {"bbbb", "bbbb", "bbbb"}}};
    // The blank glyph is as wide as the lowest character's, whatever order glyphs came in.
    EXPECT_EQ(font.glyph("?"), (std::vector<std::string>{"    ", "    ", "    "}));
    EXPECT_EQ(font.glyph("é"), (std::vector<std::string>{"eee", "   ", "   "}));
    EXPECT_EQ(font.glyph("z"), (std::vector<std::string>{"zz", "  ", "  "}));
    BlockFont empty;
    empty.height = 2;
    EXPECT_EQ(empty.glyph("A"), (std::vector<std::string>{"     ", "     "}));
    // A glyph with no rows pads to nothing wide.
    font.glyphs["R"] = {};
    EXPECT_EQ(font.glyph("R"), (std::vector<std::string>{"", "", ""}));
}

TEST(BlockFont, ColourGridsFollowTheSameFallbackAndPadding) {
    BlockFont font;
    font.height = 3;
    font.renderMode = BlockFontRenderMode::tdfColor;
    font.cellColors["A"] = {{TDFCellColor{1, 2}, std::nullopt}};
    const auto colors = font.colors("a");
    ASSERT_TRUE(colors);
    ASSERT_EQ(colors->size(), 3u);
    EXPECT_EQ((*colors)[0][0], (TDFCellColor{1, 2}));
    EXPECT_EQ((*colors)[2], (std::vector<std::optional<TDFCellColor>>{std::nullopt, std::nullopt}));
    EXPECT_FALSE(font.colors("B"));
}

TEST(BlockFont, ScaledGlyphCellsLeaveBlanksAndCarryTheirColours) {
    const std::vector<std::string> rows = {"█ ▀", " é"};
    const GlyphColors colors = {{TDFCellColor{1, 2}, std::nullopt, TDFCellColor{3, 4}}};
    const std::vector<ScaledGlyphCell> twice = {
        {0, 0, "█", TDFCellColor{1, 2}}, {0, 4, "▀", TDFCellColor{3, 4}}, {2, 2, "é", std::nullopt}};
    EXPECT_EQ(scaledGlyphCells(rows, 2, colors), twice);
    const std::vector<ScaledGlyphCell> once = {{0, 0, "█", std::nullopt}, {0, 2, "▀", std::nullopt}, {1, 1, "é", std::nullopt}};
    EXPECT_EQ(scaledGlyphCells(rows, 0, std::nullopt), once);
}

}  // namespace block_font_test
}  // namespace glyphloom
