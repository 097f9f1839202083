#include "core/fonts/tdf_reader.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "core/fonts/tdf_test_file.hpp"
#include "core/io/file_io.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace tdf_reader_test {

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

TEST(TDFReader, OutlineFontsDrawTheirPartsInBoxLines) {
    // The same bytes mean outline parts in an outline font and characters in a block font.
    const std::vector<std::string> rows{"@EAF@", "EJOIF", "COOOD", "KBBBL&"};
    const std::vector<std::uint8_t> extra{3, 1, 'E', 0xDB, 'L', 0x00};
    const auto outline = fromTDF("o", tdf_test::file({Record{"Out", 0, 1, {{'A', blockGlyph(rows)}, {'B', extra}}}}));
    const auto block = fromTDF("b", tdf_test::file({Record{"Blk", 1, 1, {{'A', blockGlyph(rows)}}}}));
    ASSERT_EQ(outline.size(), 1u);
    ASSERT_EQ(block.size(), 1u);
    EXPECT_EQ(outline[0].glyphs.at("A"), (std::vector<std::string>{" ┌─┐ ", "┌┘ └┐", "│   │", "└───┘ "}));
    EXPECT_EQ(outline[0].renderMode, BlockFontRenderMode::literal);
    // Bytes that are no outline part keep their character.
    EXPECT_EQ(outline[0].glyphs.at("B"), (std::vector<std::string>{"┌█┘"}));
    EXPECT_EQ(block[0].glyphs.at("A"), rows);
}

