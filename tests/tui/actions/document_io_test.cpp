#include "tui/actions/document_io.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <chrono>
#include <set>
#include <string>

#include "core/codec/png_decode.hpp"
#include "core/format/ans_import.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/preset_bank.hpp"
#include "core/io/file_io.hpp"
#include "core/model/cell_text_table.hpp"
#include "core/model/intern_table.hpp"
#include "core/text/utf8.hpp"
#include "core/model/cell_values.hpp"

namespace glyphloom {
namespace document_io_test {

namespace fs = std::filesystem;


class DocumentIOTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedCwd_ = fs::current_path();
        folder_ = fs::temp_directory_path() / ("glyphloom-docs-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        fs::current_path(savedCwd_);
        fs::remove_all(folder_);
    }
    std::string at(const std::string& name) const { return (folder_ / name).string(); }
    void put(const std::string& name, const std::string& text) const {
        fs::create_directories(fs::path(at(name)).parent_path());
        std::ofstream(at(name), std::ios::binary) << text;
    }
    std::string get(const std::string& name) const {
        std::ifstream in(at(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::set<std::string> files() const {
        std::set<std::string> out;
        for (const auto& entry : fs::recursive_directory_iterator(folder_))
            if (entry.is_regular_file()) out.insert(fs::relative(entry.path(), folder_).string());
        return out;
    }
    // A fresh editor whose documents live in the test folder.
    AppState editor() const {
        AppState state;
        state.browseDir = folder_.string();
        state.docDir = folder_.string();
        state.doc = Document::blank(2, 3);
        return state;
    }

    fs::path folder_;
    fs::path savedCwd_;
};

TEST_F(DocumentIOTest, ALayeredDocumentSurvivesSaveAndLoad) {
    AppState state = editor();
    Layer top("Ink", CellGrid(2, 3));
    top.cells.set(0, 1, cell("A", ANSIColorValue::ansi16(12), ANSIColorValue::ansi16(9), true));
    top.rowOffset = 1;
    top.colOffset = -1;
    Layer hidden("Sketch", CellGrid(2, 3));
    hidden.visible = false;
    hidden.cells.set(1, 1, cell("▓", ANSIColorValue::ansi256(99), ANSIColorValue::truecolor(9, 8, 7)));
    Layer base("Paper", CellGrid(2, 3, cell("░", ANSIColorValue::truecolor(1, 2, 3), ANSIColorValue::ansi16(4))));
    state.doc.layers = {top, hidden, base};
    state.filename = "art";
    state.doc.colorDepth = ColorDepth::truecolor;
    state.doc.blinkingText = true;
    state.doc.monoTint = MonoTint::amber;
    state.doc.sauce.sauceTitleField = "Dawn";
    state.doc.sauce.sauceComments = {"a comment"};
    state.doc.sauce.sauceHistory = {"Original artwork by X"};
    state.doc.sauce.letterSpacing = LetterSpacing::eightPixel;
    state.doc.sauce.aspectRatio = AspectRatio::square;
    state.doc.sauce.sauceFontName = "IBM VGA50";
    SauceRecord source;
    source.author = "X";
    state.doc.sauce.sourceSauce = source;
    state.dirty = true;
    state.quitArmed = true;
    saveDocument(state);
    EXPECT_EQ(state.statusNote.value_or(""), "saved art.glyphloom +ans +utf8");
    EXPECT_EQ(files(), (std::set<std::string>{"art.glyphloom", "art.ans", "art.utf8.ans"}));
    EXPECT_FALSE(state.dirty);
    EXPECT_FALSE(state.quitArmed);
    EXPECT_EQ(state.ownedPath, at("art.glyphloom"));

    AppState other = editor();
    other.doc = Document::blank(9, 9);
    other.docDir.reset();
    loadDocument("art.glyphloom", other);
    EXPECT_EQ(other.statusNote.value_or(""), "loaded art.glyphloom (3×2 · 3 layers)");
    EXPECT_EQ(other.doc.rows, 2);
    EXPECT_EQ(other.doc.cols, 3);
    EXPECT_EQ(other.doc.layers, state.doc.layers);  // order, ids, offsets, visibility and cells
    EXPECT_EQ(other.doc.colorDepth, ColorDepth::truecolor);
    EXPECT_TRUE(other.doc.blinkingText);
    EXPECT_EQ(other.doc.monoTint, MonoTint::amber);
    EXPECT_EQ(other.doc.sauce.sauceTitleField, "Dawn");
    EXPECT_EQ(other.doc.sauce.sauceComments, state.doc.sauce.sauceComments);
    EXPECT_EQ(other.doc.sauce.sauceHistory, state.doc.sauce.sauceHistory);
    EXPECT_EQ(other.doc.sauce.letterSpacing, LetterSpacing::eightPixel);
    EXPECT_EQ(other.doc.sauce.aspectRatio, AspectRatio::square);
    EXPECT_EQ(other.doc.sauce.sauceFontName, "IBM VGA50");
    EXPECT_EQ(other.doc.sauce.sourceSauce, state.doc.sauce.sourceSauce);
    EXPECT_TRUE(other.saveAsGlyphloom);
    EXPECT_EQ(other.ownedPath, at("art.glyphloom"));
    EXPECT_EQ(other.filename, "art");
    EXPECT_EQ(other.undoStack.size(), 1u);
    EXPECT_FALSE(other.dirty);

    // Saved again, it overwrites its own files in place.
    other.dirty = true;
    saveDocument(other);
    EXPECT_EQ(other.statusNote.value_or(""), "saved art.glyphloom +ans +utf8");
    EXPECT_EQ(files().size(), 3u);
}

TEST_F(DocumentIOTest, SavingNeverOverwritesFilesTheDocumentDoesNotOwn) {
    // A new document beside a foreign Untitled.ans.
    put("Untitled.ans", "foreign");
    AppState fresh = editor();
    fresh.exportUTF8 = false;
    saveDocument(fresh);
    EXPECT_EQ(fresh.statusNote.value_or(""), "saved Untitled-1.ans");
    EXPECT_EQ(get("Untitled.ans"), "foreign");
    EXPECT_EQ(fresh.ownedPath, at("Untitled-1.ans"));

    // An imported .ans lands beside itself, then stays there.
    put("x/art.ans", "\x1b[31mHello");
    AppState imported = editor();
    imported.exportUTF8 = false;
    loadDocument(at("x/art.ans"), imported);
    EXPECT_FALSE(imported.ownedPath);
    EXPECT_EQ(imported.docDir, at("x"));
    fs::current_path(folder_);  // somewhere else than the document's folder
    saveDocument(imported);
    EXPECT_EQ(imported.statusNote.value_or(""), "saved art-1.ans");
    saveDocument(imported);
    EXPECT_EQ(imported.statusNote.value_or(""), "saved art-1.ans");
    EXPECT_EQ(get("x/art.ans"), "\x1b[31mHello");
    EXPECT_TRUE(fs::exists(at("x/art-1.ans")));
    EXPECT_FALSE(fs::exists(at("x/art-2.ans")));

    // A companion in the way moves the whole set.
    put("y/pic.png", "not mine");
    AppState withPNG = editor();
    withPNG.docDir = at("y");
    withPNG.filename = "pic";
    withPNG.exportPNGOnSave = true;
    withPNG.exportTXTOnSave = true;
    saveDocument(withPNG);
    EXPECT_EQ(withPNG.statusNote.value_or(""), "saved pic-1.ans +utf8 +png +txt");
    EXPECT_EQ(get("y/pic.png"), "not mine");
    for (const char* name : {"y/pic-1.ans", "y/pic-1.utf8.ans", "y/pic-1.png", "y/pic-1.txt"})
        EXPECT_TRUE(fs::exists(at(name))) << name;
    EXPECT_FALSE(fs::exists(at("y/pic.ans")));
}

TEST_F(DocumentIOTest, APictureOfAnotherFormatOpensAndSavesAsANSIArtBesideIt) {
    // XBin, 3 × 1, palette with colour 1 made pure blue, a 1-line font, "blue on blinking blue".
    std::string xbin{'X', 'B', 'I', 'N', '\x1a', 3, 0, 1, 0, 1, 0x03};
    const std::string standard("\0\0\0\0\0\x2a\0\x2a\0\0\x2a\x2a\x2a\0\0\x2a\0\x2a\x2a\x15\0\x2a\x2a\x2a", 24);
    xbin += standard.substr(0, 3) + std::string("\0\0\x3f", 3) + standard.substr(6) + standard;
    xbin += std::string(256, '\0') + std::string("a\x91" "b\x91" "c\x91", 6);
    put("x/pic.xb", xbin);
    AppState state = editor();
    state.exportUTF8 = false;
    loadDocument(at("x/pic.xb"), state);
    EXPECT_EQ(state.statusNote.value_or(""), "loaded pic.xb (10×4) — its own font is not shown");
    const auto blue = ANSIColorValue::truecolor(0, 0, 255);
    EXPECT_EQ(state.doc.layers[0].cells.row(0)[1], cell("b", blue, blue, true));
    EXPECT_TRUE(state.doc.blinkingText);
    EXPECT_EQ(state.doc.colorDepth, ColorDepth::truecolor);
    EXPECT_FALSE(state.ownedPath);

    saveDocument(state);
    EXPECT_EQ(state.statusNote.value_or(""), "saved pic.ans");
    EXPECT_EQ(get("x/pic.xb"), xbin);
    const std::string saved = get("x/pic.ans");
    const auto back = importANSFile(std::vector<std::uint8_t>(saved.begin(), saved.end()), false);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->cells.row(0)[2], cell("c", blue, blue, true));

    put("x/bad.xb", "XBIN");
    loadDocument(at("x/bad.xb"), state);
    EXPECT_EQ(state.statusNote.value_or(""), "couldn't parse bad.xb: not an XBin file");
}

TEST_F(DocumentIOTest, AFailedWriteLeavesTheOldFileAndTheStateAlone) {
    AppState state = editor();
    state.exportUTF8 = false;
    state.doc.layers[0].cells.set(0, 0, cell("1", ANSIColorValue::ansi16(15), ANSIColorValue::ansi16(0)));
    saveDocument(state);
    const std::string before = get("Untitled.ans");
    ASSERT_FALSE(before.empty());

    state.doc.layers[0].cells.set(0, 0, cell("2", ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(0)));
    state.dirty = true;
    state.quitArmed = true;
    // The disk fills up half-way through the new file.
    const FileWriter halfWrite = [](const std::string& path, std::span<const std::uint8_t> data, const WriteOptions&) {
        return writeFileAtomically(path, data, [](int fd, std::span<const std::uint8_t> bytes) {
            const auto half = bytes.size() / 2;
            if (::write(fd, bytes.data(), half) != static_cast<ssize_t>(half)) return false;
            errno = ENOSPC;
            return false;
        });
    };
    saveDocument(state, halfWrite);
    EXPECT_EQ(state.statusNote.value_or(""), "save failed");
    EXPECT_EQ(get("Untitled.ans"), before);
    EXPECT_EQ(files(), (std::set<std::string>{"Untitled.ans"}));  // no temporary left behind
    EXPECT_TRUE(state.dirty);
    EXPECT_TRUE(state.quitArmed);
}

TEST_F(DocumentIOTest, NamesResolveInTheBrowseFolder) {
    put("art.ans", "\x1b[32mOK");
    put("art/inside.ans", "x");  // a folder of the same name does not hide art.ans
    put("sub/uni.utf8.ans", "█▀");
    put("notes", "\x1b[33mNOTES");
    fs::create_directories(at("folder.ans"));
    struct Case {
        std::string typed;
        std::string status;
    };
    const Case cases[] = {
        {"  art \n", "loaded art.ans (10×4)"},
        {"art", "loaded art.ans (10×4)"},
        {at("sub/uni.utf8.ans"), "loaded uni.utf8.ans (10×4)"},
        {"notes", "loaded notes (10×4)"},  // the file as typed, no ".ans" guessed
        {"missing", "not found: " + at("missing.ans")},
        {"sub.d", "not found: " + at("sub.d")},
        {"sub", "couldn't open a folder: " + at("sub")},
        {"folder.ans", "couldn't open a folder: " + at("folder.ans")},
    };
    for (const Case& c : cases) {
        AppState state = editor();
        loadDocument(c.typed, state);
        EXPECT_EQ(state.statusNote.value_or(""), c.status) << c.typed;
    }

    AppState utf = editor();
    loadDocument(at("sub/uni.utf8.ans"), utf);
    EXPECT_EQ(utf.doc.layers[0].cells.cellAt(0, 0)->character.str(), "█");
    EXPECT_EQ(utf.doc.layers[0].cells.cellAt(0, 1)->character.str(), "▀");
    EXPECT_EQ(utf.filename, "uni");

    AppState blank = editor();
    loadDocument("   ", blank);
    EXPECT_FALSE(blank.statusNote.has_value());
}

TEST_F(DocumentIOTest, AFailedOpenChangesNothing) {
    put("bad.glyphloom", R"({"version":5,"columns":"wide","rows":1})");
    for (const char* name : {"bad.glyphloom"}) {
        AppState state = editor();
        state.doc.layers[0].cells.set(0, 0, cell("k", ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(0)));
        state.filename = "keep";
        const auto layers = state.doc.layers;
        loadDocument(name, state);
        EXPECT_EQ(state.statusNote.value_or(""), std::string("couldn't parse ") + name);
        EXPECT_EQ(state.doc.layers, layers);
        EXPECT_EQ(state.filename, "keep");
        EXPECT_TRUE(state.undoStack.empty());
    }
}

TEST_F(DocumentIOTest, ADocumentWithTooManyLayersKeepsItsTopSeven) {
    std::string layers;
    for (int i = 0; i < 9; ++i) layers += std::string(i ? "," : "") + R"({"name":"L)" + std::to_string(i) + R"(","cells":[]})";
    put("many.glyphloom", R"({"version":5,"columns":4,"rows":2,"layers":[)" + layers + "]}");
    AppState state = editor();
    loadDocument("many.glyphloom", state);
    EXPECT_EQ(state.statusNote.value_or(""), "loaded many.glyphloom (4×2 · 7 layers) — kept 7 of 9 layers");
    ASSERT_EQ(state.doc.layers.size(), 7u);
    EXPECT_EQ(state.doc.layers[0].name, "L0");
}

TEST_F(DocumentIOTest, ClassicSavesCountCellsTheyCannotHold) {
    AppState state = editor();
    state.exportUTF8 = false;
    state.doc.layers[0].cells.set(0, 0, cell("🙂", ANSIColorValue::ansi16(15), ANSIColorValue::ansi16(0)));
    state.doc.layers[0].cells.set(0, 1, cell("é", ANSIColorValue::ansi16(15), ANSIColorValue::ansi16(0)));
    saveDocument(state);
    EXPECT_EQ(state.statusNote.value_or(""), "saved Untitled.ans (1 approximated, not CP437)");
}

TEST_F(DocumentIOTest, PictureExportsGoToTheCurrentFolderUnderFreeNames) {
    fs::create_directories(at("here"));
    fs::current_path(at("here"));
    AppState state = editor();
    state.filename = "shot";
    exportDocumentPNG(state);
    EXPECT_EQ(state.statusNote.value_or(""), "exported shot.png (0k)");
    exportDocumentPNG(state);
    EXPECT_EQ(state.statusNote.value_or(""), "exported shot-1.png (0k)");
    const auto read = readWholeFile(at("here/shot.png"), 1 << 20);
    ASSERT_TRUE(read.data);
    const auto image = decodePNG(*read.data);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 24);
    EXPECT_EQ(image->height, 32);

    exportVideoFrame(state);
    EXPECT_EQ(state.statusNote.value_or("").rfind("exported shot.1080.png (", 0), 0u);
    const auto frame = readWholeFile(at("here/shot.1080.png"), 1 << 24);
    ASSERT_TRUE(frame.data);
    const auto decoded = decodePNG(*frame.data);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->width, 1920);
    EXPECT_EQ(decoded->height, 1080);

