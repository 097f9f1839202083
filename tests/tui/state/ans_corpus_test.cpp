// Real ANSI art nobody here wrote: every file must import, survive export and re-import cell
// for cell, keep its SAUCE credit through the editor's save path, and never draw its
// comments; read as the open path reads it, art keeps the width, encoding and colours it was
// drawn with. Skips when the shared corpus is not next to the repository.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/text/cp437.hpp"
#include "core/io/file_io.hpp"
#include "tui/state/sauce_state.hpp"

namespace glyphloom {
namespace ans_corpus_test {

namespace fs = std::filesystem;

struct CorpusFile {
    std::string name;
    std::vector<std::uint8_t> data;
};

std::vector<CorpusFile> corpus() {
    std::vector<CorpusFile> files;
    const fs::path folder = fs::path(GLYPHLOOM_CORPUS_DIR) / "ans";
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file() || name.ends_with(".tsv") || name.ends_with(".md")) continue;
        auto read = readWholeFile(entry.path().string(), 64 << 20);
        if (read.data) files.push_back({name, std::move(*read.data)});
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return files;
}

// Every test starts with this: the corpus lives beside the repository, not in it.
#define REQUIRE_CORPUS(files)                                                                            \
    do {                                                                                                 \
        if ((files).empty())                                                                             \
            GTEST_SKIP() << "no ANSI art corpus at " GLYPHLOOM_CORPUS_DIR                                \
                            "/ans (the shared test files are not part of the repository)";             \
    } while (false)

bool preferUTF8For(const std::string& name) {
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return lower.ends_with(".utf8.ans");
}

std::string rowText(const CellGrid& grid, int r) {
    std::string out;
    for (const ANSICell& cell : grid.row(r)) out += cell.character.str();
    return out;
}

bool allCP437(const CellGrid& grid) {
    for (int r = 0; r < grid.rowCount(); ++r)
        for (const ANSICell& cell : grid.row(r))
            if (!CP437::canEncode(cell.character.str())) return false;
    return true;
}

bool anyBlink(const CellGrid& grid) {
    for (int r = 0; r < grid.rowCount(); ++r)
        for (const ANSICell& cell : grid.row(r))
            if (cell.blink) return true;
    return false;
}

CellGrid withoutBlink(CellGrid grid) {
    for (int r = 0; r < grid.rowCount(); ++r)
        for (ANSICell& cell : grid.mutableRow(r)) cell.blink = false;
    return grid;
}

std::string fixedDate() { return "20250101"; }

// Both ways of decoding: as the file name asks, and forced UTF-8 (which falls back to CP437).
std::vector<bool> decodings(const CorpusFile& file) {
    return preferUTF8For(file.name) ? std::vector<bool>{true} : std::vector<bool>{false, true};
}

TEST(AnsCorpus, EveryFileImportsWithinItsRecordedWidth) {
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    for (const auto& file : files) {
        for (bool utf8 : decodings(file)) {
            const auto imported = importANSFile(file.data, utf8);
            ASSERT_TRUE(imported) << file.name;
            const CellGrid& cells = imported->cells;
            EXPECT_GE(cells.rowCount(), 4) << file.name;
            EXPECT_LE(cells.rowCount(), 4000) << file.name;
            for (int r = 0; r < cells.rowCount(); ++r) ASSERT_EQ(cells.rowLength(r), cells.rowLength(0)) << file.name;
            EXPECT_EQ(imported->sauce.has_value(), readSauce(file.data).has_value()) << file.name;
            if (imported->sauce && imported->sauce->tInfo1 >= 10 && imported->sauce->tInfo1 <= 1000) {
                EXPECT_LE(cells.rowLength(0), imported->sauce->tInfo1) << file.name;
            }
        }
    }
}

TEST(AnsCorpus, CommentsAndControlSequencesNeverShowAsArt) {
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    for (const auto& file : files) {
        const auto imported = importANSFile(file.data, preferUTF8For(file.name));
        ASSERT_TRUE(imported) << file.name;
        std::string art;
        for (int r = 0; r < imported->cells.rowCount(); ++r) art += rowText(imported->cells, r) + "\n";
        if (imported->sauce) {
            // Some art prints the same words as its comments, so compare with the same art
            // behind a record that has no comment block at all.
            const auto location = readSauce(file.data);
            ASSERT_TRUE(location);
            SauceRecord silent = location->record;
            silent.comments.clear();
            std::vector<std::uint8_t> stripped(file.data.begin(),
                                               file.data.begin() + static_cast<std::ptrdiff_t>(location->bodyEnd));
            const auto trailer = sauceRecordData(silent, 0);
            stripped.insert(stripped.end(), trailer.begin(), trailer.end());
            const auto reference = importANSFile(stripped, preferUTF8For(file.name));
            ASSERT_TRUE(reference) << file.name;
            EXPECT_EQ(imported->cells, reference->cells) << file.name;
            EXPECT_EQ(art.find("SAUCE00"), std::string::npos) << file.name;
        }
        // Hyperlinks and palette changes are commands, not pictures.
        EXPECT_EQ(art.find("]8;"), std::string::npos) << file.name;
        EXPECT_EQ(art.find("]4;"), std::string::npos) << file.name;
    }
}

TEST(AnsCorpus, ClassicExportReimportsCellForCell) {
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    int checked = 0;
    for (const auto& file : files) {
        const auto imported = importANSFile(file.data, preferUTF8For(file.name));
        ASSERT_TRUE(imported) << file.name;
        if (!allCP437(imported->cells)) continue;  // look-alikes cannot come back exactly
        ++checked;
        const CellGrid& cells = imported->cells;
        const bool blinkingText = imported->sauce && !imported->sauce->iceColors() && anyBlink(cells);
        for (bool writeRecord : {false, true}) {
            const auto data =
                exportANSFileData(cells, "t", "a", "g", imported->sauce, writeRecord, !blinkingText, false, fixedDate);
            const auto again = importANSFile(data, false);
            ASSERT_TRUE(again) << file.name;
            EXPECT_EQ(again->cells, cells) << file.name << (writeRecord ? " with its record" : " bare");
        }
    }
    EXPECT_GT(checked, 0);
}

TEST(AnsCorpus, UTF8CompanionReimportsCellForCell) {
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    for (const auto& file : files) {
        for (bool utf8 : decodings(file)) {
            const auto imported = importANSFile(file.data, utf8);
            ASSERT_TRUE(imported) << file.name;
            const auto again = importANSFile(exportANSIUTF8Data(imported->cells), true);
            ASSERT_TRUE(again) << file.name;
            // The companion carries no blink: it re-opens without a record, in iCE mode.
            EXPECT_EQ(again->cells, withoutBlink(imported->cells)) << file.name;
        }
    }
}

TEST(AnsCorpus, RecordSurvivesTheSavePath) {
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    for (const auto& file : files) {
        const auto imported = importANSFile(file.data, preferUTF8For(file.name));
        ASSERT_TRUE(imported) << file.name;
        if (!imported->sauce) continue;
        const SauceRecord& original = *imported->sauce;
        AppState state;
        state.sauceAuthor = "me";
        state.sauceGroup = "us";
        adoptSauce(state, imported->sauce, imported->cells);
        const SauceRecord record = exportSauce(state, "name");
        const auto data = exportANSFileData(imported->cells, "name", state.sauceAuthor, state.sauceGroup, record,
                                            state.doc.writeSauce, !state.doc.blinkingText, false, fixedDate);
        const auto again = importANSFile(data, false);
        ASSERT_TRUE(again) << file.name;
        if (!state.doc.writeSauce) continue;  // an unsigned record was bare to begin with
        ASSERT_TRUE(again->sauce) << file.name;
        const SauceRecord& saved = *again->sauce;
        if (original.hasCredit()) {
            EXPECT_EQ(saved.author, original.author) << file.name;
            EXPECT_EQ(saved.group, original.group) << file.name;
            EXPECT_EQ(saved.date, original.date.empty() ? fixedDate() : original.date) << file.name;
        }
        EXPECT_EQ(saved.title, original.title.empty() && !original.hasCredit() ? "name" : original.title) << file.name;
        EXPECT_EQ(saved.letterSpacing(), original.letterSpacing()) << file.name;
        EXPECT_EQ(saved.aspectRatio(), original.aspectRatio()) << file.name;
        EXPECT_EQ(saved.tInfo1, imported->cells.rowLength(0)) << file.name;
        EXPECT_EQ(saved.tInfo2, imported->cells.rowCount()) << file.name;
        // Blank comment lines are not written; every other line comes back, history first.
        std::vector<std::string> expected = original.historyLines();
        for (const auto& line : original.noteLines()) expected.push_back(line);
        std::erase(expected, std::string());
        EXPECT_EQ(saved.comments, expected) << file.name;
        EXPECT_EQ(saved.fontName, original.fontName) << file.name;
        EXPECT_EQ(again->cells, imported->cells) << file.name;
    }
}

std::optional<ImportedANS> opened(const CorpusFile& file) {
    return importANSFile(file.data, readsAsUTF8(file.name, file.data));
}

const CorpusFile* named(const std::vector<CorpusFile>& files, const std::string& name) {
    const auto found = std::find_if(files.begin(), files.end(), [&](const auto& file) { return file.name == name; });
    return found == files.end() ? nullptr : &*found;
}

// XTC2.ANS (once 1000 wide) and ELM.ANS (240) among them: drawn on an 80-column screen.
TEST(AnsCorpus, ArtWithoutAWidthOfItsOwnReadsAtMostEightyWide) {
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    for (const auto& file : files) {
        const auto art = opened(file);
        ASSERT_TRUE(art) << file.name;
        if (art->sauce && art->sauce->tInfo1 >= 10 && art->sauce->tInfo1 <= 1000) continue;
        EXPECT_LE(art->cells.rowLength(0), 80) << file.name;
    }
}

TEST(AnsCorpus, OnlyTheUTF8FilesReadAsUTF8) {
    const std::map<std::string, std::string> utf8Files = {{"Pac-Man_UTF-8.txt", "╔═══"}, {"retrotxt.utf8ans.ans", "▄"}};
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    for (const auto& file : files) {
        const auto expected = utf8Files.find(file.name);
        EXPECT_EQ(readsAsUTF8(file.name, file.data), expected != utf8Files.end()) << file.name;
        if (expected == utf8Files.end()) continue;
        std::string text;
        const CellGrid cells = opened(file).value().cells;
        for (int r = 0; r < cells.rowCount(); ++r) text += rowText(cells, r);
        EXPECT_NE(text.find(expected->second), std::string::npos) << file.name;
        EXPECT_EQ(text.find("Γ"), std::string::npos) << file.name;  // what the byte E2 reads as in CP437
    }
}

TEST(AnsCorpus, CreditsAfterTheEndOfFileMarkAreNotArt) {
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    const CorpusFile* elm = named(files, "ELM.ANS");
    ASSERT_NE(elm, nullptr);
    CorpusFile credited = *elm;
    const std::string credits = "\x1a\r\n\r\nELM by Someone Else (1995)\r\nGreets to the whole scene\r\n";
    credited.data.insert(credited.data.end(), credits.begin(), credits.end());
    EXPECT_EQ(opened(credited).value().cells, opened(*elm).value().cells);
}

TEST(AnsCorpus, TSequencesColourTheArt) {
    const auto tc = ANSIColorValue::truecolor;
    struct Case {
        const char* file;
        int row, col;
        ANSIColorValue fg, bg;
    };
    const Case cases[] = {
        {"ZII-RTXT.ans", 1, 1, tc(191, 0, 5), ANSIColorValue::ansi16(0)},
        {"ZII-RTXT.ans", 1, 2, tc(255, 102, 106), tc(191, 0, 5)},
        {"testcase-160col.ans", 0, 0, tc(0, 171, 0), tc(0, 0, 0)},
    };
    const auto files = corpus();
    REQUIRE_CORPUS(files);
    for (const Case& c : cases) {
        const CorpusFile* file = named(files, c.file);
        ASSERT_NE(file, nullptr) << c.file;
        const ANSICell cell = *opened(*file).value().cells.cellAt(c.row, c.col);
        EXPECT_EQ(cell.foreground, c.fg) << c.file << " " << c.row << "," << c.col;
        EXPECT_EQ(cell.background, c.bg) << c.file << " " << c.row << "," << c.col;
    }
}

}  // namespace ans_corpus_test
}  // namespace glyphloom
