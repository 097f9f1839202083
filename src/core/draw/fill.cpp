#include "core/draw/fill.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace glyphloom {

std::vector<GridKey> floodFillCells(const CellGrid& doc, int row, int col) {
    std::vector<GridKey> region;
    const ANSICell* seedCell = doc.cellAt(row, col);
    if (!seedCell) return region;
    const ANSICell seed = *seedCell;

    const int rows = doc.rowCount();
    std::vector<const CellGrid::Row*> gridRows(static_cast<std::size_t>(rows));
    int columns = 0;
    for (int r = 0; r < rows; ++r) {
        gridRows[static_cast<std::size_t>(r)] = &doc.row(r);
        columns = std::max(columns, doc.rowLength(r));
    }
    std::vector<std::uint8_t> visited(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), 0);

    // An explicit stack: a recursive fill of a large canvas would overflow the call stack.
    std::vector<GridKey> stack{{row, col}};
    while (!stack.empty()) {
        const GridKey at = stack.back();
        stack.pop_back();
        if (at.row < 0 || at.row >= rows || at.col < 0) continue;
        const CellGrid::Row& cells = *gridRows[static_cast<std::size_t>(at.row)];
        if (at.col >= static_cast<int>(cells.size())) continue;
        const std::size_t index = static_cast<std::size_t>(at.row) * static_cast<std::size_t>(columns) +
                                  static_cast<std::size_t>(at.col);
        if (visited[index]) continue;
        visited[index] = 1;
        if (!(cells[static_cast<std::size_t>(at.col)] == seed)) continue;
        region.push_back(at);
        stack.push_back({at.row - 1, at.col});
        stack.push_back({at.row + 1, at.col});
        stack.push_back({at.row, at.col - 1});
        stack.push_back({at.row, at.col + 1});
    }
    return region;
}

std::vector<ANSICell> gradientCells(const std::vector<GridKey>& toFill, GradientDirection direction,
                                    ANSIColorValue from, ANSIColorValue to, double cellAspect) {
    std::vector<ANSICell> cells;
    if (toFill.empty()) return cells;
    int minRow = toFill.front().row, maxRow = minRow;
    int minCol = toFill.front().col, maxCol = minCol;
    for (const GridKey& key : toFill) {
        minRow = std::min(minRow, key.row);
        maxRow = std::max(maxRow, key.row);
        minCol = std::min(minCol, key.col);
        maxCol = std::max(maxCol, key.col);
    }
    const double cy = (minRow + maxRow) / 2.0;
    const double cx = (minCol + maxCol) / 2.0;
    const double halfHeight = (maxRow - minRow) / 2.0 * cellAspect;
    const double halfWidth = (maxCol - minCol) / 2.0;
    const double radius = std::sqrt(halfHeight * halfHeight + halfWidth * halfWidth);

    cells.reserve(toFill.size());
    for (const GridKey& key : toFill) {
        double t = 0;
        switch (direction) {
            case GradientDirection::horizontal:
                if (maxCol != minCol) t = static_cast<double>(key.col - minCol) / (maxCol - minCol);
                break;
            case GradientDirection::vertical:
                if (maxRow != minRow) t = static_cast<double>(key.row - minRow) / (maxRow - minRow);
                break;
            case GradientDirection::radial:
                if (radius > 0) {
                    const double dx = key.col - cx;
                    const double dy = (key.row - cy) * cellAspect;
                    t = std::min(1.0, std::sqrt(dx * dx + dy * dy) / radius);
                }
                break;
        }
        cells.push_back(ditherCell(t, from, to));
    }
    return cells;
}

ANSICell ditherCell(double t, ANSIColorValue from, ANSIColorValue to) {
    // Five steps whatever the colour depth: solid, three shades of `from` over `to`, solid.
    const double scaled = std::trunc(5.0 * t);
    const int level = std::isnan(scaled) ? 0 : static_cast<int>(std::clamp(scaled, 0.0, 4.0));
    ANSICell cell;
    switch (level) {
        case 0: cell.character = "█"; cell.foreground = from; cell.background = from; break;
        case 1: cell.character = "▓"; cell.foreground = from; cell.background = to; break;
        case 2: cell.character = "▒"; cell.foreground = from; cell.background = to; break;
        case 3: cell.character = "░"; cell.foreground = from; cell.background = to; break;
        default: cell.character = "█"; cell.foreground = to; cell.background = to; break;
    }
    cell.blink = false;
    return cell;
}

namespace {

// One channel of the interior fill. An empty pool cannot be cycled or drawn from: the
// channel then takes `fallback` instead of dividing by zero.
template <typename T>
T fillChannel(FillChannelMode mode, const T& solid, const std::vector<T>& pool, int k, const T& existing,
              const T& fallback, RandomSource& random) {
    switch (mode) {
        case FillChannelMode::null:
            return existing;
        case FillChannelMode::solid:
            return solid;
        case FillChannelMode::cycle: {
            if (pool.empty()) return fallback;
            const long long n = static_cast<long long>(pool.size());
            return pool[static_cast<std::size_t>(((static_cast<long long>(k) % n) + n) % n)];
        }
        case FillChannelMode::random:
            if (pool.empty()) return fallback;
            return pool[static_cast<std::size_t>(random.uniformInt(0, static_cast<int>(pool.size()) - 1))];
    }
    return solid;
}

}  // namespace

ANSICell shapeFillCell(const ShapeFillStyle& style, int k, const ANSICell& existing,
                       const ShapeFillFallback& fallback, RandomSource& random) {
    ANSICell cell;  // drawing clears blink, as every stamp does
    const std::string existingChar = existing.character.str();
    cell.character = fillChannel(style.charMode, style.character, style.charPool, k, existingChar, style.character,
                                 random);
    cell.foreground =
        fillChannel(style.fgMode, style.fg, style.fgPool, k, existing.foreground, fallback.fg, random);
    cell.background =
        fillChannel(style.bgMode, style.bg, style.bgPool, k, existing.background, fallback.bg, random);
    return cell;
}

}  // namespace glyphloom