    // A folder removed from under the editor takes no file, whoever runs it (root included).
    fs::create_directories(at("gone"));
    fs::current_path(at("gone"));
    fs::remove(at("gone"));
    exportDocumentPNG(state);
    EXPECT_EQ(state.statusNote.value_or(""), "PNG export failed");
    exportVideoFrame(state);
    EXPECT_EQ(state.statusNote.value_or(""), "frame export failed");
}

}  // namespace document_io_test
}  // namespace glyphloom

namespace glyphloom {
namespace document_io_test {

TEST_F(DocumentIOTest, CharacterCycleComesBackWithTheDocument) {
    AppState state = editor();
    state.filename = "cycle";
    state.saveAsGlyphloom = true;
    state.exportUTF8 = false;
    state.tools.charCyclePool = {"░", "e\u0301", "█", "👍🏽"};  // clusters of several scalars stay whole
    saveDocument(state);

    AppState other = editor();
    other.tools.charCyclePool = {"x"};
    other.cycles.chars.index = 3;
    loadDocument(at("cycle.glyphloom"), other);
    EXPECT_EQ(other.tools.charCyclePool, state.tools.charCyclePool);
    EXPECT_EQ(other.cycles.chars.index, 0);

    // A document without a cycle leaves the pen's own alone.
    put("plain.glyphloom", R"({"version":5,"columns":3,"rows":2,"layers":[]})");
    loadDocument(at("plain.glyphloom"), other);
    EXPECT_EQ(other.tools.charCyclePool, state.tools.charCyclePool);
}

// Opened into an editor whose canvas is another size and saved again, a document comes back
// as the same Document: size, layers, colour settings, SAUCE fields and the keys it carries.
TEST_F(DocumentIOTest, OpenThenSaveKeepsTheWholeDocument) {
    put("full.glyphloom", R"({"version":5,"columns":4,"rows":2,"colorDepth":"truecolor",
        "layers":[{"name":"Ink","visible":true,"cells":[[{"character":"A","foreground":{"type":"ansi16","n":2},
        "background":{"type":"ansi16","n":4},"blink":true}]]}],
        "backgroundMode":"blinkingText","monoTint":"green","sauceTitle":"Dusk","sauceComments":["one","two"],
        "sauceHistory":["Original artwork by X"],"letterSpacing":2,"aspectRatio":1,"sauceFontName":"IBM VGA50",
        "sourceSauce":{"title":"Dusk","author":"X","group":"G"},
        "presets":[null,{"name":"kept","futureKey":[1,2]}],"referenceImageData":"iVBORw0KGgo=",
        "referenceScale":0.5,"compoMode":true})");
    AppState state = editor();
    state.doc = Document::blank(9, 7);
    state.exportUTF8 = false;
    loadDocument(at("full.glyphloom"), state);
    ASSERT_EQ(state.statusNote.value_or(""), "loaded full.glyphloom (4×2) — its presets (↺ restores yours)");
    const Document opened = state.doc;
    EXPECT_EQ(opened.rows, 2);
    EXPECT_EQ(opened.cols, 4);
    EXPECT_EQ(opened.monoTint, MonoTint::green);
    EXPECT_EQ(opened.layers.front().cells.cellAt(0, 0)->character.str(), "A");
    EXPECT_EQ(opened.sauce.sauceComments, (std::vector<std::string>{"one", "two"}));
    ASSERT_TRUE(opened.sauce.sourceSauce);
    EXPECT_EQ(opened.sauce.sourceSauce->author, "X");

