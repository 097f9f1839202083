#include "tui/actions/sauce_box.hpp"

#include <gtest/gtest.h>

#include "tui/input/text_entry.hpp"

namespace glyphloom {
namespace sauce_box_test {

using K = SauceBoxRowKind;

TEST(SauceBoxRows, FieldRowsStartTypingTheirValueUnderTheirOwnKey) {
    AppState state;
    state.doc.sauce.sauceTitleField = "Moonrise";
    state.sauceAuthor = "ada";
    state.sauceGroup = "grp";
    state.doc.sauce.sauceFontName = "IBM VGA";
    state.doc.sauce.sauceComments = {"first", "second"};
    const struct {
        SauceBoxRow row;
        SauceEntry entry;
        const char* text;
    } cases[] = {
        {{K::title}, SauceEntry::of(SauceField::title), "Moonrise"},
        {{K::author}, SauceEntry::of(SauceField::author), "ada"},
        {{K::group}, SauceEntry::of(SauceField::group), "grp"},
        {{K::font}, SauceEntry::of(SauceField::font), "IBM VGA"},
        {{K::comment, 1}, SauceEntry::comment(1), "second"},
        {{K::comment, 2}, SauceEntry::comment(2), ""},  // one past the last adds
        {{K::comment, -1}, SauceEntry::comment(-1), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(controlName(c.row));
        AppState s = state;
        sauceBoxRowTapped(c.row, s);
        EXPECT_EQ(s.prompt, Prompt::forSauceField(c.entry, c.text));
    }
}

TEST(SauceBoxRows, TypingIntoACommentLineEditsThatLineAlone) {
    AppState s;
    s.doc.sauce.sauceComments = {"zero", "one", "two", "three", "four"};
    sauceBoxRowTapped({K::comment, 3}, s);
    for (const char c : std::string("\b\b\b\b\bTHIRD\r")) textEntryKey(static_cast<std::uint8_t>(c), s);
    EXPECT_EQ(s.doc.sauce.sauceComments, (std::vector<std::string>{"zero", "one", "two", "THIRD", "four"}));
    EXPECT_FALSE(s.prompt);

    sauceBoxRowTapped({K::comment, 5}, s);  // the "+" row appends
    for (const char c : std::string("five\r")) textEntryKey(static_cast<std::uint8_t>(c), s);
    EXPECT_EQ(s.doc.sauce.sauceComments.size(), 6u);
    EXPECT_EQ(s.doc.sauce.sauceComments.back(), "five");
    EXPECT_EQ(s.doc.sauce.sauceTitleField, "") << "no other field is touched";
}

TEST(SauceBoxRows, ChoicesStepAndWrap) {
    AppState s;
    const LetterSpacing spacing = s.doc.sauce.letterSpacing;
    const AspectRatio aspect = s.doc.sauce.aspectRatio;
    sauceBoxRowTapped({K::spacing}, s);
    EXPECT_NE(s.doc.sauce.letterSpacing, spacing);
    sauceBoxRowTapped({K::spacing}, s);
    sauceBoxRowTapped({K::spacing}, s);
    EXPECT_EQ(s.doc.sauce.letterSpacing, spacing);
    sauceBoxRowTapped({K::aspect}, s);
    EXPECT_NE(s.doc.sauce.aspectRatio, aspect);
    EXPECT_FALSE(s.prompt);
}

TEST(SauceBoxRows, ForeignRecordOpensReadOnlyAndIsClaimedOnlyAfterConfirming) {
    AppState s;
    SauceRecord foreign;
    foreign.author = "someone";
    foreign.title = "Their art";
    s.doc.sauce.sourceSauce = foreign;
    s.sauceAuthor = "me";
    openSauceBox(s);
    ASSERT_TRUE(s.sauceBoxOpen);
    EXPECT_TRUE(s.sauceBoxReadOnly);

    sauceBoxRowTapped({K::edit}, s);
    EXPECT_TRUE(s.sauceEditConfirm);
    sauceBoxRowTapped({K::cancel}, s);
    EXPECT_FALSE(s.sauceEditConfirm);
    EXPECT_TRUE(s.sauceBoxReadOnly);

    sauceBoxRowTapped({K::edit}, s);
    sauceBoxRowTapped({K::claim}, s);
    EXPECT_FALSE(s.sauceEditConfirm);
    EXPECT_FALSE(s.sauceBoxReadOnly);
    EXPECT_FALSE(s.doc.sauce.sauceHistory.empty()) << "the foreign credit moves into the history";

    sauceBoxRowTapped({K::done}, s);
    EXPECT_FALSE(s.sauceBoxOpen);
}

TEST(ControlNames, AreTheReadableIds) {
    EXPECT_EQ(controlName(SauceBoxRow{K::comment, 3}), "comment:3");
    EXPECT_EQ(controlName(SauceBoxRow{K::done}), "done");
    EXPECT_EQ(controlName(SaveOption::sauceOn), "sauceon");
    EXPECT_EQ(controlName(SaveOption::sauceRecord), "sauce");
}

}  // namespace sauce_box_test
}  // namespace glyphloom
