#include "core/model/composite_cache.hpp"

#include <algorithm>

namespace glyphloom {
namespace {

// The layer's own row index at canvas row `row`, or -1 when the layer has none there.
int sourceRowIndex(const Layer& layer, int row) {
    const long long r = static_cast<long long>(row) - layer.rowOffset;
    return r >= 0 && r < layer.cells.rowCount() ? static_cast<int>(r) : -1;
}

}  // namespace

bool CompositeCache::upToDate(const Entry& entry, const std::vector<Layer>& layers, int row, int columns) {
    if (!entry.valid || entry.cells.size() != static_cast<std::size_t>(columns)) return false;
    std::size_t k = 0;
    for (const Layer& layer : layers) {
        if (!layer.visible) continue;
        const int r = sourceRowIndex(layer, row);
        if (r < 0) continue;
        if (k == entry.sources.size()) return false;
        const Source& held = entry.sources[k++];
        // The held pointer keeps its storage alive, so its address cannot have been reused.
        if (held.cells.get() != &layer.cells.row(r) || held.colOffset != layer.colOffset) return false;
    }
    return k == entry.sources.size();
}

void CompositeCache::retain(int firstRow, int count) {
    const long long end = static_cast<long long>(firstRow) + count;
    if (end < static_cast<long long>(entries_.size())) entries_.resize(static_cast<std::size_t>(std::max(end, 0LL)));
    for (long long r = 0; r < std::min<long long>(firstRow, static_cast<long long>(entries_.size())); ++r)
        entries_[static_cast<std::size_t>(r)] = Entry{};
}

const CellGrid::Row& CompositeCache::row(const std::vector<Layer>& layers, int row, int columns) {
    static const CellGrid::Row none;
    if (row < 0 || columns <= 0) return none;
    if (entries_.size() <= static_cast<std::size_t>(row)) entries_.resize(static_cast<std::size_t>(row) + 1);
    Entry& entry = entries_[static_cast<std::size_t>(row)];
    if (upToDate(entry, layers, row, columns)) return entry.cells;

    entry.sources.clear();
    for (const Layer& layer : layers) {
        if (!layer.visible) continue;
        const int r = sourceRowIndex(layer, row);
        if (r >= 0) entry.sources.push_back({layer.cells.rowStorage(r), layer.colOffset});
    }
    entry.cells.assign(static_cast<std::size_t>(columns), ANSICell::blank());
    compositeRowInto(layers, row, entry.cells);
    entry.plain = std::all_of(entry.cells.begin(), entry.cells.end(),
                              [](const ANSICell& cell) { return cell.character.plainNarrow(); });
    entry.valid = true;
    ++rowsComputed_;
    return entry.cells;
}

}  // namespace glyphloom
