// Composited canvas rows kept between frames. A row is recomputed only when the rows that
// make it up changed: the cache holds on to each source row's storage, which makes a grid
// copy that row before writing to it, so the same storage always means the same cells.
// Rows are computed on demand, so only the rows a frame shows cost anything.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "core/model/layer.hpp"

namespace glyphloom {

class CompositeCache {
public:
    // Canvas row `row` of the stack, `columns` cells wide: exactly the row compositeLayers
    // would give.
    const CellGrid::Row& row(const std::vector<Layer>& layers, int row, int columns);

    // True when every cell of canvas row `row`, as row() last gave it, is one column wide and
    // free of controls: a screen can take the row as it is. False for a row not computed.
    bool plain(int row) const {
        return row >= 0 && static_cast<std::size_t>(row) < entries_.size() && entries_[static_cast<std::size_t>(row)].plain;
    }

    // Drops every row outside [firstRow, firstRow + count), so that scrolling through a tall
    // document does not keep a copy of all of it.
    void retain(int firstRow, int count);

    // How many rows have been computed rather than reused (for tests and benchmarks).
    std::size_t rowsComputed() const { return rowsComputed_; }

private:
    struct Source {
        std::shared_ptr<const CellGrid::Row> cells;
        int colOffset = 0;
    };
    struct Entry {
        bool valid = false;
        bool plain = false;
        std::vector<Source> sources;  // visible layers with a row here, top first
        CellGrid::Row cells;
    };

    static bool upToDate(const Entry& entry, const std::vector<Layer>& layers, int row, int columns);

    std::vector<Entry> entries_;
    std::size_t rowsComputed_ = 0;
};

}  // namespace glyphloom
