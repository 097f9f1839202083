#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>

#include "core/model/print_values.hpp"
#include "tui/tools/effects.hpp"

namespace glyphloom {
namespace tools_effects_test {

using C = ANSIColorValue;

ANSICell cellOf(const char* ch, C fg, C bg) {
    ANSICell cell;
    cell.character = ch;
    cell.foreground = fg;
    cell.background = bg;
    return cell;
}

// A square brush of `size` (odd) cells around a point, clipped to the document.
std::vector<GridKey> square(const Document& doc, GridKey p, int size) {
    std::vector<GridKey> cells;
    for (int r = p.row - size / 2; r <= p.row + size / 2; ++r)
        for (int c = p.col - size / 2; c <= p.col + size / 2; ++c)
            if (doc.contains({r, c})) cells.push_back({r, c});
    return cells;
}

// A 10 × 20 document; one sample of the current tool through applyEffect, with a square
// brush that covers the run along the row from the previous sample.
class EffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        state = std::make_unique<AppState>();
        state->doc = Document::blank(10, 20);
    }
    void sample(GridKey at) {
        EffectStroke stroke;
        stroke.imprintAt = [&](GridKey p) { return square(state->doc, p, brushSize); };
        stroke.footprint = [&, at] {
            // The path leaves out the previous sample's own cell, as the stroke machinery does.
            std::vector<GridKey> cells;
            std::vector<int> path;
            if (!state->stroke.lastPaint) path.push_back(at.col);
            for (int c = state->stroke.lastPaint ? state->stroke.lastPaint->col : at.col; c != at.col;)
                path.push_back(c += c < at.col ? 1 : -1);
            for (const int c : path)
                for (const GridKey key : square(state->doc, {at.row, c}, brushSize))
                    if (std::find(cells.begin(), cells.end(), key) == cells.end()) cells.push_back(key);
            return cells;
        };
        stroke.pressure = [&] {
            ++pressureReads;
            return pressure;
        };
        applyEffect(at, *state, stroke, random);
    }
    const ANSICell& at(int r, int c) const { return *state->doc.layers[0].cells.cellAt(r, c); }
    void put(int r, int c, ANSICell cell) { state->doc.layers[0].cells.set(r, c, cell); }
    void paintAll(ANSICell cell) {
        for (int r = 0; r < state->doc.rows; ++r)
            for (int c = 0; c < state->doc.cols; ++c) put(r, c, cell);
    }
    int countWhere(const std::function<bool(const ANSICell&)>& test) const {
        int n = 0;
        for (int r = 0; r < state->doc.rows; ++r)
            for (int c = 0; c < state->doc.cols; ++c) n += test(at(r, c));
        return n;
    }

    std::unique_ptr<AppState> state;
    EngineRandomSource random{11};
    int brushSize = 1;
    double pressure = 1;
    int pressureReads = 0;
};

TEST_F(EffectsTest, SprayRadiusZeroStacksDotsOnThePointerAndAdvancesCyclesPerDot) {
    state->tools.tool = Tool::spray;
    state->tools.sprayRadius = 0;
    state->tools.sprayDensity = 5;
    state->tools.penChar = "*";
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {C::ansi16(1), C::ansi16(2), C::ansi16(3)};
    sample({4, 6});
    EXPECT_EQ(countWhere([](const ANSICell& c) { return c.character.str() == "*"; }), 1);
    // Five dots: colours 1 2 3 1 2, the last one stays; the cycle has moved five times.
    EXPECT_EQ(at(4, 6).foreground, C::ansi16(2));
    EXPECT_EQ(at(4, 6).background, C::ansi16(0));  // background untouched without the switch
    EXPECT_EQ(state->cycles.fg.index, 5 % 3);
    EXPECT_EQ(state->stroke.lastPaint, (GridKey{4, 6}));
}

TEST_F(EffectsTest, SprayDensityZeroDoesNothing) {
    state->tools.tool = Tool::spray;
    state->tools.sprayDensity = 0;
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {C::ansi16(1), C::ansi16(2)};
    for (const bool velocity : {false, true}) {
        state->tools.velSprayDensity = velocity;
        sample({4, 6});
        EXPECT_EQ(countWhere([](const ANSICell& c) { return !(c == ANSICell::blank()); }), 0) << velocity;
        EXPECT_EQ(state->cycles.fg.index, 0) << velocity;
    }
}

