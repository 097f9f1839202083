#include "tui/tools/tool_preview.hpp"

#include <gtest/gtest.h>

#include <functional>

#include "core/draw/preview_sample.hpp"
#include "core/draw/stroke.hpp"
#include "tui/state/tool_settings.hpp"
#include "tui/tools/painting.hpp"

namespace glyphloom {
namespace tool_preview_test {

using C = ANSIColorValue;

// Editors whose preview strip has a known width.
class ToolPreview : public ::testing::Test {
protected:
    static constexpr int stripCols = 20;
    static AppState editor() {
        AppState s;
        s.preview.stripCols = stripCols;
        return s;
    }

    // A strip no sample can produce, to tell whether a sample was made.
    static CellGrid marker() { return CellGrid(1, 1, ANSICell{CellChar("@"), C::ansi16(5), C::ansi16(5), true}); }
};

const ANSICell& cellAt(const CellGrid& grid, int r, int c) { return *grid.cellAt(r, c); }

TEST_F(ToolPreview, DrawingOnTheDocumentKeepsTheSampleAndSettingsRebuildIt) {
    AppState s = editor();
    updateToolPreview(s);
    ASSERT_TRUE(s.preview.toolPreviewKey);
    EXPECT_EQ(s.preview.toolPreviewCells.rowCount(), previewStripRows);
    EXPECT_EQ(s.preview.toolPreviewCells.rowLength(0), 20);
    s.preview.toolPreviewCells = marker();

    s.snapshotForUndo();
    beginStroke(s);
    paint(GridKey{2, 2}, s);
    paint(GridKey{2, 9}, s);
    s.cursor = GridKey{7, 7};
    updateToolPreview(s);
    EXPECT_EQ(s.preview.toolPreviewCells, marker()) << "the canvas is not a setting";

    s.tools.brush = BrushSize::cells(3);
    updateToolPreview(s);
    EXPECT_NE(s.preview.toolPreviewCells, marker());
    EXPECT_EQ(s.preview.toolPreviewCells.rowCount(), previewStripRows);
}

// The settings a tool's sample leaves alone must not rebuild it.
TEST_F(ToolPreview, FingerprintIgnoresWhatTheToolsSampleDoesNotRead) {
    struct Case {
        const char* name;
        Tool tool;
        std::function<void(AppState&)> change;
    };
    const std::vector<Case> cases{
        {"paint: cycle position", Tool::paint, [](AppState& s) { s.cycles.fg.index = 2; }},
        {"paint: spray radius", Tool::paint, [](AppState& s) { s.tools.sprayRadius = 7; }},
        {"paint: box style", Tool::paint, [](AppState& s) { s.tools.boxOptions.style = BoxStyle::double_; }},
        {"dodge: colour", Tool::dodge, [](AppState& s) { s.tools.fg = C::ansi16(3); }},
        {"eraser: character", Tool::eraser, [](AppState& s) { s.tools.penChar = "x"; }},
        {"text: scale", Tool::text, [](AppState& s) { s.tools.textScale = 3; }},
    };
    for (const Case& c : cases) {
        AppState s = editor();
        s.tools.tool = c.tool;
        const std::string before = toolPreviewFingerprint(s);
        c.change(s);
        EXPECT_EQ(toolPreviewFingerprint(s), before) << c.name;
    }
    AppState s = editor();
    const std::string narrow = toolPreviewFingerprint(s);
    s.preview.stripCols = 21;
    EXPECT_NE(toolPreviewFingerprint(s), narrow) << "a wider strip is a new sample";
}

// Whatever changes a tool's sample must change its fingerprint too, or the preview would go
// on showing the old sample: every setting, changed alone, for every tool.
TEST_F(ToolPreview, EverySettingThatChangesTheSampleChangesTheFingerprint) {
    AppState changed;
    changed.tools.tool = Tool::spray;
    changed.tools.penChar = "x";
    changed.tools.fg = C::ansi16(3);
    changed.tools.penBg = C::ansi16(5);
    changed.tools.brush = BrushSize::cells(3);
    changed.tools.symmetryMode = SymmetryMode::both;
    changed.tools.penLineStyle = changed.tools.lineStyle = LineStyle::double_;
    changed.tools.lineStitchMode = LineStitchMode::slash;
    changed.tools.lineThickness = 3;
    changed.tools.boxOptions = {BoxStyle::double_, true, false, false, 2};
    changed.tools.ovalOptions.drawMode = OvalDrawMode::blocks();
    changed.tools.ovalOptions.thickness = 2;
    changed.tools.fillMode = FillMode::gradient(GradientDirection::radial);
    changed.tools.shapeFill.enabled = true;
    changed.tools.shapeFill.character = "o";
    changed.tools.sprayRadius = 2;
    changed.tools.sprayDensity = 20;
    changed.tools.sprayVariance = 90;
    changed.tools.dodgeBurnStrength = 50;
    changed.tools.prismSteps = 3;
    changed.tools.scatterVariance = 100;
    changed.tools.fgCyclePool = {C::ansi16(1), C::ansi16(2)};
    changed.tools.bgRandomPool = {C::ansi16(4), C::ansi16(6)};
    changed.tools.charCyclePool = {"a", "b"};
    changed.tools.charRandomPool = {"c", "d"};
    AppState fresh;
    for (const ToolSetting& row : toolSettings())
        if (row.flag) row.flag(changed.tools) = !row.flag(fresh.tools);
    changed.tools.charNull = changed.tools.fgNull = changed.tools.bgNull = false;  // else nothing is drawn at all

    int sampleChanges = 0;
    for (const auto& [tool, name] : EnumStrings<Tool>::table) {
        if (tool == Tool::pans) continue;
        AppState plain = editor();
        plain.tools.tool = tool;
        for (const ToolSetting& row : toolSettings()) {
            if (std::string_view(row.name) == "tool") continue;
            AppState one = plain;
            row.copy(changed.tools, one.tools);
            one.tools.tool = tool;
            EngineRandomSource a(7), b(7);
            if (simulateToolPreview(plain, a) == simulateToolPreview(one, b)) continue;
            ++sampleChanges;
            EXPECT_NE(toolPreviewFingerprint(one), toolPreviewFingerprint(plain)) << name << ": " << row.name;
        }
    }
    EXPECT_GE(sampleChanges, 60) << "the changed settings reach the samples";
}

TEST_F(ToolPreview, FillSampleFillsTheWholeStrip) {
    AppState s = editor();
    s.tools.tool = Tool::fill;
    s.tools.penChar = "▓";
    s.tools.fg = C::ansi16(10);
    s.tools.penBg = C::ansi16(4);
    const CellGrid strip = simulateToolPreview(s);
    ASSERT_EQ(strip.rowCount(), previewStripRows);
    for (int r = 0; r < previewStripRows; ++r)
        for (int c = 0; c < 20; ++c)
            ASSERT_EQ(cellAt(strip, r, c), (ANSICell{CellChar("▓"), C::ansi16(10), C::ansi16(4), false}))
                << r << "," << c;
}

TEST_F(ToolPreview, SymmetryShowsTheMirroredStroke) {
    for (const SymmetryMode mode : {SymmetryMode::horizontal, SymmetryMode::vertical, SymmetryMode::both}) {
        AppState s = editor();
        s.tools.penChar = "#";
        s.tools.symmetryMode = mode;
        const CellGrid strip = simulateToolPreview(s);
        for (const GridKey p : sampleStrokePath(20)) {
            for (const MirrorPoint& m : symmetryPoints(p, mode, previewStripRows, 20))
                EXPECT_EQ(cellAt(strip, m.at.row, m.at.col).character, CellChar("#"))
                    << "mirror of " << p.row << "," << p.col;
        }
    }
    AppState plain = editor();
    plain.tools.penChar = "#";
    const CellGrid strip = simulateToolPreview(plain);
    EXPECT_EQ(cellAt(strip, 5, 0).character, CellChar("#"));
    EXPECT_EQ(cellAt(strip, 5, 19), ANSICell::blank()) << "no mirror without symmetry";
}

TEST_F(ToolPreview, EffectToolsWorkOnSeededArtAndShapesOnTheStrip) {
    AppState s = editor();
    s.tools.tool = Tool::eraser;
    CellGrid strip = simulateToolPreview(s);
    EXPECT_EQ(cellAt(strip, 6, 0), (ANSICell{CellChar("█"), C::ansi16(2), C::ansi16(0), false})) << "seed stripe";
    EXPECT_EQ(cellAt(strip, 6, 13), ANSICell::blank()) << "the seed covers two thirds";
    EXPECT_EQ(cellAt(strip, 1, 4), ANSICell::blank()) << "the stroke erased the seed";

    s.tools.tool = Tool::box;
    strip = simulateToolPreview(s);
    EXPECT_EQ(cellAt(strip, 1, 0).character, CellChar("┌"));
    EXPECT_EQ(cellAt(strip, 5, 19).character, CellChar("┘"));

    s.tools.tool = Tool::text;
    s.tools.penChar = "T";
    strip = simulateToolPreview(s);
    EXPECT_EQ(cellAt(strip, 3, 1).character, CellChar("T"));
    EXPECT_EQ(cellAt(strip, 3, 0), ANSICell::blank());
}

// The samples and try-outs draw on a strip of their own, whether the document is larger or
// smaller than the strip: the document keeps its size, its cells and its settings.
TEST_F(ToolPreview, SamplesAndTryOutsLeaveTheDocumentAlone) {
    for (const auto& [rows, cols] : {std::pair{33, 77}, std::pair{3, 4}}) {
        SCOPED_TRACE(std::to_string(cols) + "x" + std::to_string(rows));
        for (const Tool tool : {Tool::spray, Tool::line, Tool::fill, Tool::text}) {
            AppState s = editor();
            s.doc = Document::blank(rows, cols);
            s.doc.layers.front().cells.set(rows - 1, cols - 1, {CellChar("#"), C::ansi16(2), C::ansi16(1), false});
            s.tools.tool = tool;
            const Document before = s.doc;
            updateToolPreview(s);
            previewScratchApply(GridKey{2, 2}, PreviewPhase::press, s);
            previewScratchApply(GridKey{2, 15}, PreviewPhase::drag, s);
            previewScratchApply(GridKey{2, 6}, PreviewPhase::release, s);
            EXPECT_EQ(s.doc, before) << rawValue(tool);
            EXPECT_TRUE(s.undoStack.empty()) << rawValue(tool);
            for (const CellGrid* strip : {&s.preview.toolPreviewCells, &*s.preview.previewScratchDoc}) {
                EXPECT_EQ(strip->rowCount(), previewStripRows) << rawValue(tool);
                EXPECT_EQ(strip->rowLength(0), stripCols) << rawValue(tool);
            }
        }
    }
}

TEST_F(ToolPreview, TryOutStrokeNeverTouchesTheDocumentOrUndo) {
    for (const Tool tool : {Tool::paint, Tool::line, Tool::fill}) {
        AppState s = editor();
        s.tools.tool = tool;
        s.tools.lineStyle = LineStyle::none;  // the line draws the pen's character
        s.tools.penChar = "%";
        updateToolPreview(s);
        const CellGrid sample = s.preview.toolPreviewCells;
        const auto layers = s.doc.layers;
        previewScratchApply(GridKey{6, 1}, PreviewPhase::press, s);
        previewScratchApply(GridKey{6, 8}, PreviewPhase::drag, s);
        previewScratchApply(GridKey{6, 12}, PreviewPhase::release, s);
        ASSERT_TRUE(s.preview.previewScratchDoc) << rawValue(tool);
        EXPECT_EQ(cellAt(*s.preview.previewScratchDoc, 6, 8).character, CellChar("%")) << rawValue(tool);
        EXPECT_EQ(s.doc.layers, layers) << rawValue(tool);
        EXPECT_TRUE(s.undoStack.empty()) << rawValue(tool);
        EXPECT_FALSE(s.dirty) << rawValue(tool);
        EXPECT_EQ(s.preview.toolPreviewCells, sample) << rawValue(tool);

        // While the try-out is shown the sample is not rebuilt.
        s.tools.penChar = "&";
        updateToolPreview(s);
        EXPECT_EQ(s.preview.toolPreviewCells, sample) << rawValue(tool);
    }
}

TEST_F(ToolPreview, ShapeTryOutFollowsThePointerWithoutSmearing) {
    AppState s = editor();
    s.tools.tool = Tool::line;
    s.tools.lineStyle = LineStyle::none;
    s.tools.penChar = "*";
    previewScratchApply(GridKey{6, 0}, PreviewPhase::press, s);
    previewScratchApply(GridKey{6, 15}, PreviewPhase::drag, s);
    previewScratchApply(GridKey{6, 4}, PreviewPhase::release, s);
    ASSERT_TRUE(s.preview.previewScratchDoc);
    EXPECT_EQ(cellAt(*s.preview.previewScratchDoc, 6, 4).character, CellChar("*"));
    EXPECT_EQ(cellAt(*s.preview.previewScratchDoc, 6, 15), ANSICell::blank()) << "the longer drag was replaced";
    EXPECT_FALSE(s.preview.previewStrokeStart);
}

class PresetHover : public ToolPreview {
protected:
    void SetUp() override {
        ToolPreview::SetUp();
        s.presets = PresetBank(16);
        TUIPreset q;
        q.character = "Q";
        q.tool = presetIDForTool(Tool::paint);
        s.presets[2] = q;
        TUIPreset r = q;
        r.character = "R";
        s.presets[3] = r;
        layout.presetSpans.push_back({Span{30, 10, 14}, 2});
        layout.presetSpans.push_back({Span{30, 14, 18}, 3});
        layout.presetSpans.push_back({Span{30, 18, 22}, 4});  // empty slot
    }
    void hover(int x, int y) {
        s.mouse = {x, y};
        updatePresetHoverPreview(s, layout);
    }
    AppState s = editor();
    Layout layout;
};

TEST_F(PresetHover, SameSlotTwiceComputesOnce) {
    hover(11, 30);
    ASSERT_TRUE(s.preview.presetHoverCells);
    EXPECT_EQ(s.preview.presetHoverIndex, 2);
    EXPECT_EQ(cellAt(*s.preview.presetHoverCells, 5, 0).character, CellChar("Q"));
    EXPECT_EQ(s.tools.penChar, "█") << "the real settings are untouched";

    s.preview.presetHoverCells = marker();
    hover(13, 30);
    EXPECT_EQ(*s.preview.presetHoverCells, marker());

    hover(15, 30);
    EXPECT_EQ(s.preview.presetHoverIndex, 3);
    EXPECT_EQ(cellAt(*s.preview.presetHoverCells, 5, 0).character, CellChar("R"));
}

TEST_F(PresetHover, ClearsOffASlotOnAnEmptySlotAndWithPanspect) {
    const std::vector<std::function<void()>> leaves{
        [&] { hover(11, 31); },
        [&] { hover(19, 30); },
        [&] {
            s.tools.tool = Tool::pans;
            hover(11, 30);
        },
    };
    for (std::size_t i = 0; i < leaves.size(); ++i) {
        s.tools.tool = Tool::paint;
        hover(11, 30);
        ASSERT_TRUE(s.preview.presetHoverCells);
        leaves[i]();
        EXPECT_FALSE(s.preview.presetHoverIndex) << i;
        EXPECT_FALSE(s.preview.presetHoverCells) << i;
    }
}

TEST_F(ToolPreview, PanspectKeepsTheLastSample) {
    AppState s = editor();
    s.tools.tool = Tool::pans;
    s.preview.toolPreviewCells = marker();
    updateToolPreview(s);
    EXPECT_EQ(s.preview.toolPreviewCells, marker());
    EXPECT_FALSE(s.preview.toolPreviewKey);
}

}  // namespace tool_preview_test
}  // namespace glyphloom
