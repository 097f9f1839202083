#include "core/fonts/tdf_reader.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/fonts/tdf_test_file.hpp"
#include "core/io/file_io.hpp"

namespace glyphloom {
namespace {

namespace fs = std::filesystem;
using tdf_test::blockGlyph;
using tdf_test::Record;

TEST(TDFReader, RefusesFilesWithoutTheSignature) {
    const auto good = tdf_test::file({Record{"One", 1, 1, {{'A', blockGlyph({"AA"})}}}});
    ASSERT_EQ(fromTDF("f", good).size(), 1u);
    auto wrongFirst = good;
    wrongFirst[0] = 0x14;
    auto wrongText = good;
    wrongText[5] = 'x';
    auto wrongEnd = good;
    wrongEnd[19] = 0x1B;
    const std::vector<std::uint8_t> shortFile(good.begin(), good.begin() + 24);
    for (const auto& bad : {wrongFirst, wrongText, wrongEnd, shortFile}) EXPECT_TRUE(fromTDF("f", bad).empty());
    EXPECT_TRUE(fromTDF("f", {}).empty());
}

TEST(TDFReader, ReadsEveryFontInFileOrderWithNamesIdsAndSpacing) {
    const auto data = tdf_test::file({
        Record{"Alpha", 1, 3, {{'A', blockGlyph({"AB", "CD"})}}},
        Record{"", 1, 0, {{'B', blockGlyph({"X"})}}},
        Record{std::string("Ga\0\0\0", 5), 2, 2, {}},
    });
    const auto fonts = fromTDF("pack", data);
    ASSERT_EQ(fonts.size(), 3u);
    EXPECT_EQ(fonts[0].id, "pack_0");
    EXPECT_EQ(fonts[0].name, "Alpha");
    EXPECT_EQ(fonts[0].letterSpacing, 3);
    EXPECT_EQ(fonts[0].renderMode, BlockFontRenderMode::literal);
    EXPECT_TRUE(fonts[0].isTDF);
    EXPECT_EQ(fonts[0].height, 2);
    EXPECT_EQ(fonts[0].glyphs.at("A"), (std::vector<std::string>{"AB", "CD"}));
    EXPECT_EQ(fonts[1].id, "pack_1");
    EXPECT_EQ(fonts[1].name, "Font 2");
    // A name padded with NULs stops at the first one.
    EXPECT_EQ(fonts[2].name, "Ga");
    EXPECT_EQ(fonts[2].renderMode, BlockFontRenderMode::tdfColor);
    EXPECT_EQ(fonts[2].height, 1);  // no usable glyph
}

TEST(TDFReader, NameBytesAreLatin1AndCutAtTwelve) {
    const auto data = tdf_test::file({Record{"Caf\xe9 Fonts Long", 1, 1, {}}});
    const auto fonts = fromTDF("f", data);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].name, "Café Fonts L");
}

TEST(TDFReader, SkipsGlyphsOfImpossibleSize) {
    std::vector<std::uint8_t> tooWide = blockGlyph({"A"});
    tooWide[0] = 70;
    std::vector<std::uint8_t> tooTall = blockGlyph({"A"});
    tooTall[1] = 21;
    std::vector<std::uint8_t> zeroWide = blockGlyph({"A"});
    zeroWide[0] = 0;
    const auto fonts = fromTDF("f", tdf_test::file({Record{"S", 1, 1,
                                                           {{'A', tooWide}, {'B', tooTall}, {'C', zeroWide},
                                                            {'D', blockGlyph({"DDD", "DDD"})}}}}));
    ASSERT_EQ(fonts.size(), 1u);
    for (const char* skipped : {"A", "B", "C"}) EXPECT_EQ(fonts[0].glyphs.count(skipped), 0u) << skipped;
    EXPECT_EQ(fonts[0].glyph("A"), (std::vector<std::string>{"   ", "   "}));
}

TEST(TDFReader, ColourFontsSplitTheAttributeAndDropBlink) {
    // Cells: 'X' in 0x9C, 'Y' in 0x1F; then a row with 0xDB in 0x07.
    const std::vector<std::uint8_t> glyph{2, 2, 'X', 0x9C, 'Y', 0x1F, 0x0D, 0xDB, 0x07, 0x00};
    const auto fonts = fromTDF("c", tdf_test::file({Record{"Col", 2, 1, {{'Q', glyph}}}}));
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].glyphs.at("Q"), (std::vector<std::string>{"XY", "█"}));
    const GlyphColors expected = {{TDFCellColor{12, 1}, TDFCellColor{15, 1}}, {TDFCellColor{7, 0}}};
    EXPECT_EQ(fonts[0].cellColors.at("Q"), expected);
}

TEST(TDFReader, LowBytesAreGlyphsNotControls) {
    const std::vector<std::uint8_t> glyph{6, 1, 0x01, 0x0A, 0x1A, 0x1B, 0x7F, 0xFF, 0x00};
    const auto fonts = fromTDF("c", tdf_test::file({Record{"Low", 1, 1, {{'L', glyph}}}}));
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].glyphs.at("L").front(), "☺◙→←⌂ ");
    EXPECT_EQ(tdfCharacterTable()[0x00], "?");
    EXPECT_EQ(tdfCharacterTable()[0x0D], "♪");
}

