#include "tui/actions/about_box.hpp"
#include "tui/state/overlay_table.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace about_box_test {

TEST(AboutBox, ThePromptCountsCharactersNotBytes) {
    AppState s;
    openAbout(s);
    for (const char* c : {"é", "░", "x"}) typeIntoAbout(c, s);
    eraseAboutInput(s);
    eraseAboutInput(s);
    EXPECT_EQ(s.aboutInput, "é") << "Backspace takes a whole character";

    s.aboutInput.clear();
    for (int i = 0; i < 1030; ++i) typeIntoAbout("░", s);
    EXPECT_EQ(s.aboutInput.size(), 1024u * 3) << "1024 characters, whatever their length in bytes";
    eraseAboutInput(s);
    typeIntoAbout("a", s);
    EXPECT_TRUE(s.aboutInput.ends_with("a"));

    AppState empty;
    eraseAboutInput(empty);
    EXPECT_EQ(empty.aboutInput, "");
}

TEST(AboutBox, EnterKeepsTheLastTwoHundredLinesAndClearEmptiesThem) {
    AppState s;
    openAbout(s);
    for (int i = 0; i < 205; ++i) {
        s.aboutInput = std::to_string(i);
        submitAboutInput(s);
    }
    ASSERT_EQ(s.aboutHistory.size(), 200u);
    EXPECT_EQ(s.aboutHistory.front(), "> 5") << "the oldest lines go first";
    EXPECT_EQ(s.aboutHistory.back(), "> 204");
    EXPECT_EQ(s.aboutInput, "");

    closeAboutBox(s);
    EXPECT_NE(s.overlay, Overlay::about);
    EXPECT_EQ(s.aboutHistory.size(), 200u) << "Esc keeps the conversation for next time";

    for (const char* word : {"clear", "cls"}) {
        s.aboutHistory = {"> hi"};
        s.aboutInput = word;
        submitAboutInput(s);
        EXPECT_TRUE(s.aboutHistory.empty()) << word;
        EXPECT_EQ(s.aboutInput, "");
    }
}

}  // namespace about_box_test
}  // namespace glyphloom
