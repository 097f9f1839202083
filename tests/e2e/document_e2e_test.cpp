// Opening and saving documents end to end: the file named on the command line, the save
// typed on the bar, and the refusals that must happen before the terminal is touched.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/format/ans_import.hpp"
#include "core/format/sauce_record.hpp"
#include "core/io/file_io.hpp"
#include "tmux_session.hpp"

namespace glyphloom::e2e {
namespace document_e2e_test {

namespace fs = std::filesystem;

void writeFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class Documents : public ::testing::Test {
protected:
    void SetUp() override {
        if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed (./dev test installs it)";
        tmux = std::make_unique<TmuxSession>(120, 34);
    }
    void TearDown() override {
        if (!tmux || tmux->editorPid() <= 0) return;
        tmux->sendBytes("\x03\x03");
        tmux->waitForExit();
    }
    // Starts the editor on a file that it must refuse: it prints the reason on the normal
    // screen and ends with status 1, never switching to the alternate screen.
    void expectRefusal(const std::string& argument, const std::string& message) {
        EXPECT_FALSE(tmux->startEditor(shellQuote(argument), "")) << tmux->capture();
        const auto status = tmux->waitForExit();
        ASSERT_TRUE(status) << tmux->capture();
        EXPECT_EQ(*status, 1);
        EXPECT_TRUE(tmux->waitForText(message)) << tmux->capture();
        EXPECT_EQ(tmux->capture().find("Glyphloom"), std::string::npos) << "the editor drew a frame";
    }
    std::unique_ptr<TmuxSession> tmux;
};

TEST_F(Documents, AMissingFileIsRefusedBeforeTheTerminalIsTouched) {
    const std::string path = (tmux->home() / "missing.ans").string();
    expectRefusal(path, "glyphloom: not found: " + path);
}

TEST_F(Documents, AFolderIsRefused) {
    fs::create_directories(tmux->home() / "folder.ans");
    const std::string path = (tmux->home() / "folder.ans").string();
    expectRefusal(path, "glyphloom: couldn't open a folder: " + path);
}

TEST_F(Documents, AnUnparsableFileIsRefused) {
    const fs::path broken = tmux->home() / "broken.glyphloom";
    writeFile(broken, "{\"version\": 5, \"rows\": ");
    expectRefusal(broken.string(), "glyphloom: couldn't parse broken.glyphloom");
}

TEST_F(Documents, AnUnreadableFileIsRefused) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads any file";
    const fs::path locked = tmux->home() / "locked.ans";
    writeFile(locked, "hello");
    fs::permissions(locked, fs::perms::none);
    expectRefusal(locked.string(), "glyphloom: couldn't read " + locked.string());
}

TEST_F(Documents, ASavedDrawingOpensAgainFromTheCommandLine) {
    writeFile(tmux->home() / "start.ans", "\x1b[1;33mHELLO \x1b[36mWORLD\x1b[0m");
    ASSERT_TRUE(tmux->startEditor("--size 80x25 " + shellQuote((tmux->home() / "start.ans").string())))
        << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("HELLO WORLD")) << tmux->capture();
    // Save under a typed name: the name on the bar starts the entry, Enter saves.
    ASSERT_TRUE(tmux->clickText("start")) << tmux->capture();
    tmux->sendBytes("kept\r");
    // Beside the opened file, which stays as it was.
    ASSERT_TRUE(tmux->waitUntil([&] { return fs::exists(tmux->home() / "kept.ans"); })) << tmux->capture();
    EXPECT_TRUE(fs::exists(tmux->home() / "start.ans"));
    tmux->sendBytes("\x03");  // nothing unsaved: one Ctrl-C quits
    ASSERT_EQ(tmux->waitForExit(), 0) << tmux->capture();

    ASSERT_TRUE(tmux->startEditor(shellQuote((tmux->home() / "kept.ans").string()))) << tmux->capture();
    EXPECT_TRUE(tmux->waitForText("HELLO WORLD")) << tmux->capture();
    EXPECT_TRUE(tmux->find("kept")) << tmux->capture();
}

