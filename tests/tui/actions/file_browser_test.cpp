#include "tui/actions/file_browser.hpp"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace glyphloom {
namespace {

namespace fs = std::filesystem;

class FileBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("glyphloom-browse-" + std::to_string(::getpid()));
        fs::remove_all(home_);
        fs::create_directories(home_ / "art" / "Zed");
        fs::create_directories(home_ / "art" / ".git");
        for (const char* name : {"B.ans", "a.ans", ".hidden.ans", "notes.txt", "Layered.GLYPHLOOM", "pic.png"})
            std::ofstream(home_ / "art" / name) << "\x1b[33mhi";
        const char* home = std::getenv("HOME");
        savedHome_ = home ? std::optional<std::string>(home) : std::nullopt;
        ::setenv("HOME", home_.c_str(), 1);
        savedRows_ = AppState::docRows;
        savedCols_ = AppState::docCols;
    }
    void TearDown() override {
        if (savedHome_) ::setenv("HOME", savedHome_->c_str(), 1);
        else ::unsetenv("HOME");
        fs::remove_all(home_);
        AppState::docRows = savedRows_;
        AppState::docCols = savedCols_;
    }
    fs::path home_;
    std::optional<std::string> savedHome_;
    int savedRows_ = 0, savedCols_ = 0;
};

TEST_F(FileBrowserTest, ListsFoldersThenMatchingFilesWithoutHiddenNames) {
    const std::string art = (home_ / "art").string();
    EXPECT_EQ(browseListing(art, {"ans", "glyphloom"}, true),
              (std::vector<std::string>{"~", "..", "Zed/", "a.ans", "B.ans", "Layered.GLYPHLOOM"}));
    EXPECT_EQ(browseListing(art, {"png"}, false), (std::vector<std::string>{"~", "Zed/", "pic.png"}));
    // Home is a root: neither a way home nor a way up.
    EXPECT_EQ(browseListing(home_.string(), {"ans"}, false), (std::vector<std::string>{"art/"}));
    EXPECT_EQ(browseListing((home_ / "missing").string(), {"ans"}, true), (std::vector<std::string>{"~", ".."}));
}

TEST_F(FileBrowserTest, AFileEntryOpensTheDocumentAndClosesTheBrowser) {
    AppState state;
    state.browseDir = (home_ / "art").string();
    state.fileBrowserOpen = true;
    refreshBrowse(state);
    const auto& entries = state.fileBrowserEntries;
    const auto it = std::find(entries.begin(), entries.end(), "a.ans");
    ASSERT_NE(it, entries.end());
    activateBrowseEntry(static_cast<int>(it - entries.begin()), state);
    EXPECT_FALSE(state.fileBrowserOpen);
    EXPECT_EQ(state.statusNote.value_or(""), "loaded a.ans (10×4)");
    EXPECT_EQ(state.filename, "a");
    EXPECT_EQ(state.layers[0].cells.cellAt(0, 0)->foreground, ANSIColorValue::ansi16(3));

    // In picture mode the file waits for the import box instead.
    state.imageBrowserMode = true;
    state.fileBrowserOpen = true;
    refreshBrowse(state);
    const auto png = std::find(entries.begin(), entries.end(), "pic.png");
    ASSERT_NE(png, entries.end());
    activateBrowseEntry(static_cast<int>(png - entries.begin()), state);
    EXPECT_EQ(state.imageImportPath, (home_ / "art" / "pic.png").string());
    EXPECT_FALSE(state.fileBrowserOpen);
}

}  // namespace
}  // namespace glyphloom
