#include "tui/layout/chrome.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "core/text/charsets.hpp"
#include "core/text/utf8.hpp"

#include "core/color/color_depth.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "tui/actions/toolbar.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {
namespace chrome_test {

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
        if (c.typing) f.state.prompt = Prompt(PromptKind::fileName);
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
    EXPECT_EQ(f.text(f.button(BarAction::canvasSize).span), " 160×50 ");  // a slot as wide as "320×200"
    EXPECT_EQ(f.text(f.button(BarAction::colorDepth).span), " 256");
    EXPECT_NE(f.row(0).find("30×120") == std::string::npos, f.row(0).find("120×30") == std::string::npos);
}

TEST(ChromeCanvas, MonoDepthShowsTheTintWithoutChangingCells) {
    Frame f;
    const ANSICell red{CellChar("x"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(1), false};
    f.state.doc.layers[0].cells.set(0, 0, red);
    f.state.doc.colorDepth = ColorDepth::mono;
    f.state.doc.monoTint = MonoTint::amber;
    f.state.mouse = {-1, -1};
    f.compose();
    const ANSICell& shown = f.screen.at(f.layout.canvasTop(), f.layout.canvasLeft());
    EXPECT_EQ(shown.foreground, displayColor(MonoTint::amber, red.foreground));
    EXPECT_EQ(shown.background, displayColor(MonoTint::amber, red.background));
    EXPECT_EQ(*f.state.doc.layers[0].cells.cellAt(0, 0), red);
}

TEST(ChromeCanvas, SelectionIsInvertedAndEqualColoursShowWhiteOnBlue) {
    Frame f;
    f.state.tools.tool = Tool::select;
    f.state.selection = CellRect{0, 0, 0, 1};
    f.state.doc.layers[0].cells.set(0, 0, {CellChar("a"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(5), false});
    f.state.doc.layers[0].cells.set(0, 1, {CellChar("b"), ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(3), false});
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
    f.state.tools.tool = Tool::box;
    f.state.tools.fgCycle = true;
    f.compose();
    EXPECT_NE(f.row(f.layout.statusRow()).find("● Box   █   fade   space anchors"), std::string::npos);
    f.state.viewOnly = true;
    f.compose();
    EXPECT_NE(f.row(f.layout.statusRow()).find("● view only — re-save to edit   Ctrl-C quits"), std::string::npos);
    // Armed, the warning takes the line and "Ctrl-C quits" turns red.
    f.state.quitArmed = true;
    f.compose();
    const std::string armed = "● unsaved changes — Ctrl-C again to quit   ";
    EXPECT_NE(f.row(f.layout.statusRow()).find(armed + "Ctrl-C quits"), std::string::npos);
    const int quitCol = f.layout.sidebarWidth + static_cast<int>(chrome::textWidth(armed));
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
    openOverlay(Overlay::history, f.state);
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

TEST(ChromeHelp, ListsTheKeysInABox) {
    Frame f;
    openOverlay(Overlay::help, f.state);
    f.compose();
    int found = 0;
    for (int r = 0; r < f.screen.rows(); ++r) {
        const std::string line = f.row(r);
        if (line.find("┌ Help ") != std::string::npos) ++found;
        if (line.find("Ctrl-E      export PNG (authentic VGA render)") != std::string::npos) ++found;
        if (line.find("Ctrl-F      export 1920×1080 video frame PNG") != std::string::npos) ++found;
        if (line.find("Ctrl-C      quit") != std::string::npos) ++found;
    }
    EXPECT_EQ(found, 4);
}

// Printable keys type on the canvas, so the crib sheet may not offer one as a command: every
// key it names is a word ("space", "Ctrl-Z/Y", "F1–F10") or a control, never a lone character.
TEST(ChromeHelp, NamesNoTypingKeyAsACommand) {
    Frame f;
    openOverlay(Overlay::help, f.state);
    f.compose();
    int top = -1, left = -1;
    for (int r = 0; r < f.screen.rows() && top < 0; ++r)
        for (int c = 0; c + 1 < f.screen.cols(); ++c)
            if (f.screen.at(r, c).character == CellChar("┌") && f.screen.at(r, c + 2).character == CellChar("H")) {
                top = r;
                left = c;
                break;
            }
    ASSERT_GE(top, 0);
    int keyLines = 0;
    for (int r = top + 1; f.screen.at(r, left).character == CellChar("│"); ++r, ++keyLines) {
        // The key column is the first twelve cells of the line, keys separated by blanks.
        std::string keys;
        for (int c = left + 2; c < left + 14; ++c) keys += f.screen.at(r, c).character.str();
        std::size_t start = 0;
        while (start < keys.size()) {
            const std::size_t end = std::min(keys.find(' ', start), keys.size());
            const std::string key = keys.substr(start, end - start);
            const bool lonePrintable = key.size() == 1 && key[0] > ' ' && key[0] < 0x7F;
            EXPECT_FALSE(lonePrintable) << "\"" << key << "\" in: " << f.row(r);
            start = end + 1;
        }
    }
    EXPECT_GE(keyLines, 10);
}

TEST(ChromeStatic, FillsEveryCellFromTheStaticPalette) {
    Frame f(4, 6);
    EngineRandomSource random(3);
    Chrome::tvStatic(f.screen, random);
    const std::string glyphs = " ░▒▓█▀▄";
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 6; ++c) EXPECT_NE(glyphs.find(f.screen.at(r, c).character.str()), std::string::npos);
}


TEST(ChromeCanvas, WideGlyphInACellIsShownByAOneColumnStandIn) {
    Frame f;
    f.state.mouse = {-1, -1};
    const ANSICell wide{CellChar("漢"), ANSIColorValue::ansi16(3), ANSIColorValue::ansi16(1), false};
    f.state.doc.layers[0].cells.set(0, 0, wide);
    f.state.doc.layers[0].cells.set(0, 1, {CellChar("a"), ANSIColorValue::ansi16(2), ANSIColorValue::ansi16(0), false});
    f.compose();
    const int top = f.layout.canvasTop(), left = f.layout.canvasLeft();
    EXPECT_EQ(f.screen.at(top, left).character, CellChar("▯"));
    EXPECT_EQ(f.screen.at(top, left).foreground, wide.foreground);
    EXPECT_FALSE(f.screen.isContinuation(top, left + 1));
    EXPECT_EQ(f.screen.at(top, left + 1).character, CellChar("a"));
    EXPECT_EQ(*f.state.doc.layers[0].cells.cellAt(0, 0), wide);  // the document keeps its glyph
}

// The canvas is drawn from rows kept between frames: after every kind of change it must still
// show exactly the composite of the visible layers.
TEST(ChromeCanvas, ShowsTheCompositeAfterEveryKindOfChange) {
    Frame f(30, 100);
    f.state.mouse = {-1, -1};
    f.state.doc = Document::blank(12, 30);
    f.state.doc.layers = {Layer("top", CellGrid(12, 30)), Layer("bottom", CellGrid(12, 30))};
    const ANSICell red{CellChar("r"), ANSIColorValue::ansi16(9), ANSIColorValue::ansi16(1), false};
    const ANSICell blue{CellChar("b"), ANSIColorValue::ansi16(12), ANSIColorValue::ansi16(4), false};
    for (int r = 0; r < 12; ++r) f.state.doc.layers[1].cells.set(r, r, blue);
    f.state.doc.layers[0].rowOffset = 2;
    f.state.doc.layers[0].colOffset = 3;
    struct Step {
        const char* name;
        std::function<void(AppState&)> change;
    };
    const Step steps[] = {
        {"first frame", [](AppState&) {}},
        {"one cell on the top layer", [&](AppState& s) { s.doc.layers[0].cells.set(1, 1, red); }},
        {"same row again", [&](AppState& s) { s.doc.layers[0].cells.set(1, 2, red); }},
        {"bottom layer under a top cell", [&](AppState& s) { s.doc.layers[1].cells.set(3, 4, blue); }},
        {"top layer hidden", [](AppState& s) { s.doc.layers[0].visible = false; }},
        {"top layer shown", [](AppState& s) { s.doc.layers[0].visible = true; }},
        {"top layer moved", [](AppState& s) { s.doc.layers[0].rowOffset = -1, s.doc.layers[0].colOffset = 0; }},
        {"layers swapped", [](AppState& s) { std::swap(s.doc.layers[0], s.doc.layers[1]); }},
        {"layer replaced", [](AppState& s) { s.doc.layers[1].cells = CellGrid(12, 30, {CellChar("z"), ANSIColorValue::ansi16(1), ANSIColorValue::ansi16(2), false}); }},
        {"layer removed", [](AppState& s) { s.doc.layers.erase(s.doc.layers.begin()); }},
    };
    for (const Step& step : steps) {
        step.change(f.state);
        f.compose();
        const CellGrid expected = compositeLayers(f.state.doc.layers, 12, 30);
        for (int r = 0; r < 12; ++r)
            for (int c = 0; c < 30; ++c)
                ASSERT_EQ(f.screen.at(f.layout.canvasTop() + r - f.layout.viewRow, f.layout.canvasLeft() + c - f.layout.viewCol),
                          *expected.cellAt(r, c))
                    << step.name << " at " << r << "," << c;
    }
}

TEST(ChromeStatus, AWidePenCharacterTakesTwoColumnsAndKeepsTheRightEdge) {
    Frame f;
    f.compose();
    f.state.tools.penChar = "\U0001F600";
    f.state.mouse = {f.layout.canvasLeft() + 7, f.layout.canvasTop() + 3};
    f.compose();
    const int row = f.layout.statusRow();
    const std::string line = f.row(row);
    const std::size_t at = line.find("\U0001F600");
    ASSERT_NE(at, std::string::npos);
    // The glyph's own column, then its continuation, then the text after it.
    int col = 0;
    while (f.screen.at(row, col).character != CellChar("\U0001F600")) ++col;
    EXPECT_TRUE(f.screen.isContinuation(row, col + 1));
    EXPECT_EQ(line.substr(line.size() - 4), "3,7 ");
    EXPECT_EQ(f.screen.at(row, f.screen.cols() - 4).character, CellChar("3"));
}

TEST(ChromePicker, EveryGlyphIsDrawnWhereItsClickSpanStarts) {
    for (const auto& [rows, cols] : {std::pair{24, 80}, std::pair{40, 120}}) {
        Frame f(rows, cols);
        f.state.mouse = {-1, -1};
        const auto& sets = Charsets::sets();
        const auto hiragana = std::find_if(sets.begin(), sets.end(), [](const auto& s) { return s.name == "Hiragana"; });
        ASSERT_NE(hiragana, sets.end());
        f.state.charsetIndex = static_cast<int>(hiragana - sets.begin());
        openOverlay(Overlay::charPicker, f.state);
        f.compose();
        ASSERT_FALSE(f.layout.charPickerSpans.empty());
        int rightBorder = -1;
        int wide = 0;
        for (const auto& region : f.layout.charPickerSpans) {
            // A combining mark (the kana voicing marks) is drawn on a space so it keeps its column.
            const std::string drawn = utf8::displayWidth(region.value) == 0 ? " " + region.value : region.value;
            EXPECT_EQ(f.screen.at(region.span.row, region.span.colStart).character, CellChar(drawn)) << region.value;
            // A wide glyph covers its whole span and nothing beyond.
            if (Screen::columnsOf(CellChar(region.value)) == 2) {
                EXPECT_TRUE(f.screen.isContinuation(region.span.row, region.span.colStart + 1)) << region.value;
                ++wide;
            }
            EXPECT_FALSE(f.screen.isContinuation(region.span.row, region.span.colEnd)) << region.value;
            // The frame's right edge sits in the same column on every glyph row.
            int c = region.span.colEnd;
            while (c < cols && f.screen.at(region.span.row, c).character != CellChar("│")) ++c;
            if (rightBorder < 0) rightBorder = c;
            EXPECT_EQ(c, rightBorder) << "row " << region.span.row;
        }
        EXPECT_GT(wide, 40);  // nearly all of the set is two columns wide
    }
}

TEST(ChromeSidebar, InspectorAndPreviewFitTheSidebar) {
    for (const auto& [rows, cols] : {std::pair{24, 80}, std::pair{40, 120}}) {
        Frame f(rows, cols);
        f.state.tools.tool = Tool::pans;
        f.state.doc.layers[0].cells.set(0, 0, {CellChar("█"), ANSIColorValue::truecolor(160, 176, 192), ANSIColorValue::ansi256(196), false});
        f.compose();
        f.state.mouse = {f.layout.canvasLeft(), f.layout.canvasTop()};
        f.compose();
        ASSERT_EQ(f.layout.sidebarWidth, 9);
        // The box's rows, from its title down.
        auto sidebarText = [&](int r) {
            std::string out;
            for (int c = 0; c < 9; ++c) f.screen.at(r, c).character.appendTo(out);
            return out;
        };
        int top = 0;
        while (top < rows && sidebarText(top) != "┌Inspect┐") ++top;
        ASSERT_LT(top, rows) << rows << "x" << cols;
        std::vector<std::string> box;
        for (int r = top; r < std::min(top + 10, rows); ++r) box.push_back(sidebarText(r));
        const std::vector<std::string> expected = {
            "┌Inspect┐", "│ █████ │", "│ █████ │", "│U+2588 │", "│0,0    │",
            "│ f     │", "│#A0B0C0│", "│ b     │", "│256:196│", "└───────┘",
        };
        EXPECT_EQ(box, expected) << rows << "x" << cols;
        // Canvas column 0 is the document's, not the box's.
        for (int r = top; r < std::min(top + 10, rows); ++r)
            EXPECT_FALSE(f.screen.at(r, f.layout.canvasLeft()).character == CellChar("┐")) << "row " << r;
        // A short screen has no room for the preview box; a taller one shows its whole title.
        if (rows >= 40) {
            ASSERT_TRUE(f.layout.previewTitleSpan.has_value());
            EXPECT_EQ(f.text(*f.layout.previewTitleSpan), "Preview") << rows << "x" << cols;
        }
    }
}

TEST(ChromePalette, PickerDrawsAWholeFrameAboveTheColourRow) {
    for (const auto& [rows, cols] : {std::pair{24, 80}, std::pair{40, 120}}) {
        Frame closed(rows, cols);
        closed.state.mouse = {-1, -1};
        closed.compose();
        Frame f(rows, cols);
        f.state.mouse = {-1, -1};
        openOverlay(Overlay::palettePicker, f.state);
        f.compose();
        ASSERT_TRUE(f.layout.paletteFrame.has_value());
        const auto frame = *f.layout.paletteFrame;
        const int bottom = frame.top + frame.height - 1;
        EXPECT_LT(bottom, f.layout.colorRow()) << rows << "x" << cols;
        EXPECT_EQ(f.screen.at(bottom, frame.left).character, CellChar("└")) << rows << "x" << cols;
        EXPECT_EQ(f.screen.at(bottom, frame.left + frame.width - 1).character, CellChar("┘")) << rows << "x" << cols;
        EXPECT_EQ(f.row(f.layout.colorRow()), closed.row(closed.layout.colorRow())) << rows << "x" << cols;
        // Every one of the 256 colours stays clickable.
        EXPECT_EQ(f.layout.paletteSwatchSpans.size(), 256u) << rows << "x" << cols;
    }
    Frame tall(40, 120);
    openOverlay(Overlay::palettePicker, tall.state);
    tall.compose();
    EXPECT_EQ(tall.layout.paletteSliderSpans.size(), 4u);  // room for the sliders on a tall screen
}

}  // namespace chrome_test
}  // namespace glyphloom