    state.dirty = true;
    saveDocument(state);
    ASSERT_EQ(state.statusNote.value_or(""), "saved full.glyphloom +ans");
    const auto saved = importGlyphloomData(*readWholeFile(at("full.glyphloom"), 1 << 20).data);
    ASSERT_TRUE(saved);
    Document reopened = documentFromDrawingFile(*saved);
    reopened.writeSauce = opened.writeSauce;  // the artist's setting, not the file's
    EXPECT_EQ(reopened, opened);
    for (const char* key : {"presets", "referenceImageData", "referenceScale", "compoMode"})
        EXPECT_TRUE(saved->carriedKeys.contains(key)) << key;
}

TEST_F(DocumentIOTest, ADocumentsPresetsAreTakenOverWithoutTouchingTheBankFile) {
    const char* savedConfig = std::getenv("XDG_CONFIG_HOME");
    const std::string config = at("config");
    ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    put("banked.glyphloom", R"({"version":5,"columns":3,"rows":2,"layers":[],
        "presets":[null,{"name":"doc brush","character":"▒"},{"tool":12345}]})");
    AppState state = editor();
    TUIPreset mine;
    mine.name = "mine";
    state.presets = padBank({mine});
    state.selectedPreset = 0;
    loadDocument(at("banked.glyphloom"), state);