TEST(TDFReader, ReadsStayInsideTheBlockAndTheFile) {
    // A glyph without its terminator at the end of the block ends with the block: the next
    // record's marker must not become part of it.
    std::vector<std::uint8_t> open{2, 1, 'A', 'B'};
    auto data = tdf_test::file({Record{"One", 1, 1, {{'A', open}}}, Record{"Two", 1, 1, {{'B', blockGlyph({"Z"})}}}});
    auto fonts = fromTDF("f", data);
    ASSERT_EQ(fonts.size(), 2u);
    EXPECT_EQ(fonts[0].glyphs.at("A"), (std::vector<std::string>{"AB"}));
    EXPECT_EQ(fonts[1].glyphs.at("B"), (std::vector<std::string>{"Z"}));

    // A block declared far larger than the file, offsets pointing past it, and a file cut in
    // the middle of a glyph.
    Record liar{"Liar", 1, 1, {{'A', blockGlyph({"AAAA", "AAAA"})}}, std::uint16_t{60000}};
    data = tdf_test::file({liar});
    data.resize(data.size() - 3);
    fonts = fromTDF("f", data);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].glyphs.at("A"), (std::vector<std::string>{"AAAA", "AA"}));
    Record farOffset{"Far", 1, 1, {{'A', blockGlyph({"A"})}}};
    data = tdf_test::file({farOffset});
    data[20 + 25] = 0xF0;  // the offset of "!" now points far outside
    data[20 + 26] = 0x7F;
    EXPECT_EQ(fromTDF("f", data).size(), 1u);
}

TEST(TDFReader, ShortGlyphsArePaddedToTheTallest) {
    const auto fonts = fromTDF("f", tdf_test::file({Record{"P", 1, 1,
                                                           {{'A', blockGlyph({"a", "a", "a", "a", "a", "a"})},
                                                            {'B', blockGlyph({"bbb", "bbb", "bbb", "bbb"})}}}}));
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0].height, 6);
    EXPECT_EQ(fonts[0].glyph("B"), (std::vector<std::string>{"bbb", "bbb", "bbb", "bbb", "   ", "   "}));
}

// --- Real files ---

struct CorpusFont {
    const char* file;
    std::size_t fonts;
};

TEST(TDFReader, CorpusFilesYieldTheFontsTheyDeclareAndStampText) {
    const fs::path folder = fs::path(GLYPHLOOM_CORPUS_DIR) / "tdf";
    if (!fs::exists(folder)) GTEST_SKIP() << "no corpus at " << folder;
    const CorpusFont cases[] = {{"3d-fade.tdf", 1},  {"4maxx.tdf", 5},   {"bigout.tdf", 1},
                                {"block3d.tdf", 1},  {"colosall.tdf", 18}, {"fraktur.tdf", 1},
                                {"jsfthick.tdf", 1}, {"tdfonts_org.tdf", 11}, {"traces.tdf", 1}};
    for (const CorpusFont& c : cases) {
        const auto read = readWholeFile((folder / c.file).string(), 1 << 20);
        ASSERT_TRUE(read.data) << c.file;
        const auto fonts = fromTDF("x", *read.data);
        ASSERT_EQ(fonts.size(), c.fonts) << c.file;
        for (const BlockFont& font : fonts) {
            EXPECT_FALSE(font.glyphs.empty()) << c.file << " " << font.name;
            EXPECT_EQ(font.name.find('\0'), std::string::npos) << c.file;
            for (const char* letter : {"G", "l", "y", "p", "h", "l", "o", "o", "m"}) {
                const auto rows = font.glyph(letter);
                EXPECT_GE(static_cast<int>(rows.size()), font.height) << c.file << " " << letter;
                if (font.isTDFColorFont() && font.glyphs.count(letter)) {
                    EXPECT_TRUE(font.colors(letter).has_value()) << c.file << " " << letter;
                }
            }
        }
    }
}

TEST(TDFReader, CorpusDescendersKeepTheirExtraRows) {
    const fs::path path = fs::path(GLYPHLOOM_CORPUS_DIR) / "tdf" / "bigout.tdf";
    if (!fs::exists(path)) GTEST_SKIP() << "no corpus";
    const auto fonts = fromTDF("bigout", *readWholeFile(path.string(), 1 << 20).data);
    ASSERT_EQ(fonts.size(), 1u);
    // "Q" reaches below the others; the font is as tall as it and no glyph is cut.
    const auto& q = fonts[0].glyphs.at("Q");
    const auto& a = fonts[0].glyphs.at("A");
    EXPECT_GT(q.size(), a.size());
    EXPECT_EQ(fonts[0].height, static_cast<int>(q.size()));
    EXPECT_EQ(fonts[0].glyph("A").size(), q.size());
}

}  // namespace
}  // namespace glyphloom
