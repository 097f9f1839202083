#include "tui/tools/active_layer.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "core/fonts/block_font.hpp"
#include "core/model/print_values.hpp"
#include "tui/actions/canvas_press.hpp"
#include "tui/tools/fill_tool.hpp"
#include "tui/actions/keyboard_pen.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/selection_tool.hpp"
#include "tui/tools/shape_tool.hpp"
#include "tui/tools/text_tool.hpp"

namespace glyphloom {
namespace active_layer_test {

using C = ANSIColorValue;

constexpr GridKey pressed{6, 12};

// Banded art, so fills find regions and the effects find colours to change; given by
// document position so that a shifted layer can hold the same picture.
ANSICell artAt(int row, int col) {
    const int band = (row / 3 + col / 5) % 3;
    return {CellChar(std::string(1, static_cast<char>('a' + band))), C::ansi16(9 + band), C::ansi16(4 + band % 2), false};
}

// One tool edit at or around `pressed`, the way its input reaches it.
struct ToolEdit {
    std::string name;
    std::function<void(AppState&, RandomSource&)> act;
};

// A freehand stroke of two samples, begun as a press on the canvas begins it.
ToolEdit stroke(Tool tool) {
    return {std::string(rawValue(tool)), [tool](AppState& s, RandomSource& random) {
                s.tools.tool = tool;
                s.tools.scatterVariance = 60;
                if (!beginToolEdit(s)) return;
                beginStroke(s);
                s.stroke.paintingStroke = true;
                const auto start = std::chrono::steady_clock::time_point{};
                paint(pressed, s, start, random);
                paint({pressed.row, pressed.col + 3}, s, start + std::chrono::milliseconds(200), random);
                releaseCanvas(GridKey{pressed.row, pressed.col + 3}, s);
            }};
}

ToolEdit shape(Tool tool) {
    return {std::string(rawValue(tool)), [tool](AppState& s, RandomSource&) {
                s.tools.tool = tool;
                s.stroke.shapeStart = pressed;
                finishShape({pressed.row + 2, pressed.col + 5}, s);
            }};
}

void selectAroundPressed(AppState& s) {
    s.tools.tool = Tool::select;
    s.selection = CellRect{pressed.row - 1, pressed.col - 2, pressed.row + 1, pressed.col + 2};
}

std::vector<ToolEdit> everyToolEdit() {
    std::vector<ToolEdit> edits;
    for (const Tool tool : {Tool::paint, Tool::draw, Tool::pen, Tool::eraser, Tool::spray, Tool::smudge, Tool::dodge,
                            Tool::burn, Tool::prism, Tool::scatter})
        edits.push_back(stroke(tool));
    for (const Tool tool : {Tool::line, Tool::box, Tool::oval}) edits.push_back(shape(tool));
    edits.push_back({"fill", [](AppState& s, RandomSource& random) { applyFloodFill(pressed, s, random); }});
    edits.push_back({"typing", [](AppState& s, RandomSource&) {
                         s.cursor = pressed;
                         typeCharacter("A", s);
                     }});
    edits.push_back({"typing in a font", [](AppState& s, RandomSource&) {
                         s.tools.tool = Tool::text;
                         s.textFontIndex = 0;
                         s.cursor = pressed;
                         typeCharacter("A", s);
                     }});
    edits.push_back({"tab and F1", [](AppState& s, RandomSource&) {
                         s.tools.tool = Tool::text;
                         s.cursor = pressed;
                         stampActiveCharacter(s);
                         handleFKey(1, s);
                     }});
    edits.push_back({"erase left", [](AppState& s, RandomSource&) {
                         s.cursor = pressed;
                         eraseLeft(s);
                     }});
    edits.push_back({"space pen", [](AppState& s, RandomSource&) {
                         s.cursor = pressed;
                         kbSpaceToggle(s);
                     }});
    edits.push_back({"selection fill", [](AppState& s, RandomSource&) {
                         selectAroundPressed(s);
                         performSelectAction(SelectAction::fill, s);
                     }});
    edits.push_back({"cut", [](AppState& s, RandomSource&) {
                         selectAroundPressed(s);
                         performSelectAction(SelectAction::cut, s);
                     }});
    edits.push_back({"blink", [](AppState& s, RandomSource&) {
                         selectAroundPressed(s);
                         blinkSelection(s);
                     }});
    edits.push_back({"clipboard text", [](AppState& s, RandomSource&) {
                         selectAroundPressed(s);
                         performSelectAction(SelectAction::text, s, [] { return std::optional<std::string>("hi\nyo"); });
                     }});
    edits.push_back({"paste placed", [](AppState& s, RandomSource&) {
                         s.clipboard = CellGrid(2, 3);
                         s.pasteFloat = true;
                         placeFloatingPaste(pressed, s);
                     }});
    return edits;
}

class ActiveLayer : public ::testing::Test {
protected:
    // A document holding the art on one layer whose grid is moved by `offset`.
    static std::unique_ptr<AppState> documentWithLayerAt(GridKey offset) {
        auto state = std::make_unique<AppState>();
        state->doc = Document::blank(12, 24);
        Layer& layer = state->doc.layers.front();
        layer.rowOffset = offset.row;
        layer.colOffset = offset.col;
        for (int r = 0; r < layer.cells.rowCount(); ++r)
            for (int c = 0; c < layer.cells.rowLength(r); ++c) layer.cells.set(r, c, artAt(r + offset.row, c + offset.col));
        state->tools.penChar = "#";
        return state;
    }
    // The document as the active layer shows it, row by row; nothing where it has no cell.
    static std::vector<std::optional<ANSICell>> picture(const AppState& state) {
        std::vector<std::optional<ANSICell>> cells;
        for (int r = 0; r < state.doc.rows; ++r) {
            for (int c = 0; c < state.doc.cols; ++c) {
                const ANSICell* cell = activeCellAt(state, {r, c});
                cells.push_back(cell ? std::optional(*cell) : std::nullopt);
            }
        }
        return cells;
    }
    // The same picture on the cells that another state's active layer covers.
    static std::vector<std::optional<ANSICell>> croppedTo(std::vector<std::optional<ANSICell>> cells,
                                                         const AppState& other) {
        for (int r = 0; r < other.doc.rows; ++r)
            for (int c = 0; c < other.doc.cols; ++c)
                if (!activeCellAt(other, {r, c})) cells[static_cast<std::size_t>(r * other.doc.cols + c)].reset();
        return cells;
    }
};

// Text, selection, fill, effects and the pen reach the cell under the document position on a
// shifted layer exactly as on a layer in place: the two pictures match wherever both have cells.
TEST_F(ActiveLayer, EveryToolDrawsOnAShiftedLayerWhereTheDocumentCellIs) {
    for (const ToolEdit& edit : everyToolEdit()) {
        auto inPlace = documentWithLayerAt({0, 0});
        auto shifted = documentWithLayerAt({2, 3});
        const auto before = picture(*shifted);
        EngineRandomSource randomA(7), randomB(7);
        edit.act(*inPlace, randomA);
        edit.act(*shifted, randomB);
        EXPECT_NE(picture(*shifted), before) << edit.name << " changed nothing";
        EXPECT_EQ(picture(*shifted), croppedTo(picture(*inPlace), *shifted)) << edit.name;
    }
}

TEST_F(ActiveLayer, MapsDocumentCellsThroughTheOffsetsAndClipsToLayerAndDocument) {
    const Document doc = Document::blank(12, 24);
    Layer layer("Layer", CellGrid(4, 6));
    layer.rowOffset = 2;
    layer.colOffset = -3;
    EXPECT_EQ(layerCellOf(doc, layer, {2, 0}), (GridKey{0, 3}));
    EXPECT_EQ(layerCellOf(doc, layer, {5, 2}), (GridKey{3, 5}));
    EXPECT_EQ(documentCellOf(layer, GridKey{3, 5}), (GridKey{5, 2}));
    EXPECT_EQ(layerCellOf(doc, layer, {1, 0}), std::nullopt) << "above the layer";
    EXPECT_EQ(layerCellOf(doc, layer, {2, 3}), std::nullopt) << "right of the layer";
    layer.colOffset = 22;  // the layer's right part hangs past the document's edge
    EXPECT_EQ(layerCellOf(doc, layer, {2, 23}), (GridKey{0, 1}));
    EXPECT_EQ(layerCellOf(doc, layer, {2, 24}), std::nullopt) << "outside the document";
}

// View-only art takes no edit from any tool, whatever the input: no cell, no undo step, not
// modified.
TEST_F(ActiveLayer, ViewOnlyArtTakesNoToolEdit) {
    std::vector<ToolEdit> edits = everyToolEdit();
    for (const Tool tool : {Tool::paint, Tool::pen, Tool::spray, Tool::fill, Tool::box, Tool::text}) {
        edits.push_back({"press with " + std::string(rawValue(tool)), [tool](AppState& s, RandomSource&) {
                             s.tools.tool = tool;
                             pressCanvas(pressed, 0, s);
                             dragCanvas({pressed.row + 2, pressed.col + 4}, s);
                             releaseCanvas(GridKey{pressed.row + 2, pressed.col + 4}, s);
                         }});
    }
    for (const ToolEdit& edit : edits) {
        auto state = documentWithLayerAt({0, 0});
        state->viewOnly = true;
        const std::vector<Layer> before = state->doc.layers;
        EngineRandomSource random(7);
        edit.act(*state, random);
        EXPECT_EQ(state->doc.layers, before) << edit.name;
        EXPECT_TRUE(state->undoStack.empty()) << edit.name;
        EXPECT_FALSE(state->dirty) << edit.name;
    }
}

}  // namespace active_layer_test
}  // namespace glyphloom