    ASSERT_EQ(state.presets.size(), 16u);
    EXPECT_FALSE(state.presets[0]);
    ASSERT_TRUE(state.presets[1]);
    EXPECT_EQ(state.presets[1]->name, "doc brush");
    EXPECT_FALSE(state.selectedPreset);
    ASSERT_TRUE(state.preResetPresets);
    ASSERT_TRUE((*state.preResetPresets)[0]);
    EXPECT_EQ((*state.preResetPresets)[0]->name, "mine");
    EXPECT_EQ(state.statusNote.value_or(""), "loaded banked.glyphloom (3×2) — its presets (↺ restores yours)");
    EXPECT_FALSE(fs::exists(config + "/glyphloom/presets.json"));

    // Saved again, the document keeps its own bank as it was read.
    state.exportUTF8 = false;
    saveDocument(state);
    const auto again = importGlyphloomData(*readWholeFile(at("banked.glyphloom"), 1 << 20).data);
    ASSERT_TRUE(again && again->presets);
    EXPECT_EQ(again->presets->size(), 3u);

    // A document without a bank leaves the session's alone.
    put("plain.glyphloom", R"({"version":5,"columns":3,"rows":2,"layers":[]})");
    loadDocument(at("plain.glyphloom"), state);
    ASSERT_TRUE(state.presets[1]);
    EXPECT_EQ(state.presets[1]->name, "doc brush");

