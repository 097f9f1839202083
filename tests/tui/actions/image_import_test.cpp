#include "tui/actions/image_import.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/codec/png_decode.hpp"
#include "core/codec/png_encode.hpp"
#include "core/io/file_io.hpp"

namespace glyphloom {
namespace image_import_test {

namespace fs = std::filesystem;

class ImageImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("glyphloom-image-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        fs::remove_all(folder_);
    }
    // A grey picture written as a PNG file.
    std::string picture(const std::string& name, int width, int height, std::uint8_t grey) const {
        const std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3, grey);
        const auto data = encodePNG(width, height, rgb);
        const std::string path = (folder_ / name).string();
        EXPECT_EQ(writeFileAtomically(path, data), "");
        return path;
    }
    AppState editor() const {
        AppState state;
        state.doc = Document::blank(25, 80);
        return state;
    }
    fs::path folder_;
};

TEST_F(ImageImportTest, LayerNamesComeFromTheFileName) {
    const std::pair<const char*, const char*> cases[] = {
        {"/x/cat.photo.png", "cat"},      {"verylongfilename.png", "verylongfil"}, {"/x/.hidden.png", "hidden"},
        {"/x/....png", "png"},            {"/x/.", "Image"},                       {"", "Image"},
        {"/x/ünïcödé_näme.png", "ünïcödé_näm"},
    };
    for (const auto& [path, name] : cases) EXPECT_EQ(imageLayerName(path), name) << path;
}

TEST_F(ImageImportTest, APictureBecomesTheNewTopLayer) {
    AppState state = editor();
    state.doc.colorDepth = ColorDepth::c16;
    state.imageImportPath = picture("cat.photo.png", 320, 200, 255);
    importImageAsLayer(ImageImportMode::shade, state);
    EXPECT_FALSE(state.imageImportPath);
    EXPECT_EQ(state.statusNote.value_or(""), "imported cat as Shade layer");
    ASSERT_EQ(state.doc.layers.size(), 2u);
    EXPECT_EQ(state.doc.layers[0].name, "cat");
    EXPECT_EQ(state.activeLayerIndex, 0);
    EXPECT_EQ(state.doc.layers[0].cells.rowCount(), 25);
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(24, 79)->character.str(), "█");
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(24, 79)->foreground, ANSIColorValue::ansi16(15));
    EXPECT_EQ(state.doc.layers[1].name, "Layer 1");
    EXPECT_EQ(state.undoStack.size(), 1u);
    state.undo();
    EXPECT_EQ(state.doc.layers.size(), 1u);
}

TEST_F(ImageImportTest, RefusalsLeaveTheDocumentAlone) {
    const std::string good = picture("fine.png", 2, 2, 128);
    std::ofstream(folder_ / "junk.png") << "not a picture";
    struct Case {
        std::string path;
        int layers;
        std::string status;
    };
    const Case cases[] = {
        {(folder_ / "junk.png").string(), 1, "couldn't decode junk.png (8-bit non-interlaced PNG only)"},
        {(folder_ / "gone.png").string(), 1, "couldn't decode gone.png (8-bit non-interlaced PNG only)"},
        {good, 7, "layer limit (7)"},
    };
    for (const Case& c : cases) {
        AppState state = editor();
        while (static_cast<int>(state.doc.layers.size()) < c.layers) state.doc.layers.emplace_back("more", CellGrid(25, 80));
        const auto before = state.doc.layers;
        state.imageImportPath = c.path;
        importImageAsLayer(ImageImportMode::blocks, state);
        EXPECT_EQ(state.statusNote.value_or(""), c.status);
        EXPECT_EQ(state.doc.layers, before);
        EXPECT_TRUE(state.undoStack.empty());
        EXPECT_FALSE(state.imageImportPath);
    }
    AppState idle = editor();
    importImageAsLayer(ImageImportMode::fg, idle);
    EXPECT_FALSE(idle.statusNote.has_value());
}

// Real PNG files: whatever decodes imports in every mode.
TEST_F(ImageImportTest, EveryDecodablePictureOfTheCorpusImportsInAllModes) {
    const fs::path corpus = fs::path(GLYPHLOOM_CORPUS_DIR) / "png";
    std::error_code error;
    if (!fs::is_directory(corpus, error)) GTEST_SKIP() << "no PNG corpus at " << corpus;
    int decodable = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() != ".png") continue;
        const auto read = readWholeFile(entry.path().string(), 64 << 20);
        if (!read.data || !decodePNG(*read.data)) continue;
        ++decodable;
        for (ImageImportMode mode : allImageImportModes) {
            AppState state = editor();
            state.imageImportPath = entry.path().string();
            importImageAsLayer(mode, state);
            EXPECT_EQ(state.doc.layers.size(), 2u) << entry.path() << " " << imageImportLabel(mode);
            EXPECT_EQ(state.statusNote.value_or("").rfind("imported ", 0), 0u) << state.statusNote.value_or("");
        }
    }
    EXPECT_GT(decodable, 0);
}

}  // namespace image_import_test
}  // namespace glyphloom
