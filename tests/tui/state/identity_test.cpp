#include "tui/state/identity.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/io/file_io.hpp"

namespace glyphloom {
namespace identity_test {

namespace fs = std::filesystem;

class IdentityTest : public ::testing::Test {
   protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("glyphloom-identity-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string path() const { return (folder_ / "deeper" / "glyphloom" / "identity.json").string(); }
    fs::path folder_;
};

TEST_F(IdentityTest, PathFollowsXDGThenHome) {
    EXPECT_EQ(identityPath("/x/conf", "/home/u"), "/x/conf/glyphloom/identity.json");
    EXPECT_EQ(identityPath(nullptr, "/home/u"), "/home/u/.config/glyphloom/identity.json");
    EXPECT_EQ(identityPath("", "/home/u"), "/home/u/.config/glyphloom/identity.json");
    EXPECT_TRUE(identityPath(nullptr, nullptr).ends_with("/.config/glyphloom/identity.json"));
}

TEST_F(IdentityTest, EncodingKeepsKeyOrderAndOmitsAbsentKeys) {
    EXPECT_EQ(encodeIdentity({"ace", "ACiD", std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}),
              "{\n  \"author\": \"ace\",\n  \"group\": \"ACiD\"\n}\n");
    const SauceIdentity full{"a", "g", true, false, true, 3, true};
    const std::string text = encodeIdentity(full);
    EXPECT_LT(text.find("utf8Companion"), text.find("pngOnSave"));
    EXPECT_LT(text.find("txtOnSave"), text.find("fkeyBank"));
    EXPECT_LT(text.find("fkeyBank"), text.find("writeSauce"));
    EXPECT_EQ(decodeIdentity(text), full);
}

TEST_F(IdentityTest, LoadingDefaultsWhatIsMissingOrUnreadable) {
    EXPECT_EQ(loadSauceIdentity(path()), LoadedIdentity{});  // no file

    fs::create_directories(fs::path(path()).parent_path());
    struct Case {
        const char* json;
        LoadedIdentity expected;
    };
    const std::vector<Case> cases = {
        {R"({"author":"ace","group":"g"})", {"ace", "g", false, false, false, 0, false, ""}},
        {R"({"author":"ace","group":"g","fkeyBank":-4,"writeSauce":true})", {"ace", "g", false, false, false, 0, true, ""}},
        {R"({"author":"ace","group":"g","fkeyBank":99,"pngOnSave":"yes"})",
         {"ace", "g", false, false, false, 3, false, ""}},
        {R"({"author":7,"utf8Companion":true,"txtOnSave":true,"fkeyBank":2})", {"", "", true, false, true, 2, false, ""}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(writeFileAtomically(path(), std::string_view(c.json)).empty());
        EXPECT_EQ(loadSauceIdentity(path()), c.expected) << c.json;
    }
}

TEST_F(IdentityTest, ADamagedFileIsSetAsideBeforeAnythingWritesOverIt) {
    fs::create_directories(fs::path(path()).parent_path());
    const auto text = [](const std::string& file) {
        const FileReadResult read = readWholeFile(file, 1 << 20);
        return read.data ? std::string(read.data->begin(), read.data->end()) : std::string("(none)");
    };
    const struct {
        const char* damage;
        const char* keptAs;
    } starts[] = {
        {R"({"author":"ace","group":"ACiD")", "identity.json.corrupt"},
        {R"({"author":"ace","group":"ACiD")", "identity.json.corrupt"},  // the same damage is kept once
        {"[1,2]", "identity.json.corrupt-2"},                            // other damage never replaces it
    };
    for (const auto& start : starts) {
        ASSERT_TRUE(writeFileAtomically(path(), std::string_view(start.damage)).empty());
        const LoadedIdentity loaded = loadSauceIdentity(path());
        EXPECT_EQ(loaded.author, "");
        EXPECT_EQ(loaded.note, std::string("identity.json was damaged: set aside as ") + start.keptAs) << start.damage;
        EXPECT_EQ(text(folderOf(path()) + "/" + start.keptAs), start.damage);
    }
    EXPECT_FALSE(fs::exists(path() + ".corrupt-3"));

    // Where no copy can be made, the user hears that instead.
    fs::remove_all(folder_);
    const std::string blocked = (folder_ / "blocked").string();
    fs::create_directories(folder_);
    ASSERT_TRUE(writeFileAtomically(blocked, std::string_view("not json")).empty());
    fs::create_directories(blocked + ".corrupt");  // taken by a folder: the copy cannot be written there
    for (int n = 2; n <= 100; ++n) fs::create_directories(blocked + ".corrupt-" + std::to_string(n));
    EXPECT_EQ(loadSauceIdentity(blocked).note.rfind("blocked is damaged and couldn't be set aside: ", 0), 0u)
        << loadSauceIdentity(blocked).note;
    EXPECT_EQ(loadSauceIdentity(path()), LoadedIdentity{});  // no file: nothing to say
}

TEST_F(IdentityTest, PersistThenLoadRoundTripsAndApplies) {
    AppState state;
    state.sauceAuthor = "ace";
    state.sauceGroup = "ACiD";
    state.exportUTF8 = false;
    state.exportTXTOnSave = true;
    state.fkeyBankIndex = 1;
    state.doc.writeSauce = true;
    EXPECT_EQ(persistSauceIdentity(state, path()), "");
    // Written in place of the old file, with no temporary file left beside it.
    EXPECT_EQ(std::distance(fs::directory_iterator(fs::path(path()).parent_path()), fs::directory_iterator()), 1);

    AppState fresh;
    applySauceIdentity(loadSauceIdentity(path()), fresh);
    EXPECT_EQ(fresh.sauceAuthor, "ace");
    EXPECT_EQ(fresh.sauceGroup, "ACiD");
    EXPECT_FALSE(fresh.exportUTF8);
    EXPECT_FALSE(fresh.exportPNGOnSave);
    EXPECT_TRUE(fresh.exportTXTOnSave);
    EXPECT_EQ(fresh.fkeyBankIndex, 1);
    EXPECT_TRUE(fresh.doc.writeSauce);
}

}  // namespace identity_test
}  // namespace glyphloom

namespace glyphloom {
namespace identity_test {

TEST(IdentityPersistence, SaveOptionsComeBackFromTheConfigurationFolder) {
    // The unit tests run with a temporary XDG_CONFIG_HOME, so the real path is safe to use.
    const std::string path = identityPath();
    ASSERT_EQ(path, std::string(std::getenv("XDG_CONFIG_HOME")) + "/glyphloom/identity.json");
    AppState saved;
    saved.sauceAuthor = "ink";
    saved.exportUTF8 = true;
    saved.exportPNGOnSave = true;
    saved.exportTXTOnSave = false;
    saved.doc.writeSauce = true;
    saved.fkeyBankIndex = 3;
    ASSERT_EQ(persistSauceIdentity(saved), "");

    AppState restarted;
    applySauceIdentity(loadSauceIdentity(), restarted);
    EXPECT_EQ(restarted.sauceAuthor, "ink");
    EXPECT_TRUE(restarted.exportUTF8);
    EXPECT_TRUE(restarted.exportPNGOnSave);
    EXPECT_FALSE(restarted.exportTXTOnSave);
    EXPECT_TRUE(restarted.doc.writeSauce);
    EXPECT_EQ(restarted.fkeyBankIndex, 3);
    std::filesystem::remove(path);
}

}  // namespace identity_test
}  // namespace glyphloom
