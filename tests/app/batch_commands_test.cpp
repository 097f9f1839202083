// The batch commands run through the real binary, without a terminal: outputs read back with
// the program's own readers, every failure message and exit status, and the corpus.
#include "app/batch_commands.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "app/run_binary.hpp"
#include "core/codec/png_decode.hpp"
#include "core/format/ans_export.hpp"
#include "core/format/ans_import.hpp"
#include "core/format/art_file.hpp"
#include "core/format/document.hpp"
#include "core/format/drawing_file.hpp"
#include "core/format/preset.hpp"
#include "core/format/preset_bank.hpp"
#include "core/model/layer.hpp"
#include "core/render/image_export.hpp"
#include "scoped_config_home.hpp"
#include "core/model/cell_values.hpp"

namespace glyphloom {
namespace batch_commands_test {

namespace fs = std::filesystem;
using test_support::RunResult;
using test_support::runGlyphloomBinary;
using test_support::slurp;

const ANSIColorValue red = ANSIColorValue::ansi16(1);
const ANSIColorValue blue = ANSIColorValue::ansi16(4);


class BatchCommands : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "glyphloom-batch-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_ / "locked", fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::string write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
        std::ofstream out(path(name), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path(name);
    }
    std::string write(const std::string& name, std::string_view text) const {
        return write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
    }

    // Two layers on a 2 × 10 canvas (the narrowest a classic file keeps): the top one draws
    // "T" at (0, 1) over the bottom one's "B"; everything else shows the bottom layer, which
    // alone has a "Z" at (1, 2).
    static constexpr int docColumns = 10;
    std::string layeredDocument(bool blinkingText = false) const {
        CellGrid top(2, docColumns);
        top.set(0, 1, cell("T", ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)));
        CellGrid bottom(2, docColumns, cell("B", red, blue, blinkingText));
        bottom.set(1, 2, cell("Z", ANSIColorValue::ansi16(7), ANSIColorValue::ansi16(5), blinkingText));
        const std::vector<Layer> layers{Layer("Top", top), Layer("Bottom", bottom)};
        Document document = Document::blank(2, docColumns);
        document.layers = layers;
        document.colorDepth = ColorDepth::c16;
        document.blinkingText = blinkingText;
        const auto data = exportGlyphloomData(document, std::nullopt);
        EXPECT_TRUE(data);
        return write("doc.glyphloom", data.value_or(std::vector<std::uint8_t>{}));
    }

    CellGrid expectedComposite() const {
        CellGrid grid(2, docColumns, cell("B", red, blue));
        grid.set(0, 1, cell("T", ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(3)));
        grid.set(1, 2, cell("Z", ANSIColorValue::ansi16(7), ANSIColorValue::ansi16(5)));
        return grid;
    }

    // Five rows of 80 columns, row r starting with the digit r; a red "A" on blue at (0, 0).
    // `blinking` writes blinking text (the record's iCE bit clear) with a blinking cell.
    std::string classicFile(const std::string& name, bool blinking = false) const {
        CellGrid art(5, 80);
        for (int r = 0; r < 5; ++r)
            art.set(r, 0, cell(std::to_string(r).c_str(), ANSIColorValue::ansi16(7), ANSIColorValue::ansi16(0)));
        art.set(0, 0, cell("A", red, blue));
        if (blinking) art.set(3, 4, cell("*", ANSIColorValue::ansi16(14), ANSIColorValue::ansi16(1), true));
        return write(name, exportANSFileData(art, "src", "", "", std::nullopt, true, !blinking, false));
    }

    static std::optional<ImportedANS> importFile(const std::string& file) {
        const std::string text = slurp(file);
        return importANSFile(std::vector<std::uint8_t>(text.begin(), text.end()), false);
    }

    fs::path dir_;
};