// --- Real files ---
// A glyph may not outgrow the largest size the format declares, whatever its header says: a
// "1 × 1" glyph of sixty thousand rows, shared by every character, once took seconds and
// hundreds of megabytes to read.
TEST(TDFReader, RefusesGlyphsThatOutgrowTheLargestSize) {
    auto rows = [](int count, std::size_t width) { return std::vector<std::string>(count, std::string(width, 'x')); };
    auto declaredOneByOne = [](std::vector<std::uint8_t> glyph) {
        glyph[0] = glyph[1] = 1;
        return glyph;
    };
    const auto fonts = fromTDF("f", tdf_test::file({Record{"S", 1, 1,
                                                           {{'A', declaredOneByOne(blockGlyph(rows(30'000, 1)))},
                                                            {'B', declaredOneByOne(blockGlyph(rows(21, 1)))},
                                                            {'C', declaredOneByOne(blockGlyph(rows(1, 61)))},
                                                            {'D', declaredOneByOne(blockGlyph(rows(20, 60)))},
                                                            {'E', blockGlyph(rows(3, 2))}}}}));
    ASSERT_EQ(fonts.size(), 1u);
    for (const char* refused : {"A", "B", "C"}) EXPECT_EQ(fonts[0].glyphs.count(refused), 0u) << refused;
    EXPECT_EQ(fonts[0].glyphs.at("D").size(), 20u);  // the largest a glyph may be, kept whole
    EXPECT_EQ(fonts[0].height, 20);
    EXPECT_EQ(fonts[0].glyphs.at("E"), rows(3, 2));
}

// Glyphs may share their bytes, but a file cannot hold more cells than a few per byte: font
// after font of ninety-four characters pointing at one large glyph stops growing.
TEST(TDFReader, AFileHoldsNoMoreCellsThanItsBudget) {
    std::map<char, std::vector<std::uint8_t>> one{{'!', blockGlyph(std::vector<std::string>(20, std::string(60, '#')))}};
    std::vector<Record> records(40, Record{"Big", 1, 1, one});
    auto data = tdf_test::file(records);
    // Every character of every font at the one glyph.
    std::size_t pos = 20;
    for (std::size_t record = 0; record < records.size(); ++record) {
        while (!(data[pos] == 0x55 && data[pos + 1] == 0xAA && data[pos + 2] == 0 && data[pos + 3] == 0xFF)) ++pos;
        for (std::size_t i = 0; i < 94; ++i) data[pos + 25 + 2 * i] = data[pos + 26 + 2 * i] = 0;
        pos += 213;
    }
    std::size_t cells = 0;
    for (const BlockFont& font : fromTDF("f", data))
        for (const auto& [character, glyphRows] : font.glyphs)
            for (const std::string& row : glyphRows) cells += row.size();
    EXPECT_GT(cells, 0u);
    EXPECT_LE(cells, 8 * data.size() + 65536);
    EXPECT_LT(cells, 40u * 94 * 1200);  // what the fonts would hold unbounded
}

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

// The box-drawing arms (up, down, left, right) of a line character; nothing for other text.
std::optional<std::array<bool, 4>> arms(const std::string& c) {
    static const std::map<std::string, std::array<bool, 4>> table{
        {"─", {false, false, true, true}}, {"│", {true, true, false, false}}, {"┌", {false, true, false, true}},
        {"┐", {false, true, true, false}}, {"└", {true, false, false, true}}, {"┘", {true, false, true, false}}};
    const auto it = table.find(c);
    return it == table.end() ? std::nullopt : std::optional(it->second);
}

TEST(TDFReader, CorpusOutlineFontsDrawClosedOutlines) {
    const fs::path folder = fs::path(GLYPHLOOM_CORPUS_DIR) / "tdf";
    if (!fs::exists(folder)) GTEST_SKIP() << "no corpus at " << folder;
    const auto bigout = fromTDF("bigout", *readWholeFile((folder / "bigout.tdf").string(), 1 << 20).data);
    ASSERT_EQ(bigout.size(), 1u);
    EXPECT_EQ(bigout[0].glyph("O"), (std::vector<std::string>{"┌─────────┐", "│  ┌───┐  │", "│  │   │  │",
                                                               "│  │   │  │", "│  │   │  │", "│  │   │  │",
                                                               "│  └───┘  │", "└─────────┘", "           "}));
    // Every line of every outline glyph meets a line at each of its ends: a part drawn with
    // the wrong corner leaves an arm hanging. Tails and the diagonal strokes of K cannot
    // close in box lines, in any rendering of these fonts.
    const std::set<std::string> diagonal{"\"", "&", "'", ",", ";", "`", "$", "K", "k"};
    const auto bundle = fromTDF("org", *readWholeFile((folder / "tdfonts_org.tdf").string(), 1 << 20).data);
    std::vector<const BlockFont*> outlines{&bigout[0]};
    for (const BlockFont& font : bundle)
        if (font.name == "Outline" || font.name == "BigOutline") outlines.push_back(&font);  // its two type-0 fonts
    ASSERT_EQ(outlines.size(), 3u);
    int lines = 0;
    for (const BlockFont* font : outlines) {
        for (const auto& [character, rows] : font->glyphs) {
            if (diagonal.contains(character)) continue;
            std::vector<std::vector<std::string>> grid;
            for (const std::string& row : rows) grid.push_back(utf8::graphemeClusters(row));
            auto at = [&](int r, int c) -> std::optional<std::array<bool, 4>> {
                if (r < 0 || r >= static_cast<int>(grid.size()) || c < 0 ||
                    c >= static_cast<int>(grid[static_cast<std::size_t>(r)].size()))
                    return std::nullopt;
                return arms(grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
            };
            for (int r = 0; r < static_cast<int>(grid.size()); ++r) {
                for (int c = 0; c < static_cast<int>(grid[static_cast<std::size_t>(r)].size()); ++c) {
                    const std::string& cell = grid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                    EXPECT_TRUE(cell == " " || arms(cell)) << font->name << " " << character << " " << cell;
                    const auto a = at(r, c);
                    if (!a) continue;
                    ++lines;
                    const std::string where = font->name + " " + character + " " + std::to_string(r) + "," +
                                              std::to_string(c);
                    auto meets = [&](int dr, int dc, int arm) {
                        const auto n = at(r + dr, c + dc);
                        return n && (*n)[static_cast<std::size_t>(arm)];
                    };
                    EXPECT_TRUE(!(*a)[0] || meets(-1, 0, 1)) << where;
                    EXPECT_TRUE(!(*a)[1] || meets(1, 0, 0)) << where;
                    EXPECT_TRUE(!(*a)[2] || meets(0, -1, 3)) << where;
                    EXPECT_TRUE(!(*a)[3] || meets(0, 1, 2)) << where;
                }
            }
        }
    }
    EXPECT_GT(lines, 5000);
}

}  // namespace tdf_reader_test
}  // namespace glyphloom