TEST_F(EffectsTest, SprayStaysWithinTwoRowsForRadiusFourAndMirrors) {
    state->tools.tool = Tool::spray;
    state->tools.sprayRadius = 4;
    state->tools.sprayDensity = 40;
    state->tools.sprayTargetBG = true;
    state->tools.penBg = C::ansi16(4);
    state->tools.symmetryMode = SymmetryMode::horizontal;
    for (int i = 0; i < 10; ++i) sample({4, 5});
    for (int r = 0; r < state->doc.rows; ++r)
        for (int c = 0; c < state->doc.cols; ++c) {
            const bool hit = at(r, c).background == C::ansi16(4);
            if (r < 2 || r > 6) {
                EXPECT_FALSE(hit) << r << "," << c;
            }
            EXPECT_EQ(hit, at(r, state->doc.cols - 1 - c).background == C::ansi16(4)) << r << "," << c;
        }
    EXPECT_GT(countWhere([](const ANSICell& c) { return c.background == C::ansi16(4); }), 4);
}

TEST_F(EffectsTest, DodgeAndBurnInEachColourKind) {
    struct Case {
        const char* what;
        Tool tool;
        bool swap;
        C before;
        C after;
    };
    const Case cases[] = {
        {"dodge lifts a dim colour", Tool::dodge, false, C::ansi16(4), C::ansi16(12)},
        {"dodge keeps a bright colour", Tool::dodge, false, C::ansi16(12), C::ansi16(12)},
        {"burn drops a bright colour", Tool::burn, false, C::ansi16(12), C::ansi16(4)},
        {"burn keeps a dim colour", Tool::burn, false, C::ansi16(4), C::ansi16(4)},
        {"swapped dodge darkens", Tool::dodge, true, C::ansi16(12), C::ansi16(4)},
        {"swapped burn lightens", Tool::burn, true, C::ansi16(4), C::ansi16(12)},
        {"white has nothing brighter", Tool::dodge, false, C::ansi256(231), C::ansi256(231)},
        {"256 burn moves strictly darker", Tool::burn, false, C::ansi256(250), C::ansi256(247)},
        {"24-bit lightens per channel", Tool::dodge, false, C::truecolor(100, 0, 200), C::truecolor(128, 46, 210)},
    };
    for (const Case& c : cases) {
        SetUp();
        state->tools.tool = c.tool;
        state->stroke.paintSwap = c.swap;
        state->tools.dodgeBurnStrength = 18;
        state->tools.dodgeBurnBG = false;
        put(3, 3, cellOf("x", c.before, C::ansi16(1)));
        sample({3, 3});
        EXPECT_EQ(at(3, 3).foreground, c.after) << c.what;
        EXPECT_EQ(at(3, 3).background, C::ansi16(1)) << c.what;
        EXPECT_EQ(at(3, 3).character.str(), "x") << c.what;
    }
}

TEST_F(EffectsTest, SixteenColourDodgeDithersDuringADragButNotOnThePress) {
    state->tools.tool = Tool::dodge;
    state->doc.colorDepth = ColorDepth::c16;
    state->tools.dodgeBurnStrength = 25;  // probability one half
    state->tools.dodgeBurnBG = false;
    brushSize = 5;
    const ANSICell dim = cellOf("x", C::ansi16(1), C::ansi16(0));
    auto lifted = [](const ANSICell& c) { return c.foreground == C::ansi16(9); };

    paintAll(dim);
    sample({5, 10});  // the press: every cell of the 5 × 5 brush
    EXPECT_EQ(countWhere(lifted), 25);

    // Drag samples in place over fresh art: each changes about half the brush.
    int changed = 0;
    const int passes = 40;
    for (int i = 0; i < passes; ++i) {
        paintAll(dim);
        state->stroke.lastPaint = GridKey{5, 9};
        sample({5, 10});
        changed += countWhere(lifted);
    }
    const double rate = static_cast<double>(changed) / (passes * 25);  // one step: the 5 × 5 brush at the new point
    EXPECT_GT(rate, 0.4);
    EXPECT_LT(rate, 0.6);
}

TEST_F(EffectsTest, PrismTurnsTheRingAndLeavesGreys) {
    state->tools.tool = Tool::prism;
    state->tools.prismSteps = 1;
    put(2, 2, cellOf("x", C::ansi16(1), C::ansi16(1)));
    put(2, 4, cellOf("x", C::ansi16(7), C::ansi16(0)));
    sample({2, 2});
    sample({2, 4});
    EXPECT_EQ(at(2, 2).foreground, C::ansi16(3));
    EXPECT_EQ(at(2, 2).background, C::ansi16(1));  // background off by default
    EXPECT_EQ(at(2, 4).foreground, C::ansi16(7));
    EXPECT_EQ(state->stroke.strokeCellCount, 1 + 2);  // the second sample walks (2,3) and (2,4)
}