TEST_F(BatchCommands, DumpCellPrintsCharacterAndColourLabels) {
    const std::string raw = write("raw.ans", "\x1b[0;31;44mA\x1b[0mb");
    const RunResult r = runGlyphloomBinary({"--dump-cell", raw, "0", "0"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "A\tRed\tBlue\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(BatchCommands, DumpCellRefusesPositionsOutsideTheDocument) {
    const std::string file = classicFile("art.ans");
    const std::vector<std::vector<std::string>> cases = {
        {file, "5", "0"},  {file, "0", "80"},  {file, "-1", "0"},  {file, "0", "-1"},
        {file, "x", "0"},  {file, "0", "1x"},  {file, "", "0"},    {path("missing.ans"), "0", "0"},
    };
    for (const auto& args : cases) {
        std::vector<std::string> full{"--dump-cell"};
        full.insert(full.end(), args.begin(), args.end());
        const RunResult r = runGlyphloomBinary(full);
        EXPECT_EQ(r.status, 1) << args[1] << "," << args[2];
        EXPECT_EQ(r.err, "glyphloom: bad --dump-cell args\n") << args[1] << "," << args[2];
        EXPECT_EQ(r.out, "");
    }
    // The last row and the last column are inside.
    EXPECT_EQ(runGlyphloomBinary({"--dump-cell", file, "4", "79"}).status, 0);
}

TEST_F(BatchCommands, LayeredDocumentsAreReadAsTheirComposite) {
    const std::string doc = layeredDocument();
    const RunResult dumped = runGlyphloomBinary({"--dump-doc", doc});
    EXPECT_EQ(dumped.status, 0);
    EXPECT_EQ(dumped.out, "BTBBBBBBBB\nBBZBBBBBBB\n");

    const std::string png = path("doc.png");
    const RunResult rendered = runGlyphloomBinary({"--png", doc, png});
    EXPECT_EQ(rendered.status, 0);
    EXPECT_EQ(rendered.err, "");
    const std::string bytes = slurp(png);
    const auto image = decodePNG(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    ASSERT_TRUE(image);
    const RenderedImage expected = renderDocRGB(expectedComposite());
    ASSERT_EQ(image->width, expected.width);
    ASSERT_EQ(image->height, expected.height);
    std::vector<std::uint8_t> rgb;
    for (std::size_t i = 0; i < image->rgba.size(); i += 4) rgb.insert(rgb.end(), &image->rgba[i], &image->rgba[i + 3]);
    EXPECT_EQ(rgb, expected.rgb);
}

TEST_F(BatchCommands, UnreadableInputsOfPngAndDumpDoc) {
    const std::string missing = path("missing.ans");
    const std::string broken = write("broken.glyphloom", "{\"version\": 5");
    for (const std::string& in : {missing, broken}) {
        const RunResult png = runGlyphloomBinary({"--png", in, path("out.png")});
        EXPECT_EQ(png.status, 1);
        EXPECT_EQ(png.err, "glyphloom: can't read " + in + "\n");
        EXPECT_FALSE(fs::exists(path("out.png")));
        const RunResult dump = runGlyphloomBinary({"--dump-doc", in});
        EXPECT_EQ(dump.status, 1);
        EXPECT_EQ(dump.err, "glyphloom: can't read " + in + "\n");
        EXPECT_EQ(dump.out, "");
    }
}

TEST_F(BatchCommands, FlattenWritesTheCompositeAsClassicArt) {
    const std::string out = path("flat.ans");
    const RunResult r = runGlyphloomBinary({"--flatten", layeredDocument(), out});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    const auto flat = importFile(out);
    ASSERT_TRUE(flat);
    ASSERT_TRUE(flat->sauce);
    EXPECT_EQ(flat->sauce->title, "welcome");
    EXPECT_EQ(flat->sauce->author, "");
    for (int row = 0; row < 2; ++row)
        for (int col = 0; col < docColumns; ++col) {
            ASSERT_TRUE(flat->cells.cellAt(row, col));
            EXPECT_EQ(*flat->cells.cellAt(row, col), *expectedComposite().cellAt(row, col)) << row << "," << col;
        }
}

TEST_F(BatchCommands, FlattenRefusesAnythingButALayeredDocument) {
    for (const std::string& in : {classicFile("plain.ans"), path("missing.glyphloom"),
                                  write("not.glyphloom", "[1, 2, 3]")}) {
        const RunResult r = runGlyphloomBinary({"--flatten", in, path("out.ans")});
        EXPECT_EQ(r.status, 1) << in;
        EXPECT_EQ(r.err, "glyphloom: bad --flatten args\n") << in;
        EXPECT_FALSE(fs::exists(path("out.ans")));
    }
}

TEST_F(BatchCommands, CropWritesTheInclusiveRowRange) {
    const std::string in = classicFile("art.ans");
    struct Case {
        const char* first;
        const char* last;
        std::string rows;  // the digits that start the written rows
    };
    for (const Case& c : {Case{"0", "0", "A"}, Case{"1", "3", "123"}, Case{"2", "4", "234"}, Case{"0", "4", "A1234"}}) {
        const std::string out = path("crop.ans");
        const RunResult r = runGlyphloomBinary({"--crop", in, c.first, c.last, out});
        ASSERT_EQ(r.status, 0) << c.first << ".." << c.last << r.err;
        const auto cropped = importFile(out);
        ASSERT_TRUE(cropped);
        std::string starts;
        for (int row = 0; row < cropped->cells.rowCount(); ++row)
            if (const ANSICell* first = cropped->cells.cellAt(row, 0); first && !first->character.isSpace())
                starts += first->character.str();
        EXPECT_EQ(starts, c.rows);
        ASSERT_TRUE(cropped->sauce);
        EXPECT_EQ(cropped->sauce->title, "crop");
        EXPECT_EQ(cropped->sauce->tInfo2, static_cast<int>(c.rows.size()));
    }
}

TEST_F(BatchCommands, CropRefusesBadRowsAndInputs) {
    const std::string in = classicFile("art.ans");
    const std::vector<std::vector<std::string>> cases = {
        {in, "3", "2"},   {in, "0", "5"},  {in, "-1", "2"}, {in, "a", "2"}, {in, "0", "2.5"},
        {in, "0", " 2"},  {path("missing.ans"), "0", "0"},   {write("empty.ans", ""), "0", "0"},
    };
    for (const auto& args : cases) {
        const RunResult r = runGlyphloomBinary({"--crop", args[0], args[1], args[2], path("out.ans")});
        EXPECT_EQ(r.status, 1) << args[0] << " " << args[1] << " " << args[2];
        EXPECT_EQ(r.err, "glyphloom: bad --crop args\n");
        EXPECT_FALSE(fs::exists(path("out.ans")));
    }
}

// Blinking-text art (the record's iCE bit clear) must keep its blink through both writers.
TEST_F(BatchCommands, CropAndFlattenKeepBlinkingText) {
    const std::string cropped = path("crop.ans");
    ASSERT_EQ(runGlyphloomBinary({"--crop", classicFile("blink.ans", true), "3", "3", cropped}).status, 0);
    const auto slice = importFile(cropped);
    ASSERT_TRUE(slice);
    ASSERT_TRUE(slice->cells.cellAt(0, 4));
    EXPECT_TRUE(slice->cells.cellAt(0, 4)->blink);
    EXPECT_EQ(slice->cells.cellAt(0, 4)->background, ANSIColorValue::ansi16(1));

    const std::string flat = path("flat.ans");
    ASSERT_EQ(runGlyphloomBinary({"--flatten", layeredDocument(true), flat}).status, 0);
    const auto flattened = importFile(flat);
    ASSERT_TRUE(flattened);
    ASSERT_TRUE(flattened->cells.cellAt(1, 2));
    EXPECT_TRUE(flattened->cells.cellAt(1, 2)->blink);
    EXPECT_EQ(flattened->cells.cellAt(1, 2)->background, ANSIColorValue::ansi16(5));
}

// An output that cannot be written is a failure, never a silent success.
TEST_F(BatchCommands, UnwritableOutputIsReported) {
    const std::string doc = layeredDocument();
    const std::string art = classicFile("art.ans");
    const std::string bank = write("bank.json", R"([{"name":"one","tool":"eye"}])");
    std::vector<std::string> targets = {"/dev/full", path("art.ans") + "/under-a-file", path("no/such/folder/out")};
    if (::geteuid() != 0) {  // a read-only folder stops everyone but root
        fs::create_directory(dir_ / "locked");
        fs::permissions(dir_ / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        targets.push_back(path("locked") + "/out");
    }
    for (const std::string& target : targets) {
        const std::vector<std::vector<std::string>> commands = {
            {"--png", doc, target},
            {"--flatten", doc, target},
            {"--crop", art, "0", "1", target},
            {"--test-import-presets", bank, "--reexport", target},
        };
        for (const auto& args : commands) {
            const RunResult r = runGlyphloomBinary(args);
            EXPECT_EQ(r.status, 1) << args[0] << " " << target;
            EXPECT_NE(r.err.find("glyphloom: can't write " + target + "\n"), std::string::npos) << args[0] << r.err;
        }
    }
}

// The file size limit stands in for a full disk: the write fails part-way, and the output
// that stood there before must survive it whole.
TEST_F(BatchCommands, AFailedWriteLeavesTheOldOutputWhole) {
    const std::string doc = layeredDocument();
    const std::string out = write("existing.png", std::vector<std::uint8_t>{'o', 'l', 'd'});
    const std::string command = "trap '' XFSZ; ulimit -f 0; exec " + test_support::shellQuoted(GLYPHLOOM_BINARY) +
                                " --png " + test_support::shellQuoted(doc) + " " + test_support::shellQuoted(out) +
                                " </dev/null 2>/dev/null";
    const int raw = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(raw));
    EXPECT_EQ(WEXITSTATUS(raw), 1);
    EXPECT_EQ(slurp(out), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2) << "a temporary was left";
}

TEST_F(BatchCommands, ImportPresetsAppliesSlotZeroAndReexportsIt) {
    const std::string bank = write("bank.json", R"([{"name":"one","tool":"eye"}, {"name":7}, null])");
    const RunResult checked = runGlyphloomBinary({"--test-import-presets", bank});
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(checked.out.rfind("IMPORT-PRESETS: OK slots=3", 0), 0u) << checked.out;

    const std::string out = path("again.json");
    const RunResult again = runGlyphloomBinary({"--test-import-presets", bank, "--reexport", out});
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(again.out.find("\nREEXPORT: " + out + "\n"), std::string::npos) << again.out;
    const auto written = decodeBankStrictly(slurp(out));
    ASSERT_TRUE(written);
    ASSERT_EQ(written->size(), 1u);
    ASSERT_TRUE((*written)[0]);
    EXPECT_EQ(toolForPresetID((*written)[0]->tool.value_or("")), Tool::pans);

    for (const std::string& bad : {write("bad.json", "{\"tool\":"), path("missing.json")}) {
        const RunResult r = runGlyphloomBinary({"--test-import-presets", bad, "--reexport", out + "2"});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "IMPORT-PRESETS: FAIL cannot decode " + bad + "\n");
        EXPECT_FALSE(fs::exists(out + "2"));
    }
}

TEST_F(BatchCommands, FirstCommandInStartUpOrderWins) {
    const std::string art = classicFile("art.ans");
    // --dump-doc comes before --png however they are written.
    const RunResult r = runGlyphloomBinary({"--png", art, path("x.png"), "--dump-doc", art});
    EXPECT_EQ(r.status, 0);
    EXPECT_FALSE(fs::exists(path("x.png")));
    EXPECT_EQ(r.out.substr(0, 2), "A ");
    // A command without all its values is no command: start-up goes on to the terminal check.
    const RunResult shortCrop = runGlyphloomBinary({"--crop", art, "0", "1"});
    EXPECT_EQ(shortCrop.status, 1);
    EXPECT_EQ(shortCrop.err, "glyphloom: needs an interactive terminal (try iTerm2 or xterm)\n");
}

TEST_F(BatchCommands, AuditSelfTestPassesWithoutTouchingTheSettingsFolder) {
    // A settings folder of its own: other tests may leave theirs behind.
    const testing_support::ScopedConfigHome config("audit");
    const RunResult r = runGlyphloomBinary({"--run-audit-tests"});
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(r.out.rfind("audit-fix self-test:\n", 0), 0u);
    EXPECT_EQ(r.out.find("FAIL"), std::string::npos) << r.out;
    EXPECT_FALSE(fs::exists(config.path() / "glyphloom"));
}

// Each setup flag must reach the composed frame: adding it to a set-up changes the regions.
// (The about box has no clickable region, so it cannot show here.)
TEST(DumpLayout, EverySetupFlagChangesTheFrame) {
    struct Case {
        std::vector<std::string> base;
        std::vector<std::string> added;
    };
    const Case cases[] = {
        {{}, {"--charpicker"}},       {{}, {"--panel"}},           {{"--layers"}, {"--addlayer"}},
        {{}, {"--palette"}},          {{}, {"--fades"}},           {{}, {"--depthmenu"}},
        {{}, {"--saveopts"}},         {{}, {"--savemenu"}},        {{}, {"--presetfilemenu"}},
        {{}, {"--fontbrowse"}},       {{}, {"--fontbrowser"}},     {{}, {"--docbrowser"}},
        {{}, {"--refimgbrowser"}},    {{}, {"--imageimport", "x.png"}}, {{}, {"--charsetmenu"}},
        {{"--charpicker"}, {"--charset", "3"}},                    {{}, {"--sizemenu"}},
        {{"--panel"}, {"--tool", "Text"}},                         {{"--panel", "--tool", "Box"}, {"--ownfill"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> without{"--dump-layout"};
        without.insert(without.end(), c.base.begin(), c.base.end());
        std::vector<std::string> with = without;
        with.insert(with.end(), c.added.begin(), c.added.end());
        const RunResult plain = runGlyphloomBinary(without);
        const RunResult flagged = runGlyphloomBinary(with);
        EXPECT_EQ(flagged.status, 0) << c.added[0];
        EXPECT_EQ(flagged.out.rfind("size ", 0), 0u) << c.added[0];
        EXPECT_TRUE(flagged.out != plain.out) << c.added[0] << " leaves the frame unchanged";
    }
}

TEST(BatchCorpus, EveryAnsFileDumpsAndRenders) {
    const fs::path corpus = fs::path(GLYPHLOOM_CORPUS_DIR) / "ans";
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    const fs::path png = fs::temp_directory_path() / ("glyphloom-corpus-" + std::to_string(::getpid()) + ".png");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (!entry.is_regular_file()) continue;
        ++files;
        const std::string name = entry.path().string();
        const RunResult dump = runGlyphloomBinary({"--dump-doc", name});
        EXPECT_EQ(dump.status, 0) << name << dump.err;
        EXPECT_FALSE(dump.out.empty()) << name;
        const RunResult render = runGlyphloomBinary({"--png", name, png.string()});
        EXPECT_EQ(render.status, 0) << name << render.err;
        const std::string bytes = slurp(png);
        // Tall art can render past the pixel count our own reader accepts; that is no fault of
        // the render, so only the picture's header is checked then.
        PNGRefusal refusal = PNGRefusal::none;
        const bool decoded = decodePNG(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), &refusal).has_value();
        EXPECT_TRUE(decoded || refusal == PNGRefusal::badDimensions) << name;
        EXPECT_EQ(bytes.substr(0, 8), "\x89PNG\r\n\x1a\n") << name;
        fs::remove(png);
    }
    EXPECT_GT(files, 0);
}

// Every picture format renders whole (the image is the render of all the cells its reader
// gives), and prints its cells.
TEST(BatchCorpus, EveryPictureFormatRendersWholeAndDumps) {
    const fs::path corpus = fs::path(GLYPHLOOM_CORPUS_DIR) / "formats";
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    const fs::path png = fs::temp_directory_path() / ("glyphloom-formats-" + std::to_string(::getpid()) + ".png");
    int files = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        const std::string name = entry.path().string();
        if (!entry.is_regular_file() || artFormatForPath(name) == ArtFormat::ansi) continue;
        ++files;
        const std::string data = slurp(name);
        const auto read = readArtFile(std::vector<std::uint8_t>(data.begin(), data.end()), artFormatForPath(name));
        ASSERT_TRUE(read.art) << name;
        const RunResult render = runGlyphloomBinary({"--png", name, png.string()});
        EXPECT_EQ(render.status, 0) << name << render.err;
        const std::string bytes = slurp(png);
        const auto image = decodePNG(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
        ASSERT_TRUE(image) << name;
        const RenderedImage expected = renderDocRGB(read.art->cells);
        EXPECT_EQ(image->width, expected.width) << name;
        EXPECT_EQ(image->height, expected.height) << name;
        std::vector<std::uint8_t> rgb;
        for (std::size_t i = 0; i < image->rgba.size(); i += 4) rgb.insert(rgb.end(), &image->rgba[i], &image->rgba[i + 3]);
        EXPECT_TRUE(rgb == expected.rgb) << name;
        fs::remove(png);

        const RunResult dump = runGlyphloomBinary({"--dump-doc", name});
        EXPECT_EQ(std::count(dump.out.begin(), dump.out.end(), '\n'), read.art->cells.rowCount()) << name;
    }
    EXPECT_GT(files, 0);
}

TEST_F(BatchCommands, OtherFormatsCropAndSayWhyTheyCannotBeRead) {
    // An XBin of 3 × 1 cells, plain: yellow on blinking blue.
    const std::string xbin = write("art.xb", std::vector<std::uint8_t>{'X', 'B', 'I', 'N', 0x1A, 3, 0, 1, 0, 16, 0,
                                                                       'a', 0x9E, 'b', 0x9E, 'c', 0x9E});
    EXPECT_EQ(runGlyphloomBinary({"--dump-cell", xbin, "0", "1"}).out, "b\tBr Yel\tBlue\n");
    const std::string cropped = path("crop.ans");
    ASSERT_EQ(runGlyphloomBinary({"--crop", xbin, "0", "0", cropped}).status, 0);
    const auto back = importFile(cropped);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->cells.row(0)[2], cell("c", ANSIColorValue::ansi16(11), blue, true));  // still blinking

    const std::string broken = write("broken.xb", std::vector<std::uint8_t>{'X', 'B'});
    const RunResult png = runGlyphloomBinary({"--png", broken, path("out.png")});
    EXPECT_EQ(png.status, 1);
    EXPECT_EQ(png.err, "glyphloom: can't read " + broken + ": not an XBin file\n");
}

}  // namespace batch_commands_test
}  // namespace glyphloom
