// Keys reach the field being typed in: UTF-8 assembled across bytes, number fields filtered,
// Enter handing the text to its subject and Esc dropping it.
#include "tui/input/text_entry.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tui/actions/document_io.hpp"
#include "tui/actions/palette.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/layout/chrome.hpp"

namespace glyphloom {
namespace text_entry_test {

void type(AppState& state, std::string_view bytes) {
    for (char byte : bytes) textEntryKey(static_cast<std::uint8_t>(byte), state);
}

// The bar row holding the typed field, as the user sees it.
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

TEST(TextEntry, KeysEditTheFieldTheBarShows) {
    AppState state;
    startFileNameEntry(state);
    type(state, "e\xcc\x81x");  // "e", then a combining accent arriving byte by byte
    textEntryArrow(false, state);
    ASSERT_TRUE(state.prompt);
    EXPECT_EQ(state.prompt->text(), "e\u0301x");
    EXPECT_EQ(drawnField(state), "e\u0301▌x");
    type(state, "\x7f");
    EXPECT_EQ(drawnField(state), "▌x");
}

TEST(TextEntry, NumberFieldsIgnoreOtherKeys) {
    AppState state;
    startStepEntry(PaletteChannel::tcR, state);
    type(state, "1a-2é");
    EXPECT_EQ(state.prompt->text(), "12");
}

TEST(TextEntry, EscCommitsNothingAndEnterCommitsOnce) {
    AppState state;
    const int cols = state.doc.cols;
    startCanvasSizeEntry(state);
    type(state, "90x30\x1b");
    EXPECT_FALSE(state.prompt);
    EXPECT_EQ(state.doc.cols, cols);
    EXPECT_TRUE(state.undoStack.empty());

    startCanvasSizeEntry(state);
    type(state, "90x30\r");
    EXPECT_FALSE(state.prompt);
    EXPECT_EQ(state.doc.cols, 90);
    EXPECT_EQ(state.undoStack.size(), 1u);
}

}  // namespace text_entry_test
}  // namespace glyphloom