    // A second document with a bank: the user's own is still the one the reset control restores.
    put("other.glyphloom", R"({"version":5,"columns":3,"rows":2,"layers":[],"presets":[{"name":"other"}]})");
    loadDocument(at("other.glyphloom"), state);
    ASSERT_TRUE(state.presets[0]);
    EXPECT_EQ(state.presets[0]->name, "other");
    ASSERT_TRUE(state.preResetPresets && (*state.preResetPresets)[0]);
    EXPECT_EQ((*state.preResetPresets)[0]->name, "mine");
    if (savedConfig) ::setenv("XDG_CONFIG_HOME", savedConfig, 1);
    else ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace document_io_test
}  // namespace glyphloom

namespace glyphloom {
namespace document_io_test {

TEST_F(DocumentIOTest, AnEmptyFileOpensAsABlankCanvasThatSavesBackIntoIt) {
    put("fresh.ans", "");
    AppState state = editor();
    state.exportUTF8 = false;
    loadDocument("fresh.ans", state);
    EXPECT_EQ(state.statusNote.value_or(""), "loaded fresh.ans (160×50) — empty file, blank canvas");
    EXPECT_EQ(state.doc.layers.at(0).cells, CellGrid(50, 160));
    saveDocument(state);
    EXPECT_EQ(state.statusNote.value_or(""), "saved fresh.ans");
}

TEST_F(DocumentIOTest, CompanionsAreReplacedOnlyWhenTheDocumentMadeThem) {
    // Saved with its companions, a layered document opens and saves again in place...
    AppState first = editor();
    first.filename = "mine";
    first.saveAsGlyphloom = true;
    saveDocument(first);
    AppState again = editor();
    loadDocument("mine.glyphloom", again);
    saveDocument(again);
    EXPECT_EQ(again.statusNote.value_or(""), "saved mine.glyphloom +ans +utf8");
    // ...but beside an older, unrelated art.ans the whole set moves.
    put("art.ans", "someone else's");
    fs::last_write_time(at("art.ans"), fs::file_time_type::clock::now() - std::chrono::hours(1));
    put("art.glyphloom", R"({"version":5,"columns":3,"rows":2,"layers":[]})");
    AppState state = editor();
    loadDocument("art.glyphloom", state);
    saveDocument(state);
    EXPECT_EQ(state.statusNote.value_or(""), "saved art-1.glyphloom +ans +utf8 — art.ans is not this document's");
    EXPECT_EQ(get("art.ans"), "someone else's");
    EXPECT_EQ(files().size(), 8u);  // mine.*, art.ans, art.glyphloom, art-1.*
}

TEST_F(DocumentIOTest, AnotherEditorsSaveIsOverwrittenOnlyWhenTheUserRepeats) {
    AppState a = editor();
    a.filename = "shared";
    a.exportUTF8 = false;
    a.saveAsGlyphloom = true;
    saveDocument(a);
    AppState b = editor();  // a second editor opens the same document
    b.exportUTF8 = false;
    loadDocument("shared.glyphloom", b);
    a.doc.layers[0].cells.set(0, 0, cell("A", ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(0)));
    saveDocument(a);
    const std::string saved = get("shared.glyphloom");
    saveDocument(b);
    EXPECT_EQ(b.statusNote.value_or(""),
              "shared.glyphloom and 1 more changed on disk — save again to overwrite, or rename to keep both");
    EXPECT_EQ(get("shared.glyphloom"), saved);
    saveDocument(b);
    EXPECT_EQ(b.statusNote.value_or(""), "saved shared.glyphloom +ans");
    // Now a is told; once it confirms, b is asked again: a confirmation holds only for the
    // files as they stood when it was given.
    saveDocument(a);
    saveDocument(a);
    EXPECT_EQ(a.statusNote.value_or(""), "saved shared.glyphloom +ans");
    saveDocument(b);
    EXPECT_NE(b.statusNote.value_or("").find("changed on disk"), std::string::npos);
}

TEST_F(DocumentIOTest, AReadOnlyDocumentIsRefusedAndCompanionsTakeItsMode) {
    AppState state = editor();
    state.filename = "private";
    state.exportPNGOnSave = true;
    saveDocument(state);
    const auto ownerOnly = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(at("private.ans"), ownerOnly);
    saveDocument(state);
    for (const char* name : {"private.utf8.ans", "private.png"}) EXPECT_EQ(fs::status(at(name)).permissions(), ownerOnly);

    const std::string before = get("private.ans");
    fs::permissions(at("private.ans"), fs::perms::owner_read);
    state.doc.layers[0].cells.set(0, 0, cell("x", ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(0)));
    saveDocument(state);
    EXPECT_EQ(state.statusNote.value_or(""), "save failed: private.ans is read-only");
    EXPECT_EQ(get("private.ans"), before);
}

TEST_F(DocumentIOTest, ATypedFolderMustExist) {
    fs::create_directories(at("sub"));
    const std::pair<std::string, std::string> cases[] = {  // typed, note
        {"sub/inside", "saved inside.ans"},
        {"./sub/../sub/tidy.ans", "saved tidy.ans"},
        {at("sub") + "/far", "saved far.ans"},
        {"missing/name", "no such folder: " + at("missing")},
    };
    for (const auto& [typed, note] : cases) {
        AppState state = editor();
        state.exportUTF8 = false;
        if (renameDocument(typed, state)) saveDocument(state);
        EXPECT_EQ(state.statusNote.value_or(""), note) << typed;
    }
    EXPECT_EQ(files(), (std::set<std::string>{"sub/inside.ans", "sub/tidy.ans", "sub/far.ans"}));
}

}  // namespace document_io_test
}  // namespace glyphloom

