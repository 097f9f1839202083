#include "tui/state/app_state.hpp"
#include "tui/state/overlay_table.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace glyphloom {
namespace app_state_test {

// Every test works on a small canvas of its own.
class AppStateTest : public ::testing::Test {
protected:
    static AppState smallEditor() {
        AppState state;
        state.doc = Document::blank(6, 10);
        return state;
    }
};

ANSICell ink(const char* ch, int fg = 2) {
    ANSICell cell;
    cell.character = ch;
    cell.foreground = ANSIColorValue::ansi16(fg);
    return cell;
}

// An edit the way a tool makes one: snapshot first, then change the active layer.
void edit(AppState& state, int row, int col, const char* ch) {
    state.snapshotForUndo();
    state.doc.layers[static_cast<std::size_t>(state.activeLayerIndex)].cells.set(row, col, ink(ch));
}

TEST_F(AppStateTest, FreshStateHasOneBlankLayerOfTheCanvasSizeAndTheDocumentedDefaults) {
    const AppState state;
    EXPECT_EQ(state.doc.rows, AppState::defaultDocRows);
    EXPECT_EQ(state.doc.cols, AppState::defaultDocCols);
    ASSERT_EQ(state.doc.layers.size(), 1u);
    const Layer& layer = state.doc.layers[0];
    EXPECT_EQ(layer.name, "Layer 1");
    EXPECT_EQ(layer.cells, CellGrid(AppState::defaultDocRows, AppState::defaultDocCols));
    EXPECT_TRUE(layer.visible);
    EXPECT_EQ(layer.kind, LayerKind::drawing());
    EXPECT_EQ(state.tools.tool, Tool::paint);
    EXPECT_EQ(state.tools.fg, ANSIColorValue::ansi16(15));
    EXPECT_EQ(state.tools.penBg, ANSIColorValue::ansi16(0));
    EXPECT_EQ(state.tools.penChar, "█");
    EXPECT_EQ(state.doc.colorDepth, ColorDepth::c256);
    EXPECT_EQ(state.filename, "Untitled");
    EXPECT_FALSE(state.dirty);
    EXPECT_EQ(state.tools.lineStitchMode, LineStitchMode::stitch);
    EXPECT_EQ(state.tools.boxOptions, (BoxOptions{BoxStyle::single, false, true, true, 1}));
    EXPECT_EQ(state.tools.ovalOptions.drawMode, OvalDrawMode::character());
    EXPECT_EQ(state.tools.shapeFill, ShapeFillStyle{});
    EXPECT_EQ(state.mouse, (ScreenPoint{-1, -1}));
    EXPECT_EQ(state.browseDir, state.launchDir());
    EXPECT_FALSE(state.statusNote.has_value());
    EXPECT_FALSE(state.anyOverlayOpen());
    // The distant past must be usable in elapsed-time arithmetic without overflowing.
    EXPECT_GT(std::chrono::steady_clock::now() - state.lastResizeAt, std::chrono::hours(24 * 365));
    // Two layers made by two states never share an identity.
    EXPECT_NE(AppState().doc.layers[0].id, layer.id);
}

TEST(UndoDepth, LimitAtItsBoundaries) {
    const std::vector<std::pair<std::int64_t, int>> cases = {
        {-5, 50},      {0, 50},       {1, 50},        {8000, 50},    {400'000, 50}, {400'001, 49},
        {408'163, 49}, {408'164, 48}, {1'000'000, 20}, {4'000'000, 5}, {4'000'001, 4}, {5'000'000, 4},
        {5'000'001, 4}, {int64_t{1} << 40, 4},
    };
    for (const auto& [cells, limit] : cases) EXPECT_EQ(AppState::undoDepthLimit(cells), limit) << cells << " cells";
}

TEST_F(AppStateTest, FiftyOneEditsKeepFiftyStepsAndTheFirstEditCanNoLongerBeUndone) {
    AppState state;
    for (int i = 0; i < 51; ++i) edit(state, i % 50, i, "x");
    EXPECT_EQ(state.undoStack.size(), 50u);
    for (int i = 0; i < 50; ++i) state.undo();
    EXPECT_EQ(state.statusNote.value_or(""), "undo");
    EXPECT_EQ(*state.doc.layers[0].cells.cellAt(0, 0), ink("x"));  // the first edit stays
    EXPECT_EQ(*state.doc.layers[0].cells.cellAt(1, 1), ANSICell::blank());
    state.undo();
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to undo");
}

TEST_F(AppStateTest, DepthFollowsTheCanvasSizeAtTheTimeOfTheSnapshot) {
    AppState state;
    state.doc = Document::blank(1000, 1000);  // a million cells: 20 steps
    for (int i = 0; i < 25; ++i) state.snapshotForUndo();
    EXPECT_EQ(state.undoStack.size(), 20u);
}

TEST_F(AppStateTest, UndoRestoresLayersAndSauceAndCancelsGesturesAndRedoBringsTheEditBack) {
    AppState state = smallEditor();
    state.doc.sauce.sauceTitleField = "before";
    state.doc.sauce.sauceComments = {"note"};
    const std::vector<Layer> before = state.doc.layers;

    state.snapshotForUndo();
    state.doc.layers[0].cells.set(2, 3, ink("#"));
    state.doc.sauce.sauceTitleField = "after";
    state.doc.sauce.sauceComments.clear();
    state.doc.sauce.sourceSauce = SauceRecord{};
    state.doc.sauce.letterSpacing = LetterSpacing::ninePixel;
    state.doc.writeSauce = true;
    const std::vector<Layer> after = state.doc.layers;

    state.dirty = false;
    state.stroke.shapeStart = GridKey{1, 1};
    state.selection = CellRect{0, 0, 2, 2};
    state.stroke.previewOverlay[{0, 0}] = ink("p");
    state.stroke.penConns[{0, 0}] = ConnectionSet{ConnectionSet::up};
    state.textStampHistory.push_back({});
    state.plainStampHistory.push_back({});
    state.stroke.paintingStroke = true;
    state.stroke.kbStroke = true;
    state.stroke.lastPaint = GridKey{2, 3};

    state.undo();
    EXPECT_EQ(state.doc.layers, before);
    EXPECT_EQ(state.doc.sauce.sauceTitleField, "before");
    EXPECT_EQ(state.doc.sauce.sauceComments, std::vector<std::string>{"note"});
    EXPECT_FALSE(state.doc.sauce.sourceSauce.has_value());
    EXPECT_EQ(state.doc.sauce.letterSpacing, LetterSpacing::noPreference);
    EXPECT_FALSE(state.doc.writeSauce);
    EXPECT_TRUE(state.dirty);
    EXPECT_FALSE(state.stroke.shapeStart || state.selection || state.stroke.lastPaint);
    EXPECT_TRUE(state.stroke.previewOverlay.empty() && state.stroke.penConns.empty());
    EXPECT_TRUE(state.textStampHistory.empty() && state.plainStampHistory.empty());
    EXPECT_FALSE(state.stroke.paintingStroke || state.stroke.kbStroke);
    EXPECT_EQ(state.redoStack.size(), 1u);

    state.redo();
    EXPECT_EQ(state.statusNote.value_or(""), "redo");
    EXPECT_EQ(state.doc.layers, after);
    EXPECT_EQ(state.doc.sauce.sauceTitleField, "after");
    EXPECT_EQ(state.doc.sauce.letterSpacing, LetterSpacing::ninePixel);
    EXPECT_TRUE(state.doc.writeSauce);
    EXPECT_EQ(state.undoStack.size(), 1u);
    EXPECT_TRUE(state.redoStack.empty());

    state.undo();
    edit(state, 0, 0, "n");  // a new edit after an undo forgets the redo
    EXPECT_TRUE(state.redoStack.empty());
    state.redo();
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to redo");
}

TEST_F(AppStateTest, EmptyStacksOnlyReportAndUndoAlwaysLeavesViewOnly) {
    AppState state = smallEditor();
    state.viewOnly = true;
    const std::vector<Layer> before = state.doc.layers;
    state.redo();
    EXPECT_TRUE(state.viewOnly);  // redo never touches it
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to redo");
    state.undo();
    EXPECT_FALSE(state.viewOnly);
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to undo");
    EXPECT_EQ(state.doc.layers, before);
    EXPECT_FALSE(state.dirty);
}

TEST_F(AppStateTest, RestoreKeepsTheActiveLayerAndCursorInsideTheRestoredDocument) {
    AppState state = smallEditor();
    state.doc.layers.emplace_back("Layer 2", CellGrid(6, 10));
    state.doc.layers.emplace_back("Layer 3", CellGrid(6, 10));
    state.undoStack.clear();

    // Deleting the last layer and undoing that keeps the index; undoing the addition of
    // layers while the last one is active pulls it back into range.
    AppState twoStep = state;
    state.activeLayerIndex = 2;
    state.snapshotForUndo();
    state.doc.layers.pop_back();
    state.activeLayerIndex = 1;
    state.undo();
    EXPECT_EQ(state.doc.layers.size(), 3u);
    EXPECT_EQ(state.activeLayerIndex, 1);

    twoStep.doc.layers.resize(1);
    twoStep.snapshotForUndo();  // one layer
    twoStep.doc.layers.emplace_back("Layer 2", CellGrid(6, 10));
    twoStep.activeLayerIndex = 1;
    twoStep.undo();
    EXPECT_EQ(twoStep.activeLayerIndex, 0);

    // A snapshot with no layers at all still leaves a usable index and a 0 × 0 canvas.
    AppState empty = smallEditor();
    empty.doc.layers.clear();
    empty.snapshotForUndo();
    empty.doc.layers.emplace_back("Layer 1", CellGrid(6, 10));
    empty.cursor = {5, 9};
    empty.undo();
    EXPECT_EQ(empty.activeLayerIndex, 0);
    EXPECT_EQ(empty.doc.rows, 0);
    EXPECT_EQ(empty.doc.cols, 0);
    EXPECT_EQ(empty.cursor, (GridKey{0, 0}));
}

TEST_F(AppStateTest, ResizeKeepsTopLeftArtResetsOffsetsAndIsUndoable) {
    AppState state = smallEditor();
    state.doc.layers[0].cells.set(0, 0, ink("a"));
    state.doc.layers[0].cells.set(3, 9, ink("z"));
    state.doc.layers[0].cells.set(5, 2, ink("b"));
    state.doc.layers.emplace_back("ragged", CellGrid(std::vector<CellGrid::Row>{{ink("r")}, {ink("s"), ink("t")}}));
    state.doc.layers[1].rowOffset = 2;
    state.doc.layers[1].colOffset = -1;
    state.cursor = {5, 9};
    state.viewOffset = {3, 4};
    state.selection = CellRect{0, 0, 1, 1};
    state.stroke.shapeStart = GridKey{1, 1};
    state.textStampHistory.push_back({});
    state.plainStampHistory.push_back({});
    const std::vector<Layer> before = state.doc.layers;

    state.resizeCanvas(4, 3);
    EXPECT_EQ(state.statusNote.value_or(""), "canvas 4×3");
    EXPECT_EQ(state.doc.cols, 4);
    EXPECT_EQ(state.doc.rows, 3);
    CellGrid expectedTop(3, 4);
    expectedTop.set(0, 0, ink("a"));
    EXPECT_EQ(state.doc.layers[0].cells, expectedTop);
    CellGrid expectedRagged(3, 4);
    expectedRagged.set(0, 0, ink("r"));
    expectedRagged.set(1, 0, ink("s"));
    expectedRagged.set(1, 1, ink("t"));
    EXPECT_EQ(state.doc.layers[1].cells, expectedRagged);
    EXPECT_EQ(state.doc.layers[1].rowOffset, 0);
    EXPECT_EQ(state.doc.layers[1].colOffset, 0);
    EXPECT_EQ(state.cursor, (GridKey{2, 3}));
    EXPECT_EQ(state.viewOffset, (GridKey{0, 0}));
    EXPECT_FALSE(state.selection || state.stroke.shapeStart);
    EXPECT_TRUE(state.textStampHistory.empty() && state.plainStampHistory.empty());
    EXPECT_TRUE(state.dirty);

    // Growing pads with blanks and keeps everything.
    state.resizeCanvas(12, 8);
    EXPECT_EQ(*state.doc.layers[0].cells.cellAt(0, 0), ink("a"));
    EXPECT_EQ(*state.doc.layers[0].cells.cellAt(7, 11), ANSICell::blank());

    state.undo();
    state.undo();
    EXPECT_EQ(state.doc.layers, before);
    EXPECT_EQ(state.doc.rows, 6);
    EXPECT_EQ(state.doc.cols, 10);
}

TEST_F(AppStateTest, StatusHistoryRecordsChangesOnlyAndKeepsTheLastHundred) {
    AppState state = smallEditor();
    state.statusNote = "saved";
    state.statusNote = "saved";
    state.statusNote = std::nullopt;
    EXPECT_FALSE(state.statusNote.has_value());
    EXPECT_EQ(state.statusHistory(), std::vector<std::string>{"saved"});

    for (int i = 0; i < 100; ++i) state.statusNote = "message " + std::to_string(i);
    ASSERT_EQ(state.statusHistory().size(), 100u);
    EXPECT_EQ(state.statusHistory().front(), "message 0");  // "saved" was the 101st from the end
    EXPECT_EQ(state.statusHistory().back(), "message 99");
    EXPECT_EQ(state.statusNote.value_or(""), "message 99");
}

TEST(StartDirectory, FallsBackToHomeOnlyForRootOrUnknown) {
    EXPECT_EQ(startDirectory("/work/art", "/home/me"), "/work/art");
    EXPECT_EQ(startDirectory("/", "/home/me"), "/home/me");
    EXPECT_EQ(startDirectory("", "/home/me"), "/home/me");
    EXPECT_EQ(startDirectory("/", nullptr), "/");
}

// Random edits of every kind the document sees (cells, layers, SAUCE fields, canvas size),
// then undo all the way back and redo all the way forward.
TEST_F(AppStateTest, RandomEditsUndoToTheOriginalAndRedoToTheFinalDocument) {
    for (unsigned seed = 1; seed <= 20; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        AppState state = smallEditor();
        state.doc.layers.emplace_back("Layer 2", CellGrid(6, 10, ink(".", 4)));
        const UndoSnapshot original{state.doc.layers, state.doc.sauce, state.doc.writeSauce};
        const int originalRows = state.doc.rows;
        const int steps = 1 + static_cast<int>(rng() % 40);
        for (int i = 0; i < steps; ++i) {
            state.snapshotForUndo();
            Layer& layer = state.doc.layers[rng() % state.doc.layers.size()];
            switch (rng() % 6) {
                case 0:
                case 1:
                    for (int k = 0; k < 4; ++k)
                        layer.cells.set(static_cast<int>(rng() % 8), static_cast<int>(rng() % 12),
                                        ink("*", static_cast<int>(rng() % 16)));
                    break;
                case 2:
                    state.doc.layers.emplace_back("extra", CellGrid(state.doc.rows, state.doc.cols, ink("+")));
                    break;
                case 3:
                    layer.rowOffset += 1;
                    if (state.doc.layers.size() > 1) state.doc.layers.erase(state.doc.layers.begin());
                    break;
                case 4:
                    state.doc.sauce.sauceTitleField += "t";
                    state.doc.sauce.sauceHistory.push_back("h");
                    state.doc.sauce.aspectRatio = AspectRatio::square;
                    break;
                case 5:
                    state.undoStack.pop_back();  // resizeCanvas takes its own snapshot
                    state.resizeCanvas(4 + static_cast<int>(rng() % 10), 2 + static_cast<int>(rng() % 6));
                    break;
            }
            state.activeLayerIndex = static_cast<int>(rng() % state.doc.layers.size());
        }
        const std::vector<Layer> final = state.doc.layers;
        const std::string finalTitle = state.doc.sauce.sauceTitleField;
        const int finalRows = state.doc.rows;

        while (!state.undoStack.empty()) state.undo();
        EXPECT_EQ(state.doc.layers, original.layers);
        EXPECT_EQ(state.doc.sauce, original.sauce);
        EXPECT_EQ(state.doc.rows, originalRows);
        EXPECT_LT(state.activeLayerIndex, static_cast<int>(state.doc.layers.size()));

        while (!state.redoStack.empty()) state.redo();
        EXPECT_EQ(state.doc.layers, final);
        EXPECT_EQ(state.doc.sauce.sauceTitleField, finalTitle);
        EXPECT_EQ(state.doc.rows, finalRows);
    }
}

TEST_F(AppStateTest, SnapshotsShareEveryRowAnEditDidNotTouch) {
    AppState state = smallEditor();
    state.snapshotForUndo();
    state.doc.layers[0].cells.set(2, 2, ink("x"));
    const CellGrid& live = state.doc.layers[0].cells;
    const CellGrid& saved = state.undoStack.back().layers[0].cells;
    for (int r = 0; r < live.rowCount(); ++r) EXPECT_EQ(live.sharesRowWith(saved, r), r != 2) << "row " << r;
}

}  // namespace app_state_test
}  // namespace glyphloom
