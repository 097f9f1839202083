#include "core/fonts/figlet_reader.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "core/io/file_io.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace figlet_reader_test {

namespace fs = std::filesystem;

// A font of `height` whose every glyph is `rows` (each row given without end marks).
std::string figletFont(const std::string& header, int height, const std::string& body, char mark = '@') {
    std::string text = header + "\n";
    for (int c = 0x20; c <= 0x7E; ++c)
        for (int r = 0; r < height; ++r) text += body + std::string(r + 1 == height ? 2 : 1, mark) + "\n";
    return text;
}

TEST(FIGletReader, HeaderFieldsDecideWhetherTheFontIsRead) {
    const struct {
        const char* header;
        bool parses;
    } cases[] = {
        {"flf2a$ 2 1 10 0 0", true},
        {"flf2a$ 2 1 10 0 0 0 0 0 extra", true},
        {"tlf2a$ 2 1 10 0 0", true},
        {"flf2a$ 2 1 10 0 -100", false},  // negative comment count
        {"flf2a$ 2 1 10 0", false},       // comment count missing
        {"flf2a$ 2 1 ten 0 0", false},
        {"flf2a$ 2x 1 10 0 0", false},
        {"flf1a$ 2 1 10 0 0", false},
        {"flf2a$ 0 1 10 0 0", false},           // height out of range
        {"flf2a$ -5 1 10 0 0", false},
        {"flf2a$ 257 1 10 0 0", false},
        {"flf2a$ 2000000000 1 10 0 0", false},
        {"flf2a$ 99999999999 1 10 0 0", false},  // does not even fit
        {"", false},
    };
    for (const auto& c : cases) {
        const auto font = fromFIGlet("id", "Name", figletFont(c.header, 2, "ab"));
        EXPECT_EQ(font.has_value(), c.parses) << c.header;
    }
    const auto font = fromFIGlet("id", "Name", figletFont("flf2a$ 2 1 10 0 0", 2, "ab"));
    ASSERT_TRUE(font);
    EXPECT_EQ(font->id, "id");
    EXPECT_EQ(font->name, "Name");
    EXPECT_EQ(font->height, 2);
    EXPECT_EQ(font->letterSpacing, 1);
    EXPECT_EQ(font->renderMode, BlockFontRenderMode::literal);
    EXPECT_FALSE(font->isTDF);
    EXPECT_EQ(font->glyphs.size(), 95u);
    EXPECT_TRUE(font->cellColors.empty());
}

TEST(FIGletReader, EndMarksAndHardBlanks) {
    const struct {
        const char* header;
        char mark;
        const char* body;
        const char* row;
    } cases[] = {
        {"flf2a$ 1 1 10 0 0", '@', "#$$#", "#  #"},
        {"flf2a$ 1 1 10 0 0", '#', "ab$c", "ab c"},   // "#" ends the line in some fonts
        {"flf2a# 1 1 10 0 0", '$', "a##b", "a  b"},   // and "$" in others, "#" the hard blank
        {"flf2a\x7f 1 1 10 0 0", '\x7f', "a\x7f", "a "},
        {"flf2a$ 1 1 10 0 0", '@', "", ""},
    };
    for (const auto& c : cases) {
        const auto font = fromFIGlet("f", "F", figletFont(c.header, 1, c.body, c.mark));
        ASSERT_TRUE(font) << c.header;
        EXPECT_EQ(font->glyphs.at("A"), std::vector<std::string>{c.row}) << c.header << " " << c.mark;
    }
}

// Blanks after the end mark (seen in fonts that ship with systems) are not part of the line:
// the mark before them still goes, and the glyph's own trailing blanks stay.
TEST(FIGletReader, BlanksAfterTheEndMarkAreSetAsideFirst) {
    std::string text = "flf2a$ 2 1 10 0 0\n";
    for (int c = 0x20; c <= 0x7E; ++c) text += " /\\ @ \n/__\\@@ \t \n";
    const auto font = fromFIGlet("f", "F", text);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->glyphs.at("A"), (std::vector<std::string>{" /\\ ", "/__\\"}));
}

TEST(FIGletReader, CommentLinesAreSkippedAndCarriageReturnsDropped) {
    std::string text = "flf2a$ 1 1 10 0 2\r\nfirst comment@\r\nsecond@\r\n";
    for (int c = 0x20; c <= 0x7E; ++c) text += std::string(1, static_cast<char>(c)) + "x@@\r\n";
    const auto font = fromFIGlet("f", "F", text);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->glyphs.at(" "), std::vector<std::string>{" x"});
    EXPECT_EQ(font->glyphs.at("~"), std::vector<std::string>{"~x"});
}

TEST(FIGletReader, ATruncatedFileKeepsItsWholeGlyphs) {
    std::string text = "flf2a$ 2 1 10 0 0\n";
    for (const char* line : {" @", " @@", "!@", "!@@", "\"@"}) text += std::string(line) + "\n";
    const auto font = fromFIGlet("f", "F", text);
    ASSERT_TRUE(font);
    EXPECT_EQ(font->glyphs.size(), 2u);
    EXPECT_EQ(font->glyphs.count("\""), 0u);
}

