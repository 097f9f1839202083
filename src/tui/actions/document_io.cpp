#include "tui/actions/document_io.hpp"

#include "core/color/color_depth.hpp"

namespace glyphloom {

void loadDocument(const std::string&, AppState&) { }
void saveDocument(AppState&) { }
void exportDocumentPNG(AppState&) { }

void conformDocument(AppState& state) {
    const int count = outOfSpecCount(state.layers, state.colorDepth, state.blinkingText);
    if (count == 0) {
        state.statusNote = "already in spec";
        return;
    }
    state.snapshotForUndo();
    for (Layer& layer : state.layers) {
        for (int r = 0; r < layer.cells.rowCount(); ++r) {
            const CellGrid::Row& row = layer.cells.row(r);
            for (int c = 0; c < static_cast<int>(row.size()); ++c) {
                const ANSICell conformed = conformCell(row[static_cast<std::size_t>(c)], state.colorDepth, state.blinkingText);
                layer.cells.set(r, c, conformed);  // unshares the row only when something changes
            }
        }
    }
    state.statusNote = "conformed " + std::to_string(count) + " cells — undo to restore";
}

}  // namespace glyphloom
