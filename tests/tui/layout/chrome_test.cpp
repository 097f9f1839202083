#include "tui/layout/chrome.hpp"

#include <gtest/gtest.h>

#include "core/color/color_depth.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "tui/actions/toolbar.hpp"

namespace glyphloom {
namespace {

struct Frame {
    AppState state;
    Screen screen{[](std::string_view) {}, false};
    Layout layout;

    explicit Frame(int rows = 60, int cols = 200) { screen.resize(rows, cols); }
    void compose() { layout = Chrome::compose(state, screen); }
    // One screen row as text.
    std::string row(int r) const {
        std::string out;
        for (int c = 0; c < screen.cols(); ++c) screen.at(r, c).character.appendTo(out);
        return out;
    }
    const Region<BarAction>& button(BarAction action) const {
        return *std::find_if(layout.barButtonSpans.begin(), layout.barButtonSpans.end(),
                             [&](const auto& r) { return r.value == action; });
    }
    std::string text(const Span& span) const {
        std::string out;
        for (int c = span.colStart; c < span.colEnd; ++c) screen.at(span.row, c).character.appendTo(out);
        return out;
    }
};

TEST(ChromeBar, SaveButtonFollowsTheDocumentState) {
    struct Case {
        bool dirty, typing;
        const char* label;
        ANSIColorValue fg;
    };
    const Case cases[] = {
        {false, false, " ✓", chrome::disabled},
        {true, false, " ⤓", chrome::accent},
        {false, true, " ↵", chrome::white},
    };
    for (const Case& c : cases) {
        Frame f;
        f.state.dirty = c.dirty;
        f.state.renameActive = c.typing;
        f.compose();
        const auto& save = f.button(BarAction::save);
        EXPECT_EQ(f.text(save.span), c.label);
        EXPECT_EQ(f.screen.at(save.span.row, save.span.colStart + 1).foreground, c.fg) << c.label;
    }
}

TEST(ChromeBar, LayerIndicatorCountsFromTheBottom) {
    Frame f;
    addLayer(f.state);
    addLayer(f.state);
    f.compose();
    EXPECT_EQ(f.text(f.button(BarAction::layers).span), " 3/3");
    f.state.activeLayerIndex = 2;
    f.compose();
    EXPECT_EQ(f.text(f.button(BarAction::layers).span), " 1/3");
    f.state.shiftingLayer = true;
    f.compose();
    EXPECT_EQ(f.text(f.button(BarAction::layers).span), " <->");
}

TEST(ChromeBar, NarrowTerminalMovesButtonsAndFileNameToTheSecondRow) {
    Frame wide(30, 120);
    wide.compose();
    EXPECT_FALSE(wide.layout.twoLineBar);
    EXPECT_EQ(wide.button(BarAction::help).span.row, 0);

    Frame narrow(30, 60);
    narrow.compose();
    EXPECT_TRUE(narrow.layout.twoLineBar);
    EXPECT_EQ(narrow.button(BarAction::help).span.row, 1);
    ASSERT_TRUE(narrow.layout.fileSpan);
    EXPECT_EQ(narrow.layout.fileSpan->row, 1);
    EXPECT_NE(narrow.row(0).find("Glyphloom"), std::string::npos);
}

TEST(ChromeBar, ButtonsAreRightAlignedAndMatchTheirLabels) {
    Frame f(30, 120);
    f.compose();
    EXPECT_EQ(f.layout.barButtonSpans.back().span.colEnd, 120 - 1);
    EXPECT_EQ(f.text(f.button(BarAction::canvasSize).span), " 160×50");
    EXPECT_EQ(f.text(f.button(BarAction::colorDepth).span), " 256");
    EXPECT_NE(f.row(0).find("30×120") == std::string::npos, f.row(0).find("120×30") == std::string::npos);
}

TEST(ChromeCanvas, MonoDepthShowsTheTintWithoutChangingCells) {
    Frame f;
    const ANSICell red{CellChar("x"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(1), false};
    f.state.layers[0].cells.set(0, 0, red);
    f.state.colorDepth = ColorDepth::mono;
    f.state.monoTint = MonoTint::amber;
    f.state.mouse = {-1, -1};
    f.compose();
    const ANSICell& shown = f.screen.at(f.layout.canvasTop(), f.layout.canvasLeft());
    EXPECT_EQ(shown.foreground, displayColor(MonoTint::amber, red.foreground));
    EXPECT_EQ(shown.background, displayColor(MonoTint::amber, red.background));
    EXPECT_EQ(*f.state.layers[0].cells.cellAt(0, 0), red);
}

TEST(ChromeCanvas, SelectionIsInvertedAndEqualColoursShowWhiteOnBlue) {
    Frame f;
    f.state.tool = Tool::select;
    f.state.selection = CellRect{0, 0, 0, 1};
    f.state.layers[0].cells.set(0, 0, {CellChar("a"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(5), false});
    f.state.layers[0].cells.set(0, 1, {CellChar("b"), ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(3), false});
    f.compose();
    const int top = f.layout.canvasTop(), left = f.layout.canvasLeft();
    EXPECT_EQ(f.screen.at(top, left).foreground, ANSIColorValue::ansi16(5));
    EXPECT_EQ(f.screen.at(top, left).background, ANSIColorValue::ansi16(2));
    EXPECT_EQ(f.screen.at(top, left + 1).foreground, ANSIColorValue::ansi16(15));
    EXPECT_EQ(f.screen.at(top, left + 1).background, ANSIColorValue::ansi16(4));
    EXPECT_EQ(f.screen.at(top, left + 2), ANSICell::blank());  // outside the selection
}

TEST(ChromeCanvas, PointerIsInvertedEverywhereAndTheCursorOnlyOnce) {
    Frame f;
    f.state.mouse = {3, 0};  // over the bar
    f.compose();
    Frame plain;
    plain.state.mouse = {-1, -1};
    plain.compose();
    EXPECT_EQ(f.screen.at(0, 3).foreground, plain.screen.at(0, 3).background);
    EXPECT_EQ(f.screen.at(0, 3).background, plain.screen.at(0, 3).foreground);

    // Cursor and pointer on the same blank canvas cell: one inversion, white on black → black on white.
    Frame both;
    both.state.cursorVisible = true;
    both.compose();
    both.state.mouse = {both.layout.canvasLeft(), both.layout.canvasTop()};
    both.compose();
    const ANSICell& cell = both.screen.at(both.layout.canvasTop(), both.layout.canvasLeft());
    EXPECT_EQ(cell.foreground, ANSIColorValue::ansi16(0));
    EXPECT_EQ(cell.background, ANSIColorValue::ansi16(15));
}

TEST(ChromeStatus, HintsFollowToolModesAndViewOnly) {
    Frame f;
    f.compose();
    ASSERT_TRUE(f.layout.statusVisible);
    EXPECT_EQ(f.row(f.layout.statusRow()).substr(0, 60).find("● Paint   █   space draws   Ctrl-C quits"),
              static_cast<std::size_t>(f.layout.sidebarWidth));
    f.state.tool = Tool::box;
    f.state.fgCycle = true;
    f.compose();
    EXPECT_NE(f.row(f.layout.statusRow()).find("● Box   █   fade   space anchors"), std::string::npos);
    f.state.viewOnly = true;
    f.state.quitArmed = true;
    f.compose();
    const std::string line = f.row(f.layout.statusRow());
    EXPECT_NE(line.find("● view only — re-save to edit   Ctrl-C quits"), std::string::npos);
    const int quitCol = f.layout.sidebarWidth + static_cast<int>(chrome::textWidth("● view only — re-save to edit   "));
    EXPECT_EQ(f.screen.at(f.layout.statusRow(), quitCol).foreground, ANSIColorValue::ansi16(1));
}

TEST(ChromeStatus, PointerPositionIsRightAligned) {
    Frame f;
    f.compose();
    f.state.mouse = {f.layout.canvasLeft() + 7, f.layout.canvasTop() + 3};
    f.compose();
    const std::string line = f.row(f.layout.statusRow());
    EXPECT_EQ(line.substr(line.size() - 4), "3,7 ");
}

TEST(ChromeStatus, EmptyHistorySaysQuietSoFar) {
    Frame f;
    f.state.historyOpen = true;
    f.compose();
    EXPECT_NE(f.row(f.layout.statusRow() - 1).find("· quiet so far"), std::string::npos);
    f.state.statusNote = "first";
    f.state.statusNote = "second";
    f.compose();
    EXPECT_NE(f.row(f.layout.statusRow() - 1).find("· second"), std::string::npos);
    EXPECT_NE(f.row(f.layout.statusRow() - 2).find("· first"), std::string::npos);
}

TEST(ChromeStatus, HoveringABarButtonShowsItsTooltip) {
    Frame f;
    f.compose();
    const Span undo = f.button(BarAction::undo).span;
    f.state.mouse = {undo.colStart, undo.row};
    f.compose();
    EXPECT_NE(f.row(f.layout.statusRow()).find("● undo (Ctrl-Z)"), std::string::npos);
}

TEST(ChromeHelp, ListsFifteenLinesInABox) {
    Frame f;
    f.state.helpOpen = true;
    f.compose();
    int found = 0;
    for (int r = 0; r < f.screen.rows(); ++r) {
        const std::string line = f.row(r);
        if (line.find("┌ Help ") != std::string::npos) ++found;
        if (line.find("Ctrl-E      export PNG (authentic VGA render)") != std::string::npos) ++found;
        if (line.find("Ctrl-C      quit") != std::string::npos) ++found;
    }
    EXPECT_EQ(found, 3);
}

TEST(ChromeStatic, FillsEveryCellFromTheStaticPalette) {
    Frame f(4, 6);
    EngineRandomSource random(3);
    Chrome::tvStatic(f.screen, random);
    const std::string glyphs = " ░▒▓█▀▄";
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c) EXPECT_NE(glyphs.find(f.screen.at(r, c).character.str()), std::string::npos);
}

}  // namespace
}  // namespace glyphloom
