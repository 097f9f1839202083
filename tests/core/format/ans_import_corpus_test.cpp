// Real ANSI art nobody here wrote, read as the open path reads it: widths of art without a
// record, UTF-8 art recognised by its bytes, the end-of-file mark and 24-bit `t` colours.
// Skips when the shared corpus is not next to the repository.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/format/ans_import.hpp"
#include "core/io/file_io.hpp"

namespace glyphloom {
namespace {

namespace fs = std::filesystem;

std::optional<std::vector<std::uint8_t>> corpusFile(const std::string& name) {
    return readWholeFile((fs::path(GLYPHLOOM_CORPUS_DIR) / "ans" / name).string(), 64 << 20).data;
}

std::vector<std::string> corpusNames() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(GLYPHLOOM_CORPUS_DIR) / "ans", error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && !name.ends_with(".tsv") && !name.ends_with(".md")) names.push_back(name);
    }
    return names;
}

std::optional<ImportedANS> opened(const std::string& name, const std::vector<std::uint8_t>& data) {
    return importANSFile(data, readsAsUTF8(name, data));
}

#define REQUIRE_CORPUS_FILE(data, name) \
    if (!(data)) GTEST_SKIP() << "no " << (name) << " in the corpus at " GLYPHLOOM_CORPUS_DIR "/ans"

std::string rowText(const CellGrid& grid, int r) {
    std::string out;
    for (const ANSICell& cell : grid.row(r)) out += cell.character.str();
    return out;
}

std::string allText(const CellGrid& grid) {
    std::string out;
    for (int r = 0; r < grid.rowCount(); ++r) out += rowText(grid, r) + "\n";
    return out;
}

// Art drawn on an 80-column screen without a record to say so: it relied on the screen's
// wrap and on cursor moves, and reads 80 columns wide.
TEST(AnsImportCorpus, ScreenArtWithoutARecordReadsEightyColumnsWide) {
    struct Case {
        const char* name;
        int rows;
    };
    for (const Case c : {Case{"XTC2.ANS", 23}, Case{"ELM.ANS", 23}}) {
        const auto data = corpusFile(c.name);
        REQUIRE_CORPUS_FILE(data, c.name);
        const auto art = opened(c.name, *data);
        ASSERT_TRUE(art) << c.name;
        EXPECT_EQ(art->cells.rowLength(0), 80) << c.name;
        EXPECT_EQ(art->cells.rowCount(), c.rows) << c.name;
    }
}

// No corpus file without a usable record width is wider than the screen it was drawn on.
TEST(AnsImportCorpus, NoFileWithoutAWidthOfItsOwnRunsPastEightyColumns) {
    const auto names = corpusNames();
    if (names.empty()) GTEST_SKIP() << "no ANSI art corpus at " GLYPHLOOM_CORPUS_DIR "/ans";
    for (const std::string& name : names) {
        const auto data = corpusFile(name);
        ASSERT_TRUE(data) << name;
        const auto art = opened(name, *data);
        ASSERT_TRUE(art) << name;
        if (art->sauce && art->sauce->tInfo1 >= 10 && art->sauce->tInfo1 <= 1000) continue;
        EXPECT_LE(art->cells.rowLength(0), 80) << name;
    }
}

TEST(AnsImportCorpus, OnlyTheUTF8FilesReadAsUTF8) {
    const std::map<std::string, std::string> utf8Files = {
        {"Pac-Man_UTF-8.txt", "╔═══"},
        {"retrotxt.utf8ans.ans", "▄"},
    };
    const auto names = corpusNames();
    if (names.empty()) GTEST_SKIP() << "no ANSI art corpus at " GLYPHLOOM_CORPUS_DIR "/ans";
    for (const std::string& name : names) {
        const auto data = corpusFile(name);
        ASSERT_TRUE(data) << name;
        const auto found = utf8Files.find(name);
        EXPECT_EQ(readsAsUTF8(name, *data), found != utf8Files.end()) << name;
        if (found == utf8Files.end()) continue;
        const auto art = opened(name, *data);
        ASSERT_TRUE(art) << name;
        const std::string text = allText(art->cells);
        EXPECT_NE(text.find(found->second), std::string::npos) << name;
        // What the bytes of box drawing look like when read as CP437.
        EXPECT_EQ(text.find("Γò"), std::string::npos) << name;
        EXPECT_EQ(text.find("ΓûÇ"), std::string::npos) << name;
    }
}

TEST(AnsImportCorpus, CreditsAfterTheEndOfFileMarkAreNotArt) {
    const auto data = corpusFile("ELM.ANS");
    REQUIRE_CORPUS_FILE(data, "ELM.ANS");
    const auto art = opened("ELM.ANS", *data);
    ASSERT_TRUE(art);

    std::vector<std::uint8_t> credited = *data;
    const std::string credits = "\x1a\r\n\r\nELM by Someone Else (1995)\r\nGreets to the whole scene\r\n";
    credited.insert(credited.end(), credits.begin(), credits.end());
    const auto withCredits = opened("ELM.ANS", credited);
    ASSERT_TRUE(withCredits);
    EXPECT_EQ(withCredits->cells, art->cells);

    // A real file that does the same.
    const auto sonic = corpusFile("Sonic_Green_Hill_Zone_256.ans");
    REQUIRE_CORPUS_FILE(sonic, "Sonic_Green_Hill_Zone_256.ans");
    const auto sonicArt = opened("Sonic_Green_Hill_Zone_256.ans", *sonic);
    ASSERT_TRUE(sonicArt);
    EXPECT_EQ(allText(sonicArt->cells).find("Majerus"), std::string::npos);
    EXPECT_EQ(sonicArt->cells.rowCount(), 21);
}

TEST(AnsImportCorpus, TSequencesColourTheArt) {
    const auto tc = ANSIColorValue::truecolor;
    struct Case {
        const char* file;
        int row, col;
        const char* character;
        ANSIColorValue fg, bg;
    };
    const Case cases[] = {
        {"ZII-RTXT.ans", 1, 1, "█", tc(191, 0, 5), ANSIColorValue::ansi16(0)},
        {"ZII-RTXT.ans", 1, 2, "▄", tc(255, 102, 106), tc(191, 0, 5)},
        {"ZII-RTXT.ans", 1, 4, "▄", tc(255, 155, 157), tc(191, 0, 5)},
        {"testcase-160col.ans", 0, 0, "█", tc(0, 171, 0), tc(0, 0, 0)},
    };
    for (const Case& c : cases) {
        const auto data = corpusFile(c.file);
        REQUIRE_CORPUS_FILE(data, c.file);
        const auto art = opened(c.file, *data);
        ASSERT_TRUE(art) << c.file;
        const ANSICell* cell = art->cells.cellAt(c.row, c.col);
        ASSERT_NE(cell, nullptr) << c.file;
        EXPECT_EQ(cell->character.str(), c.character) << c.file << " " << c.row << "," << c.col;
        EXPECT_EQ(cell->foreground, c.fg) << c.file << " " << c.row << "," << c.col;
        EXPECT_EQ(cell->background, c.bg) << c.file << " " << c.row << "," << c.col;
    }
}

}  // namespace
}  // namespace glyphloom
