#include "core/model/layer.hpp"

#include <algorithm>
#include <climits>

namespace glyphloom {

Layer::Layer(std::string name, CellGrid cells) : id(Uuid::random()), name(std::move(name)), cells(std::move(cells)) {}

namespace {

bool matchesExactly(const Layer& layer, int rows, int columns) {
    if (!layer.visible || layer.rowOffset != 0 || layer.colOffset != 0) return false;
    if (layer.cells.rowCount() != rows) return false;
    for (int r = 0; r < rows; ++r) {
        if (layer.cells.rowLength(r) != columns) return false;
    }
    return true;
}

}  // namespace

void compositeRowInto(const std::vector<Layer>& layers, int row, CellGrid::Row& target) {
    const auto columns = static_cast<long long>(target.size());
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
        if (!layer->visible) continue;
        const long long sourceRowIndex = static_cast<long long>(row) - layer->rowOffset;
        if (sourceRowIndex < 0 || sourceRowIndex >= layer->cells.rowCount()) continue;
        const CellGrid::Row& sourceRow = layer->cells.row(static_cast<int>(sourceRowIndex));
        // Target columns whose source cell exists: c - colOffset in [0, size).
        const long long firstCol = std::max<long long>(0, static_cast<long long>(layer->colOffset));
        const long long endCol =
            std::min<long long>(columns, static_cast<long long>(layer->colOffset) + static_cast<long long>(sourceRow.size()));
        for (long long c = firstCol; c < endCol; ++c) {
            const ANSICell& cell = sourceRow[static_cast<std::size_t>(c - layer->colOffset)];
            if (!isTransparent(cell)) target[static_cast<std::size_t>(c)] = cell;
        }
    }
}

CellGrid compositeLayers(const std::vector<Layer>& layers, int rows, int columns) {
    rows = std::max(rows, 0);
    columns = std::max(columns, 0);
    // A lone full-size layer is its own composite; the copy shares its rows.
    if (layers.size() == 1 && matchesExactly(layers.front(), rows, columns)) return layers.front().cells;

    std::vector<CellGrid::Row> canvas(static_cast<std::size_t>(rows),
                                      CellGrid::Row(static_cast<std::size_t>(columns), ANSICell::blank()));
    for (int r = 0; r < rows; ++r) compositeRowInto(layers, r, canvas[static_cast<std::size_t>(r)]);
    return CellGrid(std::move(canvas));
}

ANSICell compositedCellAt(const std::vector<Layer>& layers, int row, int col) {
    for (const Layer& layer : layers) {
        if (!layer.visible) continue;
        const long long r = static_cast<long long>(row) - layer.rowOffset;
        const long long c = static_cast<long long>(col) - layer.colOffset;
        if (r < 0 || c < 0 || r > INT_MAX || c > INT_MAX) continue;
        const ANSICell* cell = layer.cells.cellAt(static_cast<int>(r), static_cast<int>(c));
        if (cell && !isTransparent(*cell)) return *cell;
    }
    return ANSICell::blank();
}

}  // namespace glyphloom
