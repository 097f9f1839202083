// The interface at the terminal sizes people run, with the default canvas and a classic
// 80 × 25 one: the status line and its notes, the canvas edge, the scroll position, stable
// bar buttons, and every control of every tool within two clicks.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tui/actions/session.hpp"
#include "tui/input/dispatch.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/layout/parts.hpp"

namespace glyphloom {
namespace screen_sizes_test {

struct Editor {
    AppState state;
    Terminal terminal;
    Screen screen{[](std::string_view) {}, false};
    Layout layout;

    Editor(int cols, int rows) {
        screen.resize(rows, cols);
        redraw();
    }
    Editor(int cols, int rows, int canvasCols, int canvasRows) {
        state.doc = Document::blank(canvasRows, canvasCols);
        screen.resize(rows, cols);
        redraw();
    }
    void redraw() { layout = Chrome::compose(state, screen); }
    void send(const InputEvent& event) {
        handle(event, state, layout, terminal, screen);
        redraw();
    }
    void click(Span span) {
        send(InputEvent::mouseDown(span.colStart, span.row, 0));
        send(InputEvent::mouseUp(span.colStart, span.row));
    }
    std::string row(int r) const {
        std::string out;
        for (int c = 0; c < screen.cols(); ++c) screen.at(r, c).character.appendTo(out);
        while (!out.empty() && out.back() == ' ') out.pop_back();
        return out;
    }
};

struct Size {
    int cols, rows;
};
constexpr Size sizes[] = {{80, 24}, {100, 30}, {120, 40}, {200, 60}};
constexpr Size canvases[] = {{160, 50}, {80, 25}};

// Golden status lines: the hints, then which part of the document is in view when not all of
// it is, in a slot kept clear for the pointer position.
TEST(ScreenSizes, StatusLineAtEverySizeSaysWhatIsInView) {
    struct Case {
        Size terminal, canvas;
        int statusRow;
        const char* line;
    };
    // The sidebar's last row, beside the status line, carries the mirror label.
    const Case cases[] = {
        {{80, 24}, {160, 50}, 20, "Mirror   ● Paint   █   space draws   Ctrl-C quits     ↕1–19/50 ↔1–71/160"},
        {{100, 30}, {160, 50}, 26,
         "Mirror   ● Paint   █   space draws   Ctrl-C quits                         ↕1–25/50 ↔1–91/160"},
        {{120, 40}, {160, 50}, 36,
         "Mirror   ● Paint   █   space draws   Ctrl-C quits                                            ↕1–35/50 "
         "↔1–111/160"},
        {{80, 24}, {80, 25}, 20, "Mirror   ● Paint   █   space draws   Ctrl-C quits       ↕1–19/25 ↔1–71/80"},
        {{100, 30}, {80, 25}, 26, "Mirror   ● Paint   █   space draws   Ctrl-C quits"},
        {{120, 40}, {80, 25}, 35, "Mirror   ● Paint   █   space draws   Ctrl-C quits"},
    };
    for (const Case& c : cases) {
        Editor e(c.terminal.cols, c.terminal.rows, c.canvas.cols, c.canvas.rows);
        const std::string where = std::to_string(c.terminal.cols) + "x" + std::to_string(c.terminal.rows) + " on " +
                                  std::to_string(c.canvas.cols) + "x" + std::to_string(c.canvas.rows);
        ASSERT_TRUE(e.layout.statusVisible) << where;
        EXPECT_EQ(e.layout.statusRow(), c.statusRow) << where;
        EXPECT_EQ(e.row(c.statusRow), c.line) << where;
        EXPECT_EQ(e.layout.statusBarSpan, (Span{c.statusRow, e.layout.sidebarWidth, c.terminal.cols})) << where;
    }
}

TEST(ScreenSizes, NotesTakeTheHintsPlaceWhileFreshAndTheQuitWarningWhileArmed) {
    Editor e(80, 24);
    const int row = e.layout.statusRow();
    e.state.statusNote = "save failed";
    e.redraw();
    EXPECT_EQ(e.row(row).find("save failed"), std::string::npos) << "not news until the main loop says so";
    e.state.noteOnStatusLine = true;
    e.redraw();
    EXPECT_NE(e.row(row).find("● save failed"), std::string::npos) << e.row(row);
    // A fresh note keeps its place under the pointer resting on a bar button.
    e.state.mouse = {e.layout.barButtonSpans.front().span.colStart, 0};
    e.redraw();
    EXPECT_NE(e.row(row).find("save failed"), std::string::npos) << e.row(row);

    e.state.noteOnStatusLine = false;
    e.state.dirty = true;
    e.send(InputEvent::key(3));
    EXPECT_NE(e.row(row).find(quitWarning), std::string::npos) << e.row(row);
    e.send(InputEvent::mouseMove(30, 5, false));
    EXPECT_NE(e.row(row).find(quitWarning), std::string::npos) << "still armed after a pointer move";
    e.send(InputEvent::key('x'));
    EXPECT_EQ(e.row(row).find(quitWarning), std::string::npos) << e.row(row);
}

TEST(ScreenSizes, SurroundIsShadedAndTheCanvasKeepsItsCells) {
    Editor e(200, 60, 80, 25);
    const int top = e.layout.canvasTop(), left = e.layout.canvasLeft();
    EXPECT_EQ(e.screen.at(top, left).character, CellChar(" "));
    EXPECT_EQ(e.screen.at(top, left - 1).character, CellChar("░"));
    EXPECT_EQ(e.screen.at(top - 1, left).character, CellChar("░"));
    EXPECT_EQ(e.screen.at(top + 25, left + 79).character, CellChar("░"));
    EXPECT_EQ(e.screen.at(top + 24, left + 80).character, CellChar("░"));
    EXPECT_EQ(e.screen.at(top + 24, left + 79).character, CellChar(" "));
    EXPECT_EQ(e.screen.at(top, left - 1).foreground, ANSIColorValue::ansi16(8));
}

TEST(ScreenSizes, BarButtonsKeepTheirColumnsWhenLabelsChangeWidth) {
    Editor e(120, 40);
    const auto before = e.layout.barButtonSpans;
    e.state.doc.colorDepth = ColorDepth::mono;
    e.state.doc = Document::blank(3062, 80);
    e.redraw();
    ASSERT_EQ(e.layout.barButtonSpans.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(e.layout.barButtonSpans[i].span, before[i].span) << i;
}

// --- Every control of every tool within two clicks ---

template <class R>
struct Seen;
template <class T>
struct Seen<Regions<T>> {
    std::vector<T> values;
    void add(const Regions<T>& regions) {
        for (const auto& r : regions)
            if (std::find(values.begin(), values.end(), r.value) == values.end()) values.push_back(r.value);
    }
    bool covers(const Seen& other) const {
        return std::all_of(other.values.begin(), other.values.end(),
                           [&](const T& v) { return std::find(values.begin(), values.end(), v) != values.end(); });
    }
};
template <>
struct Seen<std::optional<Span>> {
    bool drawn = false;
    void add(const std::optional<Span>& span) { drawn = drawn || span.has_value(); }
    bool covers(const Seen& other) const { return drawn || !other.drawn; }
};

#define TOOL_CONTROLS(X)                                                                                          \
    X(brushSpans) X(styleSpans) X(stitchSpans) X(fillModeSpans) X(lineWidthSpans) X(boxWidthSpans)              \
    X(ovalWidthSpans) X(prismStepSpans) X(sprayRadiusSpans) X(sprayDensitySpans) X(boxStyleSpans)              \
    X(ovalModeSpans) X(toggleSpans) X(charButtonSpan) X(faceSpans) X(fontBrowseSpan) X(selectActionSpans)      \
    X(blinkSelectionSpan) X(textDirSpans) X(textScaleSpans) X(stepperSpans) X(fillCharSpan) X(fillCharModeSpans) \
    X(fillColorModeSpans) X(fillSwatchSpans)

struct Controls {
#define SEEN_FIELD(field) Seen<decltype(Layout::field)> field;
    TOOL_CONTROLS(SEEN_FIELD)
#undef SEEN_FIELD
    void add(const Layout& l) {
#define ADD_FIELD(field) field.add(l.field);
        TOOL_CONTROLS(ADD_FIELD)
#undef ADD_FIELD
    }
    std::vector<std::string> missing(const Controls& wanted) const {
        std::vector<std::string> out;
#define CHECK_FIELD(field) \
    if (!field.covers(wanted.field)) out.push_back(#field);
        TOOL_CONTROLS(CHECK_FIELD)
#undef CHECK_FIELD
        return out;
    }
};

// The controls on screen now or after one or two clicks on what moves between them: the ▲ and
// ▼ of the sidebar and the current tool's own row (which opens and closes its panel).
Controls reachable(const AppState& start, Size terminal) {
    const Tool tool = start.tools.tool;
    Controls seen;
    struct Step {
        AppState state;
        int clicks;
    };
    std::vector<Step> todo{{start, 0}};
    while (!todo.empty()) {
        Step step = std::move(todo.back());
        todo.pop_back();
        Editor e(terminal.cols, terminal.rows);
        e.state = step.state;
        e.redraw();
        seen.add(e.layout);
        if (step.clicks == 2) continue;
        std::vector<Span> movers;
        if (e.layout.sidebarUpSpan) movers.push_back(*e.layout.sidebarUpSpan);
        if (e.layout.sidebarDownSpan) movers.push_back(*e.layout.sidebarDownSpan);
        for (const auto& r : e.layout.toolSpans)
            if (r.value == tool) movers.push_back(r.span);
        for (const Span& span : movers) {
            Editor next(terminal.cols, terminal.rows);
            next.state = step.state;
            next.redraw();
            next.click(span);
            todo.push_back({next.state, step.clicks + 1});
        }
    }
    return seen;
}

TEST(ScreenSizes, EveryControlOfEveryToolIsWithinTwoClicks) {
    for (const Size canvas : canvases) {
        for (const auto& [tool, name] : EnumStrings<Tool>::table) {
            // Own fill on: the fill's controls exist only then.
            AppState start;
            start.doc = Document::blank(canvas.rows, canvas.cols);
            start.tools.tool = tool;
            start.tools.shapeFill.enabled = true;
            const Controls all = reachable(start, {240, 90});  // what a roomy terminal offers
            for (const Size terminal : sizes) {
                const auto missing = reachable(start, terminal).missing(all);
                EXPECT_TRUE(missing.empty()) << name << " at " << terminal.cols << "x" << terminal.rows << " on "
                                             << canvas.cols << "x" << canvas.rows << ": " << missing.front();
            }
        }
    }
}

}  // namespace screen_sizes_test
}  // namespace glyphloom
