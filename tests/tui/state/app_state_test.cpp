#include "tui/state/app_state.hpp"
#include "tui/state/overlay_table.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace glyphloom {
namespace {

// The canvas size is process-wide; every test starts from a small canvas and puts the
// defaults back afterwards.
class AppStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        AppState::docRows = 6;
        AppState::docCols = 10;
    }
    void TearDown() override {
        AppState::docRows = 50;
        AppState::docCols = 160;
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
    state.layers[static_cast<std::size_t>(state.activeLayerIndex)].cells.set(row, col, ink(ch));
}

TEST_F(AppStateTest, FreshStateHasOneBlankLayerOfTheCanvasSizeAndTheDocumentedDefaults) {
    const AppState state;
    ASSERT_EQ(state.layers.size(), 1u);
    const Layer& layer = state.layers[0];
    EXPECT_EQ(layer.name, "Layer 1");
    EXPECT_EQ(layer.cells, CellGrid(6, 10));
    EXPECT_TRUE(layer.visible);
    EXPECT_EQ(layer.kind, LayerKind::drawing());
    EXPECT_EQ(state.tool, Tool::paint);
    EXPECT_EQ(state.fg, ANSIColorValue::ansi16(15));
    EXPECT_EQ(state.penBg, ANSIColorValue::ansi16(0));
    EXPECT_EQ(state.penChar, "█");
    EXPECT_EQ(state.colorDepth, ColorDepth::c256);
    EXPECT_EQ(state.filename, "Untitled");
    EXPECT_FALSE(state.dirty);
    EXPECT_EQ(state.lineStitchMode, LineStitchMode::stitch);
    EXPECT_EQ(state.boxOptions, (BoxOptions{BoxStyle::single, false, true, true, 1}));
    EXPECT_EQ(state.ovalOptions.drawMode, OvalDrawMode::character());
    EXPECT_EQ(state.shapeFill, ShapeFillStyle{});
    EXPECT_EQ(state.mouse, (ScreenPoint{-1, -1}));
    EXPECT_EQ(state.browseDir, state.launchDir());
    EXPECT_FALSE(state.statusNote.has_value());
    EXPECT_FALSE(state.anyOverlayOpen());
    // The distant past must be usable in elapsed-time arithmetic without overflowing.
    EXPECT_GT(std::chrono::steady_clock::now() - state.lastResizeAt, std::chrono::hours(24 * 365));
    // Two layers made by two states never share an identity.
    EXPECT_NE(AppState().layers[0].id, layer.id);
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
    AppState::docRows = 50;
    AppState::docCols = 160;
    AppState state;
    for (int i = 0; i < 51; ++i) edit(state, i % 50, i, "x");
    EXPECT_EQ(state.undoStack.size(), 50u);
    for (int i = 0; i < 50; ++i) state.undo();
    EXPECT_EQ(state.statusNote.value_or(""), "undo");
    EXPECT_EQ(*state.layers[0].cells.cellAt(0, 0), ink("x"));  // the first edit stays
    EXPECT_EQ(*state.layers[0].cells.cellAt(1, 1), ANSICell::blank());
    state.undo();
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to undo");
}

TEST_F(AppStateTest, DepthFollowsTheCanvasSizeAtTheTimeOfTheSnapshot) {
    AppState state;
    AppState::docRows = 1000;  // a million cells: 20 steps
    AppState::docCols = 1000;
    for (int i = 0; i < 25; ++i) state.snapshotForUndo();
    EXPECT_EQ(state.undoStack.size(), 20u);
}

