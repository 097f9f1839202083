#include "tui/tools/pen_tool.hpp"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

#include "core/draw/smart_pen.hpp"
#include "core/draw/stroke.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {

namespace {

struct Neighbour {
    std::uint8_t direction;
    int dRow;
    int dCol;
};

constexpr std::array<Neighbour, 4> neighbours{{
    {ConnectionSet::up, -1, 0},
    {ConnectionSet::down, 1, 0},
    {ConnectionSet::left, 0, -1},
    {ConnectionSet::right, 0, 1},
}};

std::uint8_t directionTowards(GridKey from, GridKey to) {
    if (to.row < from.row) return ConnectionSet::up;
    if (to.row > from.row) return ConnectionSet::down;
    return to.col < from.col ? ConnectionSet::left : ConnectionSet::right;
}

// The stroke's own connections plus those joining pre-stroke art on a free side.
ConnectionSet joinedConnections(GridKey cell, ConnectionSet own, const AppState& state) {
    ConnectionSet all = own;
    for (const Neighbour& n : neighbours) {
        const GridKey next{cell.row + n.dRow, cell.col + n.dCol};
        if (!state.doc.contains(next) || state.stroke.penConns.contains(next)) continue;
        const ANSICell* existing = activeCellAt(state, next);
        if (existing && connectionsForChar(existing->character.str()).contains(oppositeDirection(n.direction)))
            all.insert(n.direction);
    }
    return all;
}

std::string glyphFor(GridKey cell, ConnectionSet connections, const AppState& state) {
    if (state.tools.penLineStyle == LineStyle::none) {
        const auto chosen = state.stroke.penChars.find(cell);
        return chosen != state.stroke.penChars.end() ? chosen->second : state.tools.penChar;
    }
    return charForConnections(connections, state.tools.penLineStyle).value_or(" ");
}

}  // namespace

void penAddCell(GridKey at, AppState& state, RandomSource& random) {
    if (!state.doc.contains(at)) return;
    if (!state.stroke.penColors.contains(at)) {
        state.stroke.penColors[at] = CellColors{activeFg(state, random), activeBg(state, random)};
        if (state.tools.penLineStyle == LineStyle::none)
            state.stroke.penChars[at] = activeCharOpt(state, random).value_or(state.tools.penChar);
        advanceCycle(state);
        ++state.stroke.strokeCellCount;
    }
    if (!state.stroke.lastPaint) {
        state.stroke.penConns.try_emplace(at);
    } else if (*state.stroke.lastPaint != at) {
        const GridKey previous = *state.stroke.lastPaint;
        const std::uint8_t direction = directionTowards(previous, at);
        state.stroke.penConns[previous].insert(direction);
        state.stroke.penConns[at].insert(oppositeDirection(direction));
    }
    state.stroke.lastPaint = at;
}

void renderPenStroke(AppState& state) {
    // Put back what the previous redraw covered, so joins and stale copies come from the
    // canvas as it was before the stroke.
    for (const auto& [key, original] : state.stroke.penOriginals) setActiveCell(state, key, original);

    std::vector<std::pair<GridKey, ConnectionSet>> cells;
    cells.reserve(state.stroke.penConns.size());
    for (const auto& [key, own] : state.stroke.penConns) cells.emplace_back(key, joinedConnections(key, own, state));
    const std::vector<PenWrite> writes = penStrokeWrites(
        std::move(cells), state.tools.lineThickness, state.tools.symmetryMode, state.doc.rows, state.doc.cols);
    for (const PenWrite& w : writes) {
        if (!state.doc.contains(w.at)) continue;
        const ANSICell* existing = activeCellAt(state, w.at);
        if (!existing) continue;
        state.stroke.penOriginals.try_emplace(w.at, *existing);
        const auto colors = state.stroke.penColors.find(w.source);
        ANSICell cell;
        cell.character = glyphFor(w.source, w.connections, state);
        cell.foreground = colors != state.stroke.penColors.end() ? colors->second.foreground : state.tools.fg;
        cell.background = colors != state.stroke.penColors.end() ? colors->second.background : state.tools.penBg;
        cell.blink = false;
        setActiveCell(state, w.at, cell);
    }
}

void penStroke(GridKey at, AppState& state, RandomSource& random) {
    for (const GridKey p : strokePath(state.stroke.lastPaint, at)) penAddCell(p, state, random);
    renderPenStroke(state);
}

}  // namespace glyphloom
