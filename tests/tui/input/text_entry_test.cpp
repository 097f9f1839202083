// Text fields hold their cursor in grapheme clusters: typing, deleting, the arrows and the
// drawn cursor all agree when a character is made of several scalars.
#include "tui/input/text_entry.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tui/layout/chrome.hpp"

namespace glyphloom {
namespace text_entry_test {

void type(AppState& state, std::string_view bytes) {
    for (char byte : bytes) textEntryKey(static_cast<std::uint8_t>(byte), state);
}

// The bar row holding the file-name field, as the user sees it.
std::string drawnField(const AppState& state) {
    Screen screen{[](std::string_view) {}, false};
    screen.resize(60, 175);
    Chrome::compose(state, screen);
    for (int r = 0; r < screen.rows(); ++r) {
        std::string text;
        for (int c = 0; c < screen.cols(); ++c) text += screen.at(r, c).character.str();
        if (const auto at = text.find("▌"); at != std::string::npos) {
            const auto from = text.rfind(' ', at);
            const auto to = text.find(' ', at);
            return text.substr(from + 1, to - from - 1);
        }
    }
    return "<no cursor>";
}

TEST(TextEntry, CursorCountsClustersWhenTypingMovingAndDeleting) {
    const std::string accented = "e\u0301";  // "é" as a letter and a combining accent
    struct Case {
        const char* name;
        std::string typed;   // into an empty field
        int lefts;           // then this many left arrows
        std::string extra;   // then these bytes (0x7f is Backspace)
        std::string buffer;  // what the field holds
        int cursor;
        std::string drawn;
    };
    const Case cases[] = {
        {"accent joins the letter", accented + "x", 1, "", accented + "x", 1, accented + "▌x"},
        {"left steps over the whole cluster", accented + "x", 2, "", accented + "x", 0, "▌" + accented + "x"},
        {"typing after the cluster", accented + "x", 1, "y", accented + "yx", 2, accented + "y▌x"},
        {"backspace removes the cluster", accented + "x", 1, "\x7f", "x", 0, "▌x"},
        {"flag is one position", "a🇩🇪b", 1, "\x7f", "ab", 1, "a▌b"},
        {"accent typed after moving", "ex", 1, "\u0301", accented + "x", 1, accented + "▌x"},
    };
    for (const Case& c : cases) {
        AppState state;
        startTextEntry(TextEntryMode::fileName, state);
        type(state, c.typed);
        for (int i = 0; i < c.lefts; ++i) textEntryArrow(false, state);
        type(state, c.extra);
        EXPECT_EQ(state.renameBuffer, c.buffer) << c.name;
        EXPECT_EQ(state.renameCursor, c.cursor) << c.name;
        EXPECT_EQ(drawnField(state), c.drawn) << c.name;
    }
}

TEST(TextEntry, ArrowsStopAtTheEndsOfTheClusters) {
    AppState state;
    startTextEntry(TextEntryMode::fileName, state, "👍🏽e\u0301");
    EXPECT_EQ(state.renameCursor, 2);
    textEntryArrow(true, state);
    EXPECT_EQ(state.renameCursor, 2);
    for (int i = 0; i < 5; ++i) textEntryArrow(false, state);
    EXPECT_EQ(state.renameCursor, 0);
    type(state, "\x7f");
    EXPECT_EQ(state.renameBuffer, "👍🏽e\u0301");
}

}  // namespace text_entry_test
}  // namespace glyphloom