TEST_F(Documents, ANewDrawingIsNamedAndSavedFromTheSaveOptions) {
    const std::string here = "env -C " + shellQuote(tmux->home().string());
    ASSERT_TRUE(tmux->startEditor("--size 80x25", here)) << tmux->capture();
    // Never saved: the bar's save button opens the box instead of writing.
    ASSERT_TRUE(tmux->clickText("✓")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("save options")) << tmux->capture();
    const auto box = tmux->find("save options");
    ASSERT_TRUE(box);
    ASSERT_TRUE(tmux->clickText("name", box->second)) << tmux->capture();
    tmux->sendBytes("\x7f\x7f\x7f\x7f\x7f\x7f\x7f\x7f" "first\r");
    ASSERT_TRUE(tmux->waitUntil([&] { return fs::exists(tmux->home() / "first.ans"); })) << tmux->capture();
    tmux->sendBytes("\x03");  // saved: one Ctrl-C quits
    ASSERT_EQ(tmux->waitForExit(), 0) << tmux->capture();

    // The button pressed twice saves under the name the box shows.
    ASSERT_TRUE(tmux->startEditor("--size 80x25", here)) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("✓")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("save options")) << tmux->capture();
    ASSERT_TRUE(tmux->clickText("✓")) << tmux->capture();
    EXPECT_TRUE(tmux->waitUntil([&] { return fs::exists(tmux->home() / "Untitled.ans"); })) << tmux->capture();
}

// Signed art opens view-only: a paint stroke, typing and the Space pen leave it as it was and
// do not mark it modified (the save button stays "✓").
void writeSignedArt(const fs::path& path) {
    const std::string body = "\x1b[1;33mHELLO WORLD\x1b[0m";
    SauceRecord signature;
    signature.title = "Greeting";
    signature.author = "Somebody";
    signature.group = "Elsewhere";
    const auto record = sauceRecordData(signature, static_cast<std::uint32_t>(body.size()));
    writeFile(path, body + std::string(record.begin(), record.end()));
}

TEST_F(Documents, SignedArtCannotBeDrawnOn) {
    writeSignedArt(tmux->home() / "signed.ans");
    ASSERT_TRUE(tmux->startEditor("--size 80x25 " + shellQuote((tmux->home() / "signed.ans").string())))
        << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("view only — re-save to edit")) << tmux->capture();
    ASSERT_TRUE(tmux->find("HELLO WORLD")) << tmux->capture();
    const auto hello = tmux->find("HELLO WORLD");
    ASSERT_TRUE(tmux->find("✓", 0)) << tmux->capture();

    // A paint drag across the text and on along the row below it.
    tmux->sendMouse(0, hello->first, hello->second, true);
    for (int x = hello->first; x <= hello->first + 14; x += 2) tmux->sendMouse(32, x, hello->second, true);
    tmux->sendMouse(32, hello->first + 14, hello->second + 2, true);
    tmux->sendMouse(0, hello->first + 14, hello->second + 2, false);
    tmux->sendBytes("typed");
    tmux->sendBytes(" \x1b[B\x1b[B ");  // the Space pen, down twice
    tmux->sendMouse(35, 2, 30, true);  // the pointer off the canvas
    EXPECT_TRUE(tmux->waitForText("view only — re-save to edit")) << tmux->capture();
    const std::string screen = tmux->capture();
    const auto lines = tmux->captureLines();
    // Everything right of the text's first column, on its row and the two below.
    for (int y = hello->second; y <= hello->second + 2; ++y) {
        const std::string& line = lines.at(static_cast<std::size_t>(y));
        std::size_t at = 0;
        for (int x = 0; x < hello->first && at < line.size(); ++x) {
            do ++at;
            while (at < line.size() && (static_cast<unsigned char>(line[at]) & 0xC0) == 0x80);
        }
        const std::string canvas = line.substr(std::min(at, line.size()));
        EXPECT_EQ(canvas.find("█"), std::string::npos) << "row " << y << "\n" << screen;
        EXPECT_EQ(canvas.find("typed"), std::string::npos) << "row " << y << "\n" << screen;
        if (y == hello->second) {
            EXPECT_EQ(canvas.rfind("HELLO WORLD", 0), 0u) << screen;
        }
    }
    EXPECT_TRUE(tmux->find("✓", 0)) << "the document is not modified\n" << screen;
    EXPECT_FALSE(tmux->find("⤓", 0)) << screen;
}

