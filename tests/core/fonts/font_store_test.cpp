#include "core/fonts/font_store.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/codec/zip_test_file.hpp"
#include "core/fonts/tdf_test_file.hpp"
#include "core/io/file_io.hpp"
#include "scoped_config_home.hpp"

namespace glyphloom {
namespace font_store_test {

namespace fs = std::filesystem;
using testing_support::ScopedConfigHome;

std::vector<std::uint8_t> bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string figlet(int height = 1) {
    std::string text = "flf2a$ " + std::to_string(height) + " 1 4 0 1\nLatin-1 comment: \xe4\xf6\xfc\xdf@\n";
    for (int c = 0x20; c <= 0x7E; ++c)
        for (int r = 0; r < height; ++r) text += std::string(1, static_cast<char>(c)) + (r + 1 == height ? "@@\n" : "@\n");
    return text;
}

std::vector<std::uint8_t> twoFontTDF() {
    using tdf_test::Record;
    return tdf_test::file({Record{"One", 1, 1, {{'A', tdf_test::blockGlyph({"A"})}}},
                           Record{"Two", 1, 1, {{'B', tdf_test::blockGlyph({"B"})}}}});
}

std::vector<std::string> folderNames(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(FontStore, StoredNamesAreBaseNamesOnly) {
    const std::pair<const char*, std::optional<std::string>> cases[] = {
        {"cool.tdf", "cool.tdf"},       {"../../.bashrc", ".bashrc"}, {"/etc/x", "x"},
        {"dir\\win.flf", "win.flf"},    {"a/b/", std::nullopt},        {"", std::nullopt},
        {".", std::nullopt},            {"x/..", std::nullopt},        {"..", std::nullopt},
    };
    for (const auto& [name, expected] : cases) EXPECT_EQ(safeFontFileName(name), expected) << name;
}

TEST(FontStore, DisplayNamesAreCapitalisedWordByWord) {
    const std::pair<const char*, const char*> cases[] = {
        {"ansi_shadow.flf", "Ansi Shadow"}, {"BIG.flf", "Big"}, {"3-D.flf", "3-D"}, {"standard", "Standard"}};
    for (const auto& [file, name] : cases) EXPECT_EQ(fontDisplayName(file), name) << file;
}

TEST(FontStore, FolderFollowsTheConfigurationHome) {
    EXPECT_EQ(fontsFolder("/cfg", "/home/u"), "/cfg/glyphloom/fonts");
    EXPECT_EQ(fontsFolder("", "/home/u"), "/home/u/.config/glyphloom/fonts");
    EXPECT_EQ(fontsFolder(nullptr, "/home/u"), "/home/u/.config/glyphloom/fonts");
}

TEST(FontStore, ImportsByExtensionAndReadsTheFolderBack) {
    const ScopedConfigHome config("font-store");
    const std::string folder = config.fontsFolder().string();
    auto result = importFonts(twoFontTDF(), "pack.TDF", folder);
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.fonts.size(), 2u);
    result = importFonts(bytes(figlet()), "my_font.flf", folder);
    ASSERT_EQ(result.fonts.size(), 1u);
    EXPECT_EQ(result.fonts[0].name, "My Font");
    // Not a TheDraw file: stored all the same, no fonts, no error; never listed.
    result = importFonts(bytes("junk"), "fonts.bin", folder);
    EXPECT_FALSE(result.error);
    EXPECT_TRUE(result.fonts.empty());
    EXPECT_EQ(folderNames(config.fontsFolder()), (std::vector<std::string>{"fonts.bin", "my_font.flf", "pack.TDF"}));

    const auto loaded = loadImportedTDFFonts(folder);
    ASSERT_EQ(loaded.size(), 3u);
    EXPECT_EQ(loaded[0].id, "my_font");
    EXPECT_EQ(loaded[1].id, "pack_0");
    EXPECT_EQ(loaded[2].name, "Two");
    EXPECT_EQ(importedFontFile(loaded[2], folder), folder + "/pack.TDF");
    EXPECT_EQ(importedFontFile(loaded[0], folder), folder + "/my_font.flf");
    EXPECT_EQ(deleteImportedFont(folder + "/pack.TDF"), "");
    EXPECT_EQ(loadImportedTDFFonts(folder).size(), 1u);
    EXPECT_NE(deleteImportedFont(folder + "/pack.TDF"), "");
}

TEST(FontStore, FailedImportsLeaveTheFolderAlone) {
    const ScopedConfigHome config("font-store-fail");
    const std::string folder = config.fontsFolder().string();
    const struct {
        const char* name;
        std::vector<std::uint8_t> data;
        const char* error;
    } cases[] = {
        {"bad.flf", bytes("flf2a$ 0 1 4 0 0\n"), "Could not parse FIGlet font"},
        {"huge.flf", bytes("flf2a$ 2000000000 1 4 0 0\n"), "Could not parse FIGlet font"},
        {"texts.zip", zip_test::archive({{"read.me", "hi"}, {"x.txt", "x"}}), "No .tdf or .flf files found in zip"},
    };
    for (const auto& c : cases) {
        const auto result = importFonts(c.data, c.name, folder);
        EXPECT_EQ(result.error.value_or(""), c.error) << c.name;
        EXPECT_TRUE(importedFontFiles(folder).empty()) << c.name;
    }
    // Font files that are all damaged are named, not reported as missing.
    const auto tdf = twoFontTDF();
    auto damaged = zip_test::archive({{"dir/a.tdf", std::string(tdf.begin(), tdf.end()), true}, {"x.txt", "x"}});
    zip_test::breakCRC(damaged, "dir/a.tdf");
    zip_test::breakCRC(damaged, "x.txt");
    const auto result = importFonts(damaged, "damaged.zip", folder);
    EXPECT_EQ(result.error.value_or(""), "no font file in it could be read");
    EXPECT_EQ(result.skipped, std::vector<std::string>{"a.tdf: damaged"});
    EXPECT_TRUE(importedFontFiles(folder).empty());
    // A folder that cannot be made is reported before anything is written.
    const std::string blocked = (config.path() / "file").string();
    ASSERT_EQ(writeFileAtomically(blocked, std::string_view("x")), "");
    EXPECT_TRUE(importFonts(twoFontTDF(), "pack.tdf", blocked + "/fonts").error);
}

TEST(FontStore, ArchivesImportTheirFontMembersUnderPlainNames) {
    const ScopedConfigHome config("font-store-zip");
    const std::string folder = config.fontsFolder().string();
    const auto tdfBytes = twoFontTDF();
    const std::string tdf(tdfBytes.begin(), tdfBytes.end());
    const auto archive = zip_test::archive({{"fonts/a.tdf", tdf, true},
                                            {"../../evil.flf", figlet(), false},
                                            {"notes.txt", "ignore me"},
                                            {"broken.flf", "not a font"}});
    int calls = 0;
    const auto result = importFonts(archive, "bundle.zip", folder, [&](int done, int total) {
        ++calls;
        EXPECT_EQ(total, 3);
        EXPECT_EQ(done, calls);
    });
    EXPECT_FALSE(result.error);
    EXPECT_EQ(result.fonts.size(), 3u);
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(folderNames(config.fontsFolder()), (std::vector<std::string>{"a.tdf", "evil.flf"}));
    EXPECT_FALSE(fs::exists(config.path() / "evil.flf"));
    EXPECT_FALSE(fs::exists(config.path().parent_path() / "evil.flf"));
}

TEST(FontStore, CorpusArchivesImportTheirIntactMembers) {
    const fs::path corpus = fs::path(GLYPHLOOM_CORPUS_DIR) / "zip";
    if (!fs::exists(corpus)) GTEST_SKIP() << "no corpus";
    const ScopedConfigHome config("font-store-corpus");
    const std::string folder = config.fontsFolder().string();
    const auto mixed = readWholeFile((corpus / "fonts-mixed-stored-deflated.zip").string(), 1 << 20);
    ASSERT_TRUE(mixed.data);
    auto result = importFonts(*mixed.data, "fonts-mixed-stored-deflated.zip", folder);
    // bigout 1 + tdfonts_org 11 + 4maxx 5 TheDraw fonts, Filter, ivrit and standard.
    EXPECT_EQ(result.fonts.size(), 20u);
    EXPECT_EQ(loadImportedTDFFonts(folder).size(), 20u);
    fs::remove_all(config.fontsFolder());
    const auto corrupt = readWholeFile((corpus / "CORRUPT-deflated-member-bigout.zip").string(), 1 << 20);
    ASSERT_TRUE(corrupt.data);
    result = importFonts(*corrupt.data, "corrupt.zip", folder);
    ASSERT_EQ(result.fonts.size(), 1u);
    EXPECT_EQ(result.fonts[0].name, "Standard");
    EXPECT_EQ(result.skipped, std::vector<std::string>{"bigout.tdf: damaged"});
    EXPECT_EQ(folderNames(config.fontsFolder()), std::vector<std::string>{"standard.flf"});
}

}  // namespace font_store_test
}  // namespace glyphloom