namespace glyphloom {
namespace document_io_test {

// The session's table of multi-scalar characters never forgets; once it is full, a document
// that brings new ones is refused rather than opened with those characters replaced.
TEST_F(DocumentIOTest, ADocumentMeetingAFullCharacterTableIsNotOpened) {
    // A cluster no other test makes: an "x" under combining marks counted from the clock.
    const auto tick = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string cluster = "x";
    for (int i = 0; i < 4; ++i) utf8::append(cluster, static_cast<char32_t>(0x300 + ((tick >> (4 * i)) & 0x3F)));
    // Saved with a stand-in character that the file then carries the cluster in place of.
    AppState source = editor();
    source.filename = "marks";
    source.saveAsGlyphloom = true;
    source.doc.layers[0].cells.set(0, 0, cell("Ж", ANSIColorValue::ansi16(15), ANSIColorValue::ansi16(0)));
    saveDocument(source);
    std::string file = get("marks.glyphloom");
    const auto standIn = file.find("Ж");
    ASSERT_NE(standIn, std::string::npos) << file;
    put("marks.glyphloom", file.replace(standIn, std::string("Ж").size(), cluster));

    AppState state = editor();
    state.filename = "mine";
    struct Restore {
        ~Restore() { setCellTextCapacity(cellTextCapacity); }
    } restore;
    setCellTextCapacity(cellTextCount());
    loadDocument(at("marks.glyphloom"), state);
    EXPECT_EQ(state.statusNote.value_or(""),
              "couldn't open marks.glyphloom: too many distinct characters this session — restart glyphloom");
    EXPECT_EQ(state.filename, "mine");

    setCellTextCapacity(cellTextCapacity);
    loadDocument(at("marks.glyphloom"), state);
    EXPECT_EQ(state.filename, "marks");
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(0, 0)->character.str(), cluster);
}

}  // namespace document_io_test
}  // namespace glyphloom
