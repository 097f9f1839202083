// A field's cursor counts grapheme clusters: typing, deleting, the arrows and the drawn
// cursor all agree when a character is made of several scalars.
#include "tui/state/prompt.hpp"

#include <gtest/gtest.h>

#include <string>

namespace glyphloom {
namespace prompt_test {

constexpr std::string_view backspace = "\x7f";

TEST(Prompt, EditingCountsClusters) {
    const std::string accented = "e\u0301";  // "é" as a letter and a combining accent
    struct Case {
        const char* name;
        std::string typed;   // into an empty field, one scalar at a time
        int lefts;           // then this many left arrows
        std::string extra;   // then this (backspace removes a cluster)
        std::string text;
        int cursor;
        std::string shown;
    };
    const Case cases[] = {
        {"accent joins the letter", accented + "x", 1, "", accented + "x", 1, accented + "▌x"},
        {"left steps over the whole cluster", accented + "x", 2, "", accented + "x", 0, "▌" + accented + "x"},
        {"typing after the cluster", accented + "x", 1, "y", accented + "yx", 2, accented + "y▌x"},
        {"backspace removes the cluster", accented + "x", 1, std::string(backspace), "x", 0, "▌x"},
        {"flag is one position", "a🇩🇪b", 1, std::string(backspace), "ab", 1, "a▌b"},
        {"accent typed after moving", "ex", 1, "\u0301", accented + "x", 1, accented + "▌x"},
        {"skin-toned emoji at the start", "👍🏽", 1, "a", "a👍🏽", 1, "a▌👍🏽"},
    };
    for (const Case& c : cases) {
        Prompt prompt(PromptKind::fileName);
        std::u32string scalars;
        for (std::size_t i = 0; i < c.typed.size();) {
            // One scalar per call, as keys arrive.
            const auto lead = static_cast<unsigned char>(c.typed[i]);
            const std::size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
            prompt.type(c.typed.substr(i, n));
            i += n;
        }
        for (int i = 0; i < c.lefts; ++i) prompt.moveCursor(false);
        if (c.extra == backspace) prompt.backspace();
        else if (!c.extra.empty()) prompt.type(c.extra);
        EXPECT_EQ(prompt.text(), c.text) << c.name;
        EXPECT_EQ(prompt.cursor(), c.cursor) << c.name;
        EXPECT_EQ(prompt.withCursor(), c.shown) << c.name;
    }
}

TEST(Prompt, CursorStopsAtBothEnds) {
    Prompt prompt(PromptKind::fileName, "👍🏽e\u0301");
    EXPECT_EQ(prompt.cursor(), 2);
    prompt.moveCursor(true);
    EXPECT_EQ(prompt.cursor(), 2);
    for (int i = 0; i < 5; ++i) prompt.moveCursor(false);
    EXPECT_EQ(prompt.cursor(), 0);
    prompt.backspace();
    EXPECT_EQ(prompt.text(), "👍🏽e\u0301");
    EXPECT_EQ(prompt.withCursor(), "▌👍🏽e\u0301");
}

TEST(Prompt, ASelectedTextIsReplacedOrClearedOrLeftAtAnEnd) {
    Prompt typed(PromptKind::fileName, "Untitled", true);
    EXPECT_EQ(typed.withCursor(), "Untitled");
    typed.type("a");
    EXPECT_EQ(typed.text(), "a");
    EXPECT_FALSE(typed.selectAll());

    Prompt erased(PromptKind::fileName, "Untitled", true);
    erased.backspace();
    EXPECT_EQ(erased.text(), "");

    for (const bool right : {false, true}) {
        Prompt moved(PromptKind::fileName, "ab", true);
        moved.moveCursor(right);
        EXPECT_EQ(moved.withCursor(), right ? "ab▌" : "▌ab");
    }
}

TEST(Prompt, NumberFieldsTakeDigitsAndOnlyTheLightnessAMinus) {
    const Prompt lightness = Prompt::forStepValue(PaletteChannel::tcL);
    const Prompt red = Prompt::forStepValue(PaletteChannel::tcR);
    const Prompt name(PromptKind::fileName);
    EXPECT_TRUE(lightness.accepts("7") && lightness.accepts("-"));
    EXPECT_TRUE(red.accepts("0"));
    EXPECT_FALSE(red.accepts("-") || red.accepts("x") || red.accepts("٣"));
    EXPECT_TRUE(name.accepts("-") && name.accepts("é"));
    EXPECT_EQ(lightness.stepChannel(), PaletteChannel::tcL);
    EXPECT_FALSE(name.stepChannel() || name.sauceEntry());
}

}  // namespace prompt_test
}  // namespace glyphloom