TEST_F(EffectsTest, PressureScalesOnlyWhenItsSwitchIsOn) {
    struct Case {
        bool velocity;
        double pressure;
        int expected;  // foreground after prism with three steps on red
    };
    // Ring order 1 3 2 6 4 5: one step gives 3, two give 2, three give 6.
    const Case cases[] = {{false, 0.0, 6}, {true, 1.0, 6}, {true, 0.5, 2}, {true, 0.1, 3}, {true, 0.0, 3}};
    for (const Case& c : cases) {
        SetUp();
        pressureReads = 0;
        state->tools.tool = Tool::prism;
        state->tools.prismSteps = 3;
        state->tools.velPrism = c.velocity;
        pressure = c.pressure;
        put(1, 1, cellOf("x", C::ansi16(1), C::ansi16(0)));
        sample({1, 1});
        EXPECT_EQ(at(1, 1).foreground, C::ansi16(c.expected)) << c.velocity << " " << c.pressure;
        EXPECT_EQ(pressureReads, c.velocity ? 1 : 0);
    }
    // Spray keeps at least one dot however fast the drag.
    SetUp();
    state->tools.tool = Tool::spray;
    state->tools.sprayRadius = 0;
    state->tools.sprayDensity = 6;
    state->tools.velSprayDensity = true;
    state->tools.fgCycle = true;
    state->tools.fgCyclePool = {C::ansi16(1), C::ansi16(2), C::ansi16(3), C::ansi16(4)};
    pressure = 0;
    sample({1, 1});
    EXPECT_EQ(state->cycles.fg.index, 1);
}

TEST_F(EffectsTest, SmudgeDragsTheCellAlong) {
    state->tools.tool = Tool::smudge;
    put(2, 2, cellOf("A", C::ansi16(2), C::ansi16(3)));
    sample({2, 2});  // the press only records the point
    EXPECT_EQ(at(2, 2).character.str(), "A");
    EXPECT_EQ(at(2, 3), ANSICell::blank());
    sample({2, 3});
    EXPECT_EQ(at(2, 3), cellOf("A", C::ansi16(2), C::ansi16(3)));
    EXPECT_EQ(at(2, 2).character.str(), "A");  // the source stays
}

TEST_F(EffectsTest, SmudgeMirrorsTheMovement) {
    state->tools.tool = Tool::smudge;
    state->tools.symmetryMode = SymmetryMode::horizontal;
    put(2, 2, cellOf("A", C::ansi16(2), C::ansi16(3)));
    put(2, 17, cellOf("B", C::ansi16(2), C::ansi16(3)));  // mirror of (2,2)
    state->stroke.lastPaint = GridKey{2, 2};
    sample({2, 3});
    EXPECT_EQ(at(2, 3).character.str(), "A");
    EXPECT_EQ(at(2, 16).character.str(), "B");  // moved left, the mirrored way
}

TEST_F(EffectsTest, ScatterWithoutVarianceChangesNothing) {
    state->tools.tool = Tool::scatter;
    state->tools.scatterVariance = 0;
    state->tools.scatterBG = true;
    brushSize = 3;
    const ANSICell art = cellOf("x", C::ansi256(16), C::ansi256(59));
    paintAll(art);
    sample({5, 5});
    EXPECT_EQ(countWhere([&](const ANSICell& c) { return c == art; }), state->doc.rows * state->doc.cols);
    state->tools.scatterVariance = 50;
    sample({5, 6});
    EXPECT_GT(countWhere([&](const ANSICell& c) { return !(c == art); }), 0);
}

TEST_F(EffectsTest, StrokeMachineryFeedsBrushAndPressure) {
    // The real brush: a 3-cell brush dragged two columns burns a 3 × 5 band.
    state->tools.tool = Tool::burn;
    state->tools.brush = BrushSize::cells(3);
    state->tools.dodgeBurnBG = false;
    paintAll(cellOf("x", C::ansi16(9), C::ansi16(0)));
    const TimeStamp t0{};
    applyEffect({4, 4}, *state, t0, random);
    applyEffect({4, 6}, *state, t0 + std::chrono::seconds(1), random);
    EXPECT_EQ(countWhere([](const ANSICell& c) { return c.foreground == C::ansi16(1); }), 15);
    EXPECT_EQ(state->stroke.strokeCellCount, 9 + 12);  // the drag covers the imprints at columns 5 and 6
    EXPECT_EQ(state->stroke.lastPaint, (GridKey{4, 6}));

    // A fast drag with pressure on: prism of three steps falls to one.
    SetUp();
    state->tools.tool = Tool::prism;
    state->tools.prismSteps = 3;
    state->tools.velPrism = true;
    put(0, 19, cellOf("x", C::ansi16(1), C::ansi16(0)));
    applyEffect({0, 0}, *state, t0, random);
    applyEffect({0, 19}, *state, t0 + std::chrono::milliseconds(10), random);
    EXPECT_EQ(at(0, 19).foreground, C::ansi16(3));
    EXPECT_EQ(state->stroke.lastPaintTime, t0 + std::chrono::milliseconds(10));
}

}  // namespace tools_effects_test
}  // namespace glyphloom
