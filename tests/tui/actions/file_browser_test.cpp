#include "tui/actions/file_browser.hpp"

#include <gtest/gtest.h>

#include "tui/state/overlay_table.hpp"
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace glyphloom {
namespace file_browser_test {

AppState withEntries(int count) {
    AppState s;
    openOverlay(Overlay::fileBrowser, s);
    for (int i = 0; i < count; ++i) s.fileBrowserEntries.push_back("f" + std::to_string(i) + ".ans");
    return s;
}

TEST(FileBrowserNavigation, PagesAndWheelStopAtTheLastFullPage) {
    const struct {
        const char* name;
        int entries, scroll;
        void (*move)(AppState&);
        int want;
    } cases[] = {
        {"page down", 30, 0, [](AppState& s) { pageBrowse(true, 10, s); }, 10},
        {"page down stops at the last page", 30, 15, [](AppState& s) { pageBrowse(true, 10, s); }, 20},
        {"page up stops at the top", 30, 4, [](AppState& s) { pageBrowse(false, 10, s); }, 0},
        {"short listing never scrolls", 5, 0, [](AppState& s) { pageBrowse(true, 10, s); }, 0},
        {"wheel down one row", 30, 3, [](AppState& s) { scrollBrowse(1, 10, s); }, 4},
        {"wheel past the end", 30, 20, [](AppState& s) { scrollBrowse(1, 10, s); }, 20},
        {"no page size counts as one row", 3, 0, [](AppState& s) { pageBrowse(true, 0, s); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppState s = withEntries(c.entries);
        s.browseScroll = c.scroll;
        c.move(s);
        EXPECT_EQ(s.browseScroll, c.want);
    }
}

TEST(FileBrowserNavigation, TheViewFollowsTheHighlightedEntry) {
    AppState s = withEntries(30);
    moveBrowseSelection(12, 10, s);
    EXPECT_EQ(s.browseSel, 12);
    EXPECT_EQ(s.browseScroll, 3);  // the highlighted entry is on the last visible row
    moveBrowseSelection(-10, 10, s);
    EXPECT_EQ(s.browseSel, 2);
    EXPECT_EQ(s.browseScroll, 2);
    moveBrowseSelection(100, 10, s);
    EXPECT_EQ(s.browseSel, 29);
    moveBrowseSelection(-100, 10, s);
    EXPECT_EQ(s.browseSel, 0);
    EXPECT_EQ(s.browseScroll, 0);

    AppState empty = withEntries(0);
    moveBrowseSelection(1, 10, empty);
    EXPECT_EQ(empty.browseSel, 0);
}

TEST(FileBrowserNavigation, ThePathFieldFollowsWhatIsBeingPicked) {
    AppState s = withEntries(1);
    startBrowsePathEntry(s);
    EXPECT_TRUE(promptIs(s.prompt, PromptKind::loadPath));
    openOverlay(Overlay::fontBrowser, s);  // its listing picks font files
    s.fontFileListing = true;
    startBrowsePathEntry(s);
    EXPECT_TRUE(promptIs(s.prompt, PromptKind::fontPath));
    EXPECT_EQ(s.statusNote.value_or(""), "paste a font URL (or a file path), Enter to import");
}

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
    }
    void TearDown() override {
        if (savedHome_) ::setenv("HOME", savedHome_->c_str(), 1);
        else ::unsetenv("HOME");
        fs::remove_all(home_);
    }
    fs::path home_;
    std::optional<std::string> savedHome_;
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

TEST_F(FileBrowserTest, TheOpenBrowserListsEveryPictureFormatItReads) {
    for (const char* name : {"pic.XB", "sheet.pcb", "draw.tnd", "raw.bin", "data.json"})
        std::ofstream(home_ / "art" / name) << "x";
    AppState state;
    state.browseDir = (home_ / "art").string();
    refreshBrowse(state);
    EXPECT_EQ(state.fileBrowserEntries,
              (std::vector<std::string>{"~", "..", "Zed/", "a.ans", "B.ans", "draw.tnd", "Layered.GLYPHLOOM", "pic.XB",
                                        "raw.bin", "sheet.pcb"}));
}

TEST_F(FileBrowserTest, AFileEntryOpensTheDocumentAndClosesTheBrowser) {
    AppState state;
    state.browseDir = (home_ / "art").string();
    openOverlay(Overlay::fileBrowser, state);
    refreshBrowse(state);
    const auto& entries = state.fileBrowserEntries;
    const auto it = std::find(entries.begin(), entries.end(), "a.ans");
    ASSERT_NE(it, entries.end());
    activateBrowseEntry(static_cast<int>(it - entries.begin()), state);
    EXPECT_NE(state.overlay, Overlay::fileBrowser);
    EXPECT_EQ(state.statusNote.value_or(""), "loaded a.ans (10×4)");
    EXPECT_EQ(state.filename, "a");
    EXPECT_EQ(state.doc.layers[0].cells.cellAt(0, 0)->foreground, ANSIColorValue::ansi16(3));

    // In picture mode the file waits for the import box instead.
    state.browseFor = BrowseFor::image;
    openOverlay(Overlay::fileBrowser, state);
    refreshBrowse(state);
    const auto png = std::find(entries.begin(), entries.end(), "pic.png");
    ASSERT_NE(png, entries.end());
    activateBrowseEntry(static_cast<int>(png - entries.begin()), state);
    EXPECT_EQ(state.imageImportPath, (home_ / "art" / "pic.png").string());
    EXPECT_EQ(state.overlay, Overlay::imageImport);
}

}  // namespace file_browser_test
}  // namespace glyphloom
