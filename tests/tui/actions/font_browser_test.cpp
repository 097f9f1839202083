#include "tui/actions/font_browser.hpp"
#include "tui/state/overlay_table.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace font_browser_test {

TEST(FontBrowser, TryingFacesThenCancelReturnsToTheFaceBefore) {
    AppState s;
    openOverlay(Overlay::fontBrowser, s);
    s.textFontIndex = 2;
    fontRowTapped(0, false, s);
    fontRowTapped(-1, false, s);  // the plain face
    EXPECT_EQ(s.textFontIndex, std::nullopt);
    closeFontBrowser(false, s);
    EXPECT_EQ(s.textFontIndex, std::optional<int>(2));
    EXPECT_NE(s.overlay, Overlay::fontBrowser);

    openOverlay(Overlay::fontBrowser, s);
    fontRowTapped(1, false, s);
    closeFontBrowser(true, s);
    EXPECT_EQ(s.textFontIndex, std::optional<int>(1));
    EXPECT_FALSE(s.fontBrowserPrev);
}

TEST(FontBrowser, RightClickAsksToRemoveOnlyAnImportedFont) {
    AppState s;
    const int builtIns = static_cast<int>(BlockFont::builtIn().size());
    BlockFont imported;
    imported.name = "Imported";
    imported.height = 1;
    s.importedFonts = {imported};
    fontRowTapped(-1, true, s);
    EXPECT_FALSE(s.fontDeletePending);
    fontRowTapped(0, true, s);  // a built-in face cannot be removed
    EXPECT_FALSE(s.fontDeletePending);
    fontRowTapped(builtIns, true, s);
    EXPECT_EQ(s.fontDeletePending, std::optional<int>(builtIns));
    EXPECT_FALSE(s.fontBrowserPrev) << "asking is not trying the face";
    answerFontDelete(false, s);
    EXPECT_FALSE(s.fontDeletePending);
}

TEST(FontBrowser, ListScrollStaysWithinItsRange) {
    const struct {
        int from, delta, max, want;
    } cases[] = {{0, -3, 10, 0}, {8, 5, 10, 10}, {4, 3, 10, 7}, {2, 1, -4, 0}};
    for (const auto& c : cases) {
        AppState s;
        s.fontListScroll = c.from;
        scrollFontList(c.delta, c.max, s);
        EXPECT_EQ(s.fontListScroll, c.want) << c.from << "+" << c.delta;
    }
}

TEST(FontBrowser, BackFromTheFileListingShowsTheFacesFromTheTop) {
    AppState s;
    openOverlay(Overlay::fontBrowser, s);
    s.fontFileListing = true;
    s.prompt = Prompt(PromptKind::fontPath);
    s.fontListScroll = 6;
    leaveFontFileListing(s);
    EXPECT_FALSE(s.fontFileListing);
    EXPECT_FALSE(promptIs(s.prompt, PromptKind::fontPath));
    EXPECT_EQ(s.fontListScroll, 0);
}

}  // namespace font_browser_test
}  // namespace glyphloom