// Esc closes the SAUCE box (opened from the credit on the bar) and the Fades panel like any box.
TEST_F(Documents, EscClosesTheSauceBoxAndTheFadesPanel) {
    writeSignedArt(tmux->home() / "signed.ans");
    ASSERT_TRUE(tmux->startEditor("--size 80x25 " + shellQuote((tmux->home() / "signed.ans").string())))
        << tmux->capture();
    ASSERT_TRUE(tmux->clickText("Greeting · Somebody")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("view sauce record")) << tmux->capture();
    tmux->sendBytes("\x1b");
    EXPECT_TRUE(tmux->waitUntil([&] { return !tmux->find("view sauce record"); })) << tmux->capture();

    ASSERT_TRUE(tmux->clickText("≋")) << tmux->capture();
    ASSERT_TRUE(tmux->waitForText("Fades")) << tmux->capture();
    tmux->sendBytes("\x1b");
    EXPECT_TRUE(tmux->waitUntil([&] { return !tmux->find("Fades"); })) << tmux->capture();
}

// Real ANSI art: opened from the command line, its first row shows on the screen.
class CorpusArt : public ::testing::TestWithParam<std::string> {};

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(fs::path(GLYPHLOOM_CORPUS_DIR) / "ans", error)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && !name.ends_with(".tsv") && !name.ends_with(".md")) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    if (names.empty()) names.emplace_back();  // one skipped case when the corpus is absent
    return names;
}

// The longest run of plain letters and digits within the first `width` cells of row 0: text
// that any terminal shows exactly as stored.
std::string firstRowWord(const CellGrid& grid, int width) {
    std::string best, current;
    for (int c = 0; c < std::min(width, grid.rowLength(0)); ++c) {
        const std::string ch = grid.cellAt(0, c)->character.str();
        if (ch.size() == 1 && std::isalnum(static_cast<unsigned char>(ch[0]))) {
            current += ch;
        } else {
            current.clear();
        }
        if (current.size() > best.size()) best = current;
    }
    return best;
}

TEST_P(CorpusArt, OpensAndShowsItsFirstRow) {
    if (GetParam().empty()) GTEST_SKIP() << "no ANSI art corpus at " GLYPHLOOM_CORPUS_DIR "/ans";
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    const fs::path path = fs::path(GLYPHLOOM_CORPUS_DIR) / "ans" / GetParam();
    const auto read = readWholeFile(path.string(), 64 << 20);
    ASSERT_TRUE(read.data);
    const auto art = importANSFile(*read.data, readsAsUTF8(GetParam(), *read.data));

    TmuxSession tmux(200, 60);
    const bool started = tmux.startEditor(shellQuote(path.string()));
    if (!art) {
        // Art that holds no cell at all is refused like any unreadable file.
        EXPECT_FALSE(started);
        EXPECT_EQ(tmux.waitForExit(), 1);
        return;
    }
    ASSERT_TRUE(started) << tmux.capture();
    // The bar names the document: the file name up to its first dot.
    EXPECT_TRUE(tmux.waitForText(GetParam().substr(0, GetParam().find('.')))) << tmux.capture();
    // The viewport is narrower than the terminal; 80 columns of the art always fit at 200.
    const std::string word = firstRowWord(art->cells, 80);
    if (word.size() >= 3) {
        EXPECT_TRUE(tmux.waitForText(word)) << word << "\n" << tmux.capture();
    }
    tmux.sendBytes("\x03\x03");
    EXPECT_EQ(tmux.waitForExit(), 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusArt, ::testing::ValuesIn(corpusFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.empty() ? "none" : info.param;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name + "_" + std::to_string(info.index);
                         });

}  // namespace document_e2e_test
}  // namespace glyphloom::e2e
