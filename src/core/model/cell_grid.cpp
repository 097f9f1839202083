#include "core/model/cell_grid.hpp"

#include <algorithm>

namespace glyphloom {

CellGrid::CellGrid(int rows, int cols, const ANSICell& fill) {
    const auto rowCount = static_cast<std::size_t>(std::max(rows, 0));
    const auto colCount = static_cast<std::size_t>(std::max(cols, 0));
    if (rowCount == 0) return;
    rows_.assign(rowCount, std::make_shared<Row>(colCount, fill));
}

CellGrid::CellGrid(std::vector<Row> rows) {
    rows_.reserve(rows.size());
    for (auto& row : rows) rows_.push_back(std::make_shared<Row>(std::move(row)));
}

int CellGrid::rowLength(int r) const {
    if (r < 0 || r >= rowCount()) return 0;
    return static_cast<int>(rows_[static_cast<std::size_t>(r)]->size());
}

CellGrid::Row& CellGrid::mutableRow(int r) {
    assert(r >= 0 && r < rowCount() && "CellGrid::mutableRow out of range");
    auto& slot = rows_[static_cast<std::size_t>(r)];
    // Single-threaded editing: a count of one means no other grid can see this row.
    if (slot.use_count() != 1) slot = std::make_shared<Row>(*slot);
    return *slot;
}

const ANSICell* CellGrid::cellAt(int r, int c) const {
    if (r < 0 || r >= rowCount() || c < 0) return nullptr;
    const Row& cells = *rows_[static_cast<std::size_t>(r)];
    if (c >= static_cast<int>(cells.size())) return nullptr;
    return &cells[static_cast<std::size_t>(c)];
}

bool CellGrid::set(int r, int c, const ANSICell& cell) {
    const ANSICell* existing = cellAt(r, c);
    if (existing == nullptr) return false;
    if (*existing == cell) return true;  // no need to unshare the row
    mutableRow(r)[static_cast<std::size_t>(c)] = cell;
    return true;
}

void CellGrid::appendRow(Row row) { rows_.push_back(std::make_shared<Row>(std::move(row))); }

std::vector<CellGrid::Row> CellGrid::toRows() const {
    std::vector<Row> out;
    out.reserve(rows_.size());
    for (const auto& row : rows_) out.push_back(*row);
    return out;
}

bool CellGrid::sharesRowWith(const CellGrid& other, int r) const {
    if (r < 0 || r >= rowCount() || r >= other.rowCount()) return false;
    return rows_[static_cast<std::size_t>(r)] == other.rows_[static_cast<std::size_t>(r)];
}

std::shared_ptr<const CellGrid::Row> CellGrid::rowStorage(int r) const {
    if (r < 0 || r >= rowCount()) return nullptr;
    return rows_[static_cast<std::size_t>(r)];
}

bool operator==(const CellGrid& a, const CellGrid& b) {
    if (a.rows_.size() != b.rows_.size()) return false;
    for (std::size_t r = 0; r < a.rows_.size(); ++r) {
        if (a.rows_[r] != b.rows_[r] && *a.rows_[r] != *b.rows_[r]) return false;
    }
    return true;
}

}  // namespace glyphloom
