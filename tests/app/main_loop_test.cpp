#include "app/main_loop.hpp"

#include <gtest/gtest.h>

#include "tui/actions/session.hpp"
#include "tui/input/dispatch.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace main_loop_test {

using namespace std::chrono_literals;

// Always answers with the same value.
class FixedRandom final : public RandomSource {
public:
    explicit FixedRandom(int value) : value_(value) {}
    int uniformInt(int lo, int hi) override { return std::clamp(value_, lo, hi); }
    double uniformDouble() override { return 0.5; }

private:
    int value_;
};

struct Loop {
    std::string output;
    Screen screen{[this](std::string_view bytes) { output += bytes; }, false};
    AppState state;
    Terminal terminal;
    Layout layout;
    TimeStamp now = TimeStamp(std::chrono::hours(1000));

    Loop() {
        screen.resize(30, 100);
        layout = drawFrame(state, screen);
        output.clear();
    }
    void batch(std::vector<InputEvent> events) { processBatch(events, state, layout, terminal, screen, now); }
};

TEST(MainLoop, HistoryPanelClosesOnTheFirstInputAfterFourSeconds) {
    Loop loop;
    openOverlay(Overlay::history, loop.state);
    loop.state.historyOpenedAt = loop.now - 3900ms;
    loop.batch({InputEvent::mouseMove(1, 1, false)});
    EXPECT_EQ(loop.state.overlay, Overlay::history);
    loop.now += 200ms;
    loop.batch({InputEvent::mouseMove(2, 1, false)});
    EXPECT_NE(loop.state.overlay, Overlay::history);
    EXPECT_FALSE(loop.state.historyOpenedAt);
}

TEST(MainLoop, ResizeStreakShowsStaticOnlyWhileTheWindowKeepsChanging) {
    for (int threshold : {2, 3}) {
        Loop loop;
        FixedRandom random(threshold);
        TimeStamp t = loop.now;
        handleResize(loop.state, loop.screen, t, random);
        EXPECT_FALSE(loop.state.resizeStatic) << "a single resize never shows static";
        bool sawStatic = false;
        for (int i = 0; i < 2; ++i) {
            t += 300ms;
            handleResize(loop.state, loop.screen, t, random);
            sawStatic = sawStatic || loop.state.resizeStatic;
        }
        EXPECT_TRUE(sawStatic) << "threshold " << threshold;
    }
}

TEST(MainLoop, SlowResizesNeverShowStatic) {
    Loop loop;
    FixedRandom random(2);
    TimeStamp t = loop.now;
    for (int i = 0; i < 5; ++i) {
        handleResize(loop.state, loop.screen, t, random);
        EXPECT_FALSE(loop.state.resizeStatic);
        t += 400ms;
    }
}

TEST(MainLoop, BatchWithoutResizeEndsTheStreakAndStaticIsShownOnce) {
    Loop loop;
    loop.state.resizeStep = 1;
    loop.batch({InputEvent::key('x')});
    EXPECT_EQ(loop.state.resizeStep, 0);

    loop.state.resizeStatic = true;
    loop.batch({InputEvent::key('x')});
    EXPECT_FALSE(loop.state.resizeStatic);
    EXPECT_FALSE(loop.output.empty());  // the static frame went out
}

TEST(MainLoop, KeyboardClickIsPlayedAndThePointerReturnsToTheKeyboardCursor) {
    Loop loop;
    loop.state.kbCursor = ScreenCell{10, 40};
    loop.state.pendingClick = ScreenCell{10, 40};
    loop.batch({InputEvent::key(' ')});
    EXPECT_FALSE(loop.state.pendingClick);
    ASSERT_TRUE(loop.state.kbCursor);
    EXPECT_EQ(*loop.state.kbCursor, (ScreenCell{10, 40}));
    EXPECT_EQ(loop.state.mouse, (ScreenPoint{40, 10}));
}

// Every field counts as typing: after the pointer's click starts one, the pointer steps aside.
TEST(MainLoop, KeyboardClickThatStartsAFieldHandsTheKeysToIt) {
    struct Case {
        const char* name;
        void (*open)(AppState&);
        std::optional<Span> Layout::*field;
        PromptKind kind;
    };
    const Case cases[] = {
        {"font URL", [](AppState& s) { openOverlay(Overlay::fontBrowser, s); }, &Layout::fontURLSpan, PromptKind::fontPath},
        {"code point", [](AppState& s) { openOverlay(Overlay::charPicker, s); }, &Layout::codepointFieldSpan,
         PromptKind::codepoint},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Loop loop;
        c.open(loop.state);
        loop.layout = drawFrame(loop.state, loop.screen);
        const std::optional<Span> field = loop.layout.*c.field;
        ASSERT_TRUE(field);
        loop.state.kbCursor = ScreenCell{field->row, field->colStart};
        loop.batch({InputEvent::key(' ')});
        EXPECT_TRUE(promptIs(loop.state.prompt, c.kind));
        EXPECT_FALSE(loop.state.kbCursor);
        loop.layout = drawFrame(loop.state, loop.screen);
        loop.batch({InputEvent::key('A'), InputEvent::key(' ')});
        EXPECT_FALSE(loop.state.pendingClick);
        EXPECT_EQ(loop.state.prompt->text(), "A ");
    }
}

}  // namespace main_loop_test
}  // namespace glyphloom
