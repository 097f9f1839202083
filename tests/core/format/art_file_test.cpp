#include "core/format/art_file.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/format/art_test_support.hpp"
#include "core/io/file_io.hpp"
#include "core/model/print_values.hpp"

namespace glyphloom {
namespace art_file_test {

using namespace art_test;
namespace fs = std::filesystem;

TEST(ArtFile, TheExtensionPicksTheReader) {
    const std::pair<const char*, ArtFormat> cases[] = {
        {"art.ans", ArtFormat::ansi},        {"/x/ART.UTF8.ANS", ArtFormat::ansiUTF8}, {"a.XB", ArtFormat::xbin},
        {"a.bin", ArtFormat::binaryText},    {"a.adf", ArtFormat::artWorx},            {"a.idf", ArtFormat::iceDraw},
        {"TCC.PCB", ArtFormat::pcBoard},     {"a.avt", ArtFormat::avatar},             {"a.tnd", ArtFormat::tundra},
        {"notes.txt", ArtFormat::ansi},      {"/dir.xb/art", ArtFormat::ansi},         {"noext", ArtFormat::ansi},
    };
    for (const auto& [path, format] : cases) EXPECT_EQ(artFormatForPath(path), format) << path;
}

TEST(ArtFile, ANSIArtReadsAsBeforeAndFailsWithoutAReason) {
    const auto read = readArtFile(bytes("\x1b[31mred"), ArtFormat::ansi);
    ASSERT_TRUE(read.art);
    EXPECT_EQ(read.art->cells.row(0)[0].foreground, c16(1));
    EXPECT_FALSE(readArtFile(bytes("\r\n"), ArtFormat::ansi).art);
    EXPECT_EQ(readArtFile(bytes("\r\n"), ArtFormat::ansi).failure, "");
}

// The shared corpus holds the same 80 × 59 picture in five formats, and PCBoard test sheets.
class ArtCorpus : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(folder_)) GTEST_SKIP() << "no corpus at " << folder_;
    }
    Bytes data(const std::string& name) const {
        return readWholeFile((folder_ / name).string(), 1 << 20).data.value_or(Bytes{});
    }
    ImportedArt read(const std::string& name) const {
        auto result = readArtFile(data(name), artFormatForPath(name));
        EXPECT_TRUE(result.art) << name << ": " << result.failure;
        return result.art.value_or(ImportedArt{});
    }

private:
    fs::path folder_ = fs::path(GLYPHLOOM_CORPUS_DIR) / "formats";
};

TEST_F(ArtCorpus, EveryFileHasTheSizeItsHeaderOrLinesSay) {
    struct Case {
        const char* name;
        int columns;
        int rows;
    };
    const Case cases[] = {
        {"bs-alove.xb", 80, 59},  {"bs-alove.bin", 80, 59}, {"bs-alove.adf", 80, 59}, {"bs-alove.tnd", 80, 60},
        {"bs-alove.pcb", 79, 59}, {"BLINK.PCB", 10, 16},    {"SHEET.PCB", 33, 21},     {"SHEETS.PCB", 33, 21},
        {"TCC.PCB", 80, 25},      {"ZII-RTXT.pcb", 80, 29},
    };
    for (const Case& c : cases) {
        const ImportedArt art = read(c.name);
        EXPECT_EQ(art.cells.rowLength(0), c.columns) << c.name;
        EXPECT_EQ(art.cells.rowCount(), c.rows) << c.name;
    }
}

TEST_F(ArtCorpus, TheFiveVersionsOfOnePictureAgree) {
    const Bytes raw = data("bs-alove.bin");
    const ImportedArt binaryText = read("bs-alove.bin");
    ASSERT_EQ(raw.size(), 9440u);
    // BinaryText is the raw pairs: its cells are what the bytes say.
    for (const auto& [row, col] : {std::pair{10, 20}, {30, 5}, {58, 79}}) {
        const std::size_t at = static_cast<std::size_t>(row * 80 + col) * 2;
        EXPECT_EQ(binaryText.cells.row(row)[static_cast<std::size_t>(col)], dosCell(raw[at], raw[at + 1]));
    }
    EXPECT_EQ(binaryText.cells.row(30)[5].character, CellChar("▓"));

    EXPECT_EQ(read("bs-alove.xb").cells, binaryText.cells);
    EXPECT_EQ(read("bs-alove.adf").cells, binaryText.cells);
    // The display file writes no trailing blanks, and a blank's foreground does not show.
    const ImportedArt display = read("bs-alove.pcb");
    for (int r = 0; r < 59; ++r) {
        for (std::size_t c = 0; c < 79; ++c) {
            ANSICell shown = display.cells.row(r)[c];
            if (shown.character.isSpace()) shown.foreground = binaryText.cells.row(r)[c].foreground;
            ASSERT_EQ(shown, binaryText.cells.row(r)[c]) << r << "," << c;
        }
    }

    // TundraDraw has a blank row inserted before the last one, and 24-bit colours; it cannot
    // store the characters 0x00 and 0x01 (row 40 has both) and jumps over them instead.
    const ImportedArt tundra = read("bs-alove.tnd");
    for (int r = 0; r < 58; ++r) {
        for (std::size_t c = 0; c < 80; ++c) {
            const std::uint8_t byte = raw[static_cast<std::size_t>(r * 80) * 2 + c * 2];
            const CellChar expected = byte == 0x01 ? CellChar(" ") : binaryText.cells.row(r)[c].character;
            EXPECT_EQ(tundra.cells.row(r)[c].character, expected) << r << "," << c;
        }
    }
    EXPECT_EQ(rowText(tundra.cells, 58), "");
    EXPECT_EQ(rowText(tundra.cells, 59), rowText(binaryText.cells, 58));
    EXPECT_EQ(tundra.cells.row(4)[43], cell("▄", ANSIColorValue::truecolor(0xFF, 0x57, 0xFF), c16(0)));
}

TEST_F(ArtCorpus, BlinkCodesOfATestSheetBlink) {
    const ImportedArt art = read("BLINK.PCB");
    EXPECT_TRUE(art.blinkingText);
    EXPECT_EQ(rowText(art.cells, 1), "  Blink");
    EXPECT_EQ(art.cells.row(1)[2], cell("B", c16(0), c16(7), true));  // "@XF0": black on blinking light grey
}

}  // namespace art_file_test
}  // namespace glyphloom