TEST_F(AppStateTest, UndoRestoresLayersAndSauceAndCancelsGesturesAndRedoBringsTheEditBack) {
    AppState state;
    state.sauceTitleField = "before";
    state.sauceComments = {"note"};
    const std::vector<Layer> before = state.layers;

    state.snapshotForUndo();
    state.layers[0].cells.set(2, 3, ink("#"));
    state.sauceTitleField = "after";
    state.sauceComments.clear();
    state.sourceSauce = SauceRecord{};
    state.letterSpacing = LetterSpacing::ninePixel;
    state.writeSauce = true;
    const std::vector<Layer> after = state.layers;

    state.dirty = false;
    state.shapeStart = GridKey{1, 1};
    state.selection = CellRect{0, 0, 2, 2};
    state.previewOverlay[{0, 0}] = ink("p");
    state.penConns[{0, 0}] = ConnectionSet{ConnectionSet::up};
    state.textStampHistory.push_back({});
    state.plainStampHistory.push_back({});
    state.paintingStroke = true;
    state.kbStroke = true;
    state.lastPaint = GridKey{2, 3};

    state.undo();
    EXPECT_EQ(state.layers, before);
    EXPECT_EQ(state.sauceTitleField, "before");
    EXPECT_EQ(state.sauceComments, std::vector<std::string>{"note"});
    EXPECT_FALSE(state.sourceSauce.has_value());
    EXPECT_EQ(state.letterSpacing, LetterSpacing::noPreference);
    EXPECT_FALSE(state.writeSauce);
    EXPECT_TRUE(state.dirty);
    EXPECT_FALSE(state.shapeStart || state.selection || state.lastPaint);
    EXPECT_TRUE(state.previewOverlay.empty() && state.penConns.empty());
    EXPECT_TRUE(state.textStampHistory.empty() && state.plainStampHistory.empty());
    EXPECT_FALSE(state.paintingStroke || state.kbStroke);
    EXPECT_EQ(state.redoStack.size(), 1u);

    state.redo();
    EXPECT_EQ(state.statusNote.value_or(""), "redo");
    EXPECT_EQ(state.layers, after);
    EXPECT_EQ(state.sauceTitleField, "after");
    EXPECT_EQ(state.letterSpacing, LetterSpacing::ninePixel);
    EXPECT_TRUE(state.writeSauce);
    EXPECT_EQ(state.undoStack.size(), 1u);
    EXPECT_TRUE(state.redoStack.empty());

    state.undo();
    edit(state, 0, 0, "n");  // a new edit after an undo forgets the redo
    EXPECT_TRUE(state.redoStack.empty());
    state.redo();
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to redo");
}

TEST_F(AppStateTest, EmptyStacksOnlyReportAndUndoAlwaysLeavesViewOnly) {
    AppState state;
    state.viewOnly = true;
    const std::vector<Layer> before = state.layers;
    state.redo();
    EXPECT_TRUE(state.viewOnly);  // redo never touches it
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to redo");
    state.undo();
    EXPECT_FALSE(state.viewOnly);
    EXPECT_EQ(state.statusNote.value_or(""), "nothing to undo");
    EXPECT_EQ(state.layers, before);
    EXPECT_FALSE(state.dirty);
}

TEST_F(AppStateTest, RestoreKeepsTheActiveLayerAndCursorInsideTheRestoredDocument) {
    AppState state;
    state.layers.emplace_back("Layer 2", CellGrid(6, 10));
    state.layers.emplace_back("Layer 3", CellGrid(6, 10));
    state.undoStack.clear();

    // Deleting the last layer and undoing that keeps the index; undoing the addition of
    // layers while the last one is active pulls it back into range.
    AppState twoStep = state;
    state.activeLayerIndex = 2;
    state.snapshotForUndo();
    state.layers.pop_back();
    state.activeLayerIndex = 1;
    state.undo();
    EXPECT_EQ(state.layers.size(), 3u);
    EXPECT_EQ(state.activeLayerIndex, 1);

    twoStep.layers.resize(1);
    twoStep.snapshotForUndo();  // one layer
    twoStep.layers.emplace_back("Layer 2", CellGrid(6, 10));
    twoStep.activeLayerIndex = 1;
    twoStep.undo();
    EXPECT_EQ(twoStep.activeLayerIndex, 0);

    // A snapshot with no layers at all still leaves a usable index and a 0 × 0 canvas.
    AppState empty;
    empty.layers.clear();
    empty.snapshotForUndo();
    empty.layers.emplace_back("Layer 1", CellGrid(6, 10));
    empty.cursor = {5, 9};
    empty.undo();
    EXPECT_EQ(empty.activeLayerIndex, 0);
    EXPECT_EQ(AppState::docRows, 0);
    EXPECT_EQ(AppState::docCols, 0);
    EXPECT_EQ(empty.cursor, (GridKey{0, 0}));
}

