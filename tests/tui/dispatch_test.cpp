#include "tui/dispatch.hpp"

#include <gtest/gtest.h>

namespace glyphloom {
namespace {

struct Session {
    AppState state;
    Layout layout;
    Terminal terminal;
    Screen screen;

    void send(const InputEvent& event) { handle(event, state, layout, terminal, screen); }
};

TEST(RequestQuit, SavedDocumentQuitsAtOnce) {
    Session s;
    s.send(InputEvent::key(17));  // Ctrl-Q
    EXPECT_TRUE(s.state.shouldQuit);
}

TEST(RequestQuit, UnsavedChangesNeedASecondRequestWithNoDeliberateInputBetween) {
    Session s;
    s.state.snapshotForUndo();  // an edit makes the document dirty
    s.send(InputEvent::key(3));
    EXPECT_FALSE(s.state.shouldQuit);
    EXPECT_TRUE(s.state.quitArmed);
    EXPECT_EQ(s.state.statusNote.value_or(""), "unsaved changes — Ctrl-C again to quit");

    s.send(InputEvent::mouseMove(4, 4, false));  // merely moving keeps it armed
    s.send(InputEvent::key('a'));                // a key disarms it
    s.send(InputEvent::key(3));
    EXPECT_FALSE(s.state.shouldQuit);
    s.send(InputEvent::mouseMove(5, 5, false));
    s.send(InputEvent::key(3));
    EXPECT_TRUE(s.state.shouldQuit);
}

TEST(RequestQuit, AClickDisarmsAndEndOfInputNeedsNoConfirmation) {
    Session s;
    s.state.snapshotForUndo();
    s.send(InputEvent::key(3));
    s.send(InputEvent::mouseDown(1, 1, 0));
    EXPECT_FALSE(s.state.quitArmed);
    s.send(InputEvent::eof());
    EXPECT_TRUE(s.state.shouldQuit);
}

}  // namespace
}  // namespace glyphloom
