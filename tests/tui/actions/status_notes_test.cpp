#include "tui/actions/status_notes.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace status_notes_test {

using namespace std::chrono_literals;

TEST(StatusNotes, ANoteIsNewsForItsSecondsAndARepeatStartsThemAgain) {
    AppState state;
    const TimeStamp t0{};
    refreshStatusLineNote(state, t0);
    EXPECT_FALSE(state.noteOnStatusLine);
    EXPECT_FALSE(statusNoteTimeLeft(state, t0));

    state.statusNote = "saved";
    refreshStatusLineNote(state, t0 + 1s);
    EXPECT_TRUE(state.noteOnStatusLine);
    EXPECT_EQ(statusNoteTimeLeft(state, t0 + 2s), noteOnStatusLineFor - 1s);
    refreshStatusLineNote(state, t0 + 1s + noteOnStatusLineFor);
    EXPECT_FALSE(state.noteOnStatusLine);

    // The same text again (a second failed save, say) is news again.
    state.statusNote = "saved";
    refreshStatusLineNote(state, t0 + 10s);
    EXPECT_TRUE(state.noteOnStatusLine);
    // A cleared note leaves the line at once.
    state.statusNote = std::nullopt;
    refreshStatusLineNote(state, t0 + 11s);
    EXPECT_FALSE(state.noteOnStatusLine);
    EXPECT_EQ(state.statusHistory().size(), 1u);
}

}  // namespace status_notes_test
}  // namespace glyphloom
