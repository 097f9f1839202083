// A grid of cells with value semantics: copying a grid copies its shape, and edits never
// show through copies. Rows are shared between copies and copied on first write, so an undo
// snapshot costs a pointer per row and an edit copies only the rows it touches.
// Rows may differ in length (files and layers can be ragged).
#pragma once

#include <cassert>
#include <memory>
#include <vector>

#include "core/model/cell.hpp"

namespace glyphloom {

class CellGrid {
public:
    using Row = std::vector<ANSICell>;

    CellGrid() = default;
    // `rows` rows of `cols` copies of `fill` (negative sizes count as 0). The rows start out
    // sharing one storage, so a fresh blank layer costs one row until it is drawn on.
    CellGrid(int rows, int cols, const ANSICell& fill = ANSICell::blank());
    explicit CellGrid(std::vector<Row> rows);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    // Length of row `r`, 0 outside the grid.
    int rowLength(int r) const;

    // Row `r`, which must exist (checked in debug builds; callers test rowCount first).
    const Row& row(int r) const {
        assert(r >= 0 && r < rowCount() && "CellGrid::row out of range");
        return *rows_[static_cast<std::size_t>(r)];
    }
    // Write access to one existing row; the row is copied first when another grid shares it.
    Row& mutableRow(int r);

    // The cell at (r, c), or nullptr where the (possibly ragged) grid has none.
    const ANSICell* cellAt(int r, int c) const;
    // Stores a cell where the grid has one; returns false (and changes nothing) elsewhere.
    bool set(int r, int c, const ANSICell& cell);

    void appendRow(Row row);
    std::vector<Row> toRows() const;

    // True when both grids hold the very same storage for row `r` (copy-on-write check).
    bool sharesRowWith(const CellGrid& other, int r) const;

    // The storage of row `r` (nullptr outside the grid). Holding it keeps the row from being
    // edited in place: the grid's next write to the row copies it first, so an unchanged
    // pointer means unchanged cells.
    std::shared_ptr<const Row> rowStorage(int r) const;

    friend bool operator==(const CellGrid& a, const CellGrid& b);

private:
    std::vector<std::shared_ptr<Row>> rows_;
};

}  // namespace glyphloom
