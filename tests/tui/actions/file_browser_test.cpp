#include "tui/actions/file_browser.hpp"

#include <gtest/gtest.h>

#include "tui/state/text_entry_mode.hpp"

namespace glyphloom {
namespace {

AppState withEntries(int count) {
    AppState s;
    s.fileBrowserOpen = true;
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
    EXPECT_EQ(activeTextEntry(s), TextEntryMode::loadPath);
    s.fontBrowserMode = true;
    startBrowsePathEntry(s);
    EXPECT_EQ(activeTextEntry(s), TextEntryMode::fontPath);
    EXPECT_EQ(s.statusNote.value_or(""), "paste a font URL (or a file path), Enter to import");
}

}  // namespace
}  // namespace glyphloom
