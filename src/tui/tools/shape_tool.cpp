#include "tui/tools/shape_tool.hpp"

#include <algorithm>
#include <cstdlib>

#include "core/draw/line.hpp"
#include "core/draw/shapes.hpp"
#include "core/text/utf8.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/shape_fill.hpp"

namespace glyphloom {

namespace {

ANSICell shapeCell(const AppState& state, GridKey at, const CycleFrame& frame, const std::optional<std::string>& glyph) {
    const ANSICell* existing = activeCellAt(state, at);
    ANSICell cell = existing ? *existing : ANSICell::blank();
    if (glyph) cell.character = *glyph;
    else if (frame.character) cell.character = *frame.character;
    if (frame.fg) cell.foreground = *frame.fg;
    if (frame.bg) cell.background = *frame.bg;
    cell.blink = false;
    return cell;
}

// The Bresenham points with their glyphs; cells off the centre line take the cycle frame of the
// nearest centre point so that cycles run along the line.
void lineCells(GridKey from, GridKey to, const AppState& state, RandomSource& random,
               std::unordered_map<GridKey, ANSICell>& cells) {
    const std::vector<GridKey> centre = bresenham(from, to);
    const auto frames = simulatedCycleFrames(static_cast<int>(centre.size()), state, random);
    if (state.tools.lineStyle == LineStyle::none) {
        const bool horizontal = !(std::abs(to.col - from.col) < std::abs(to.row - from.row));
        for (std::size_t i = 0; i < centre.size(); ++i) {
            for (const int o : thicknessOffsets(state.tools.lineThickness)) {
                const GridKey at = horizontal ? GridKey{centre[i].row + o, centre[i].col}
                                              : GridKey{centre[i].row, centre[i].col + o};
                if (state.doc.contains(at)) cells[at] = shapeCell(state, at, frames[i], std::nullopt);
            }
        }
        return;
    }
    std::unordered_map<GridKey, std::size_t> index;
    for (std::size_t i = 0; i < centre.size(); ++i) index.emplace(centre[i], i);
    const auto glyphs = lineDirectionChars(centre, from, to, state.tools.lineStyle, state.tools.lineStitchMode,
                                           state.tools.lineThickness);
    for (const auto& [at, glyph] : glyphs) {
        if (!state.doc.contains(at)) continue;
        const auto found = index.find(at);
        const std::size_t k = found != index.end() ? found->second : nearestPoint(centre, at);
        cells[at] = shapeCell(state, at, frames[k], glyph);
    }
}

void geometryCells(const ShapeGeometry& shape, const AppState& state, RandomSource& random,
                   std::unordered_map<GridKey, ANSICell>& cells) {
    const auto frames = simulatedCycleFrames(static_cast<int>(shape.outline.size()), state, random);
    cells = shapeInteriorCells(shape.interior, state, random);
    cells.reserve(cells.size() + shape.outline.size());
    for (std::size_t k = 0; k < shape.outline.size(); ++k)
        cells[shape.outline[k].at] = shapeCell(state, shape.outline[k].at, frames[k], shape.outline[k].glyph);
}

}  // namespace

std::unordered_map<GridKey, ANSICell> computeShape(GridKey from, GridKey to, const AppState& state) {
    return computeShape(from, to, state, defaultRandomSource());
}

std::unordered_map<GridKey, ANSICell> computeShape(GridKey from, GridKey to, const AppState& state,
                                                   RandomSource& random) {
    const int rows = state.doc.rows, columns = state.doc.cols;
    std::unordered_map<GridKey, ANSICell> cells;
    switch (state.tools.tool) {
        case Tool::line: lineCells(from, to, state, random, cells); break;
        case Tool::box:
            geometryCells(computeBox(from, to, state.tools.boxOptions, rows, columns), state, random, cells);
            break;
        case Tool::oval:
            geometryCells(computeOval(from, to, state.tools.ovalOptions, rows, columns), state, random, cells);
            break;
        case Tool::select: {
            // Only an outline to show the rectangle being dragged; it is never written.
            for (const ShapeCell& c : computeBox(from, to, BoxOptions{}, rows, columns).outline)
                cells[c.at] = ANSICell{CellChar(*c.glyph), state.tools.fg, state.tools.penBg, false};
            return cells;
        }
        default: return cells;
    }
    if (state.tools.symmetryMode == SymmetryMode::none) return cells;
    return withMirroredCells(cells, rows, columns, state.tools.symmetryMode);
}

void finishShape(GridKey at, AppState& state) {
    if (!state.stroke.shapeStart) return;
    const GridKey start = *state.stroke.shapeStart;
    const int width = std::abs(at.col - start.col) + 1;
    const int height = std::abs(at.row - start.row) + 1;
    const std::string size = std::to_string(width) + "×" + std::to_string(height);
    if (state.tools.tool == Tool::select) {
        state.selection = CellRect{std::min(start.row, at.row), std::min(start.col, at.col), std::max(start.row, at.row),
                                   std::max(start.col, at.col)};
        state.statusNote = size + " selected — Paste places a copy";
    } else {
        // What the user saw is what lands, random picks included, unless the pointer moved on.
        const bool previewIsCurrent = state.stroke.lastShapeDrag == at && !state.stroke.previewOverlay.empty();
        const auto cells = previewIsCurrent ? state.stroke.previewOverlay : computeShape(start, at, state);
        if (!cells.empty() && activeLayer(state) && beginToolEdit(state)) {
            for (const auto& [key, cell] : cells) setActiveCell(state, key, cell);
            state.statusNote = utf8::asciiLowercase(rawValue(state.tools.tool)) + " " + size;
        }
    }
    endStroke(state);
}

}  // namespace glyphloom