TEST(FIGletReader, FontFileTextFallsBackToLatin1) {
    EXPECT_EQ(fontFileText("caf\xc3\xa9"), "café");
    EXPECT_EQ(fontFileText("caf\xe9"), "café");
    EXPECT_EQ(fontFileText(""), "");
}

// --- Real files ---

std::vector<std::string> fileLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// The rows of `letter` straight from the file's lines, stripped as the format says.
std::vector<std::string> rowsFromFile(const std::vector<std::string>& lines, int height, int comments, char letter,
                                      const std::string& hardBlank) {
    std::vector<std::string> rows;
    const std::size_t first = 1 + comments + static_cast<std::size_t>(letter - 0x20) * height;
    for (int r = 0; r < height; ++r) {
        std::string line = lines[first + r];
        const std::size_t markLength = line.empty() ? 0 : utf8::encode(utf8::decode(line).back()).size();
        const std::string mark = line.substr(line.size() - markLength);
        line.resize(line.size() - markLength);
        if (line.ends_with(mark)) line.resize(line.size() - markLength);
        for (std::size_t at; !hardBlank.empty() && (at = line.find(hardBlank)) != std::string::npos;)
            line.replace(at, hardBlank.size(), " ");
        rows.push_back(line);
    }
    return rows;
}

TEST(FIGletReader, CorpusFontsParseAndMatchTheirOwnLines) {
    const fs::path folder = fs::path(GLYPHLOOM_CORPUS_DIR) / "flf";
    if (!fs::exists(folder)) GTEST_SKIP() << "no corpus at " << folder;
    int files = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        const auto read = readWholeFile(entry.path().string(), 1 << 20);
        ASSERT_TRUE(read.data) << name;
        const std::string text = fontFileText(std::string(read.data->begin(), read.data->end()));
        const auto font = fromFIGlet(name, name, text);
        ASSERT_TRUE(font) << name;
        ++files;
        const auto lines = fileLines(text);
        int numbers[6] = {};
        char signature[64] = {};
        ASSERT_EQ(std::sscanf(lines[0].c_str(), "%63s %d %d %d %d %d", signature, &numbers[0], &numbers[1], &numbers[2],
                              &numbers[3], &numbers[4]),
                  6)
            << name;
        const std::string hardBlank = utf8::encode(utf8::decode(std::string(signature).substr(5)).front());
        EXPECT_EQ(font->height, numbers[0]) << name;
        for (char letter = 'A'; letter <= 'Z'; ++letter) {
            const auto expected = rowsFromFile(lines, numbers[0], numbers[4], letter, hardBlank);
            EXPECT_EQ(font->glyphs.at(std::string(1, letter)), expected) << name << " " << letter;
            for (const std::string& row : expected) EXPECT_EQ(row.find('\x7f'), std::string::npos) << name;
        }
    }
    EXPECT_EQ(files, 12);
}

// Rows without trailing blanks and without the blank columns they all start with.
void normalise(std::vector<std::string>& rows) {
    std::size_t margin = std::string::npos;
    for (std::string& row : rows) {
        row.erase(row.find_last_not_of(' ') + 1);
        if (!row.empty()) margin = std::min(margin, row.find_first_not_of(' '));
    }
    for (std::string& row : rows)
        if (!row.empty() && margin != std::string::npos) row.erase(0, margin);
}

// Debian's figlet, where installed, draws single letters from the same rows (bar trailing
// blanks, which figlet trims at the right margin).
TEST(FIGletReader, CorpusLettersMatchTheFigletProgram) {
    const fs::path folder = fs::path(GLYPHLOOM_CORPUS_DIR) / "flf";
    if (!fs::exists(folder) || std::system("command -v figlet >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "figlet or the corpus is not installed";
    for (const char* name : {"standard", "big", "slant", "banner"}) {
        const auto read = readWholeFile((folder / (std::string(name) + ".flf")).string(), 1 << 20);
        ASSERT_TRUE(read.data);
        const auto font = fromFIGlet(name, name, fontFileText(std::string(read.data->begin(), read.data->end())));
        ASSERT_TRUE(font);
        for (const char* letter : {"A", "G", "Q", "W"}) {
            const std::string command = "figlet -w 200 -d " + folder.string() + " -f " + name + " " + letter;
            std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
            ASSERT_TRUE(pipe);
            std::string output;
            char buffer[256];
            while (std::fgets(buffer, sizeof buffer, pipe.get())) output += buffer;
            auto figletRows = fileLines(output);
            auto ours = font->glyphs.at(letter);
            // figlet slides a lone letter to the left margin: compare the shapes, not the margins.
            normalise(figletRows);
            normalise(ours);
            EXPECT_EQ(ours, figletRows) << name << " " << letter;
        }
    }
}

}  // namespace figlet_reader_test
}  // namespace glyphloom