TEST_F(AppStateTest, ResizeKeepsTopLeftArtResetsOffsetsAndIsUndoable) {
    AppState state;
    state.layers[0].cells.set(0, 0, ink("a"));
    state.layers[0].cells.set(3, 9, ink("z"));
    state.layers[0].cells.set(5, 2, ink("b"));
    state.layers.emplace_back("ragged", CellGrid(std::vector<CellGrid::Row>{{ink("r")}, {ink("s"), ink("t")}}));
    state.layers[1].rowOffset = 2;
    state.layers[1].colOffset = -1;
    state.cursor = {5, 9};
    state.viewOffset = {3, 4};
    state.selection = CellRect{0, 0, 1, 1};
    state.shapeStart = GridKey{1, 1};
    state.textStampHistory.push_back({});
    state.plainStampHistory.push_back({});
    const std::vector<Layer> before = state.layers;

    state.resizeCanvas(4, 3);
    EXPECT_EQ(state.statusNote.value_or(""), "canvas 4×3");
    EXPECT_EQ(AppState::docCols, 4);
    EXPECT_EQ(AppState::docRows, 3);
    CellGrid expectedTop(3, 4);
    expectedTop.set(0, 0, ink("a"));
    EXPECT_EQ(state.layers[0].cells, expectedTop);
    CellGrid expectedRagged(3, 4);
    expectedRagged.set(0, 0, ink("r"));
    expectedRagged.set(1, 0, ink("s"));
    expectedRagged.set(1, 1, ink("t"));
    EXPECT_EQ(state.layers[1].cells, expectedRagged);
    EXPECT_EQ(state.layers[1].rowOffset, 0);
    EXPECT_EQ(state.layers[1].colOffset, 0);
    EXPECT_EQ(state.cursor, (GridKey{2, 3}));
    EXPECT_EQ(state.viewOffset, (GridKey{0, 0}));
    EXPECT_FALSE(state.selection || state.shapeStart);
    EXPECT_TRUE(state.textStampHistory.empty() && state.plainStampHistory.empty());
    EXPECT_TRUE(state.dirty);

    // Growing pads with blanks and keeps everything.
    state.resizeCanvas(12, 8);
    EXPECT_EQ(*state.layers[0].cells.cellAt(0, 0), ink("a"));
    EXPECT_EQ(*state.layers[0].cells.cellAt(7, 11), ANSICell::blank());

    state.undo();
    state.undo();
    EXPECT_EQ(state.layers, before);
    EXPECT_EQ(AppState::docRows, 6);
    EXPECT_EQ(AppState::docCols, 10);
}

TEST_F(AppStateTest, StatusHistoryRecordsChangesOnlyAndKeepsTheLastHundred) {
    AppState state;
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
        AppState::docRows = 6;
        AppState::docCols = 10;
        std::mt19937 rng(seed);
        AppState state;
        state.layers.emplace_back("Layer 2", CellGrid(6, 10, ink(".", 4)));
        const UndoSnapshot original{state.layers, state.sauceFields(), state.writeSauce};
        const int originalRows = AppState::docRows;
        const int steps = 1 + static_cast<int>(rng() % 40);
        for (int i = 0; i < steps; ++i) {
            state.snapshotForUndo();
            Layer& layer = state.layers[rng() % state.layers.size()];
            switch (rng() % 6) {
                case 0:
                case 1:
                    for (int k = 0; k < 4; ++k)
                        layer.cells.set(static_cast<int>(rng() % 8), static_cast<int>(rng() % 12),
                                        ink("*", static_cast<int>(rng() % 16)));
                    break;
                case 2:
                    state.layers.emplace_back("extra", CellGrid(AppState::docRows, AppState::docCols, ink("+")));
                    break;
                case 3:
                    layer.rowOffset += 1;
                    if (state.layers.size() > 1) state.layers.erase(state.layers.begin());
                    break;
                case 4:
                    state.sauceTitleField += "t";
                    state.sauceHistory.push_back("h");
                    state.aspectRatio = AspectRatio::square;
                    break;
                case 5:
                    state.undoStack.pop_back();  // resizeCanvas takes its own snapshot
                    state.resizeCanvas(4 + static_cast<int>(rng() % 10), 2 + static_cast<int>(rng() % 6));
                    break;
            }
            state.activeLayerIndex = static_cast<int>(rng() % state.layers.size());
        }
        const std::vector<Layer> final = state.layers;
        const std::string finalTitle = state.sauceTitleField;
        const int finalRows = AppState::docRows;

        while (!state.undoStack.empty()) state.undo();
        EXPECT_EQ(state.layers, original.layers);
        EXPECT_EQ(state.sauceFields(), original.sauce);
        EXPECT_EQ(AppState::docRows, originalRows);
        EXPECT_LT(state.activeLayerIndex, static_cast<int>(state.layers.size()));

        while (!state.redoStack.empty()) state.redo();
        EXPECT_EQ(state.layers, final);
        EXPECT_EQ(state.sauceTitleField, finalTitle);
        EXPECT_EQ(AppState::docRows, finalRows);
    }
}

TEST_F(AppStateTest, SnapshotsShareEveryRowAnEditDidNotTouch) {
    AppState state;
    state.snapshotForUndo();
    state.layers[0].cells.set(2, 2, ink("x"));
    const CellGrid& live = state.layers[0].cells;
    const CellGrid& saved = state.undoStack.back().layers[0].cells;
    for (int r = 0; r < live.rowCount(); ++r) EXPECT_EQ(live.sharesRowWith(saved, r), r != 2) << "row " << r;
}

}  // namespace
}  // namespace glyphloom
