#include "tui/actions/view_scroll.hpp"

#include <gtest/gtest.h>

#include "tui/input/dispatch.hpp"
#include "tui/layout/chrome.hpp"

namespace glyphloom {
namespace view_scroll_test {

// An editor on an 80 × 24 terminal with the default 160 × 50 canvas.
struct Editor {
    AppState state;
    Terminal terminal;
    Screen screen{[](std::string_view) {}, false};
    Layout layout;

    Editor() {
        screen.resize(24, 80);
        redraw();
    }
    void redraw() { layout = Chrome::compose(state, screen); }
    void send(const InputEvent& event) {
        handle(event, state, layout, terminal, screen);
        redraw();
    }
};

TEST(ViewScroll, WheelAndPagingKeysMoveTheViewWithinTheDocument) {
    struct Case {
        std::vector<InputEvent> events;
        GridKey view;
    };
    Editor probe;
    const int height = probe.layout.canvasHeight();  // 19
    const int x = probe.layout.canvasLeft() + 3, y = probe.layout.canvasTop() + 3;
    const Case cases[] = {
        {{InputEvent::scroll(x, y, false)}, {wheelStep, 0}},
        {{InputEvent::scroll(x, y, false), InputEvent::scroll(x, y, true)}, {0, 0}},
        {{InputEvent::scroll(x, y, true)}, {0, 0}},
        {{InputEvent::scroll(x, y, false, true)}, {0, wheelStep}},
        {{InputEvent::navKey(NavKey::pageDown)}, {height - 1, 0}},
        {{InputEvent::navKey(NavKey::pageDown), InputEvent::navKey(NavKey::pageDown),
          InputEvent::navKey(NavKey::pageDown)},
         {50 - height, 0}},
        {{InputEvent::navKey(NavKey::end)}, {50 - height, 0}},
        {{InputEvent::navKey(NavKey::end), InputEvent::navKey(NavKey::pageUp)}, {50 - height - (height - 1), 0}},
        {{InputEvent::scroll(x, y, false, true), InputEvent::navKey(NavKey::end), InputEvent::navKey(NavKey::home)},
         {0, wheelStep}},
        // Not over the canvas: the bar and the colour row leave the view alone.
        {{InputEvent::scroll(30, 0, false), InputEvent::scroll(30, 23, false)}, {0, 0}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        Editor e;
        for (const InputEvent& event : cases[i].events) e.send(event);
        EXPECT_EQ(e.state.viewOffset, cases[i].view) << i;
        EXPECT_EQ(e.layout.viewRow, cases[i].view.row) << i;
    }
}

TEST(ViewScroll, PagingKeysLeaveATypedFieldAlone) {
    Editor e;
    e.state.prompt = Prompt(PromptKind::fileName);
    e.send(InputEvent::navKey(NavKey::pageDown));
    EXPECT_EQ(e.state.viewOffset, (GridKey{0, 0}));
}

TEST(ViewScroll, SidebarPagesToTheOptionsAndBackToTheWholeToolList) {
    Editor e;
    ASSERT_TRUE(e.layout.sidebarDownSpan && e.layout.sidebarUpSpan);
    EXPECT_TRUE(e.layout.brushSpans.empty());  // below the window at first
    const Span down = *e.layout.sidebarDownSpan;
    e.send(InputEvent::mouseDown(down.colStart, down.row, 0));
    e.send(InputEvent::mouseUp(down.colStart, down.row));
    EXPECT_FALSE(e.layout.brushSpans.empty());
    EXPECT_GE(e.layout.sidebarOptionsRow, e.layout.sidebarScroll);
    // Every drawn option lies inside the window between the marks.
    for (const auto& r : e.layout.brushSpans) {
        EXPECT_GT(r.span.row, e.layout.sidebarUpSpan->row);
        EXPECT_LT(r.span.row, e.layout.sidebarDownSpan->row);
    }
    const Span up = *e.layout.sidebarUpSpan;
    e.send(InputEvent::mouseDown(up.colStart, up.row, 0));
    e.send(InputEvent::mouseUp(up.colStart, up.row));
    EXPECT_EQ(e.layout.sidebarScroll, 0);
    EXPECT_EQ(e.layout.toolSpans.front().value, Tool::paint);
    // The wheel over the sidebar scrolls it, clamped at its end.
    for (int i = 0; i < 30; ++i) e.send(InputEvent::scroll(2, 5, false));
    EXPECT_EQ(e.layout.sidebarScroll, e.layout.sidebarMaxScroll);
}

}  // namespace view_scroll_test
}  // namespace glyphloom
