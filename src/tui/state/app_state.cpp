#include "tui/state/app_state.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "core/io/file_io.hpp"

namespace glyphloom {

StatusLine& StatusLine::operator=(std::optional<std::string> note) {
    if (note) ++serial_;
    if (note && note != note_) {
        history_.push_back(*note);
        if (history_.size() > historyLimit)
            history_.erase(history_.begin(),
                           history_.begin() + static_cast<std::ptrdiff_t>(history_.size() - historyLimit));
    }
    note_ = std::move(note);
    return *this;
}

std::string startDirectory(const std::string& cwd, const char* home) {
    if ((cwd.empty() || cwd == "/") && home != nullptr) return home;
    return cwd;
}

int AppState::undoDepthLimit(std::int64_t cellCount) {
    const std::int64_t n = std::max<std::int64_t>(cellCount, 1);
    if (n <= 400'000) return 50;
    if (n <= 5'000'000) return static_cast<int>(20'000'000 / n);
    return 4;
}

AppState::AppState() : AppState(Document::blank(defaultDocRows, defaultDocCols)) {}

AppState::AppState(Document document)
    : doc(std::move(document)), launchDir_(startDirectory(currentDirectory(), std::getenv("HOME"))) {
    browseDir = launchDir_;
}

UndoSnapshot AppState::currentSnapshot() const { return {doc.layers, doc.sauce, doc.writeSauce}; }

void AppState::snapshotForUndo() {
    undoStack.push_back(currentSnapshot());
    const auto limit = static_cast<std::size_t>(undoDepthLimit(doc.cellCount()));
    if (undoStack.size() > limit)
        undoStack.erase(undoStack.begin(), undoStack.begin() + static_cast<std::ptrdiff_t>(undoStack.size() - limit));
    redoStack.clear();
    dirty = true;
}

void AppState::restore(UndoSnapshot snapshot) {
    doc.layers = std::move(snapshot.layers);
    doc.sauce = std::move(snapshot.sauce);
    doc.writeSauce = snapshot.writeSauce;

    // Never leave the index below 0, even for an empty stack: tools index layers with it.
    activeLayerIndex = std::max(0, std::min(activeLayerIndex, static_cast<int>(doc.layers.size()) - 1));
    doc.rows = doc.layers.empty() ? 0 : doc.layers.front().cells.rowCount();
    doc.cols = doc.layers.empty() ? 0 : doc.layers.front().cells.rowLength(0);
    cursor.row = std::clamp(cursor.row, 0, std::max(doc.rows - 1, 0));
    cursor.col = std::clamp(cursor.col, 0, std::max(doc.cols - 1, 0));

    // Gestures in flight refer to the document as it was; drop them all.
    selection.reset();
    stroke = Stroke{};
    textStampHistory.clear();
    plainStampHistory.clear();
    dirty = true;
}

void AppState::undo() {
    viewOnly = false;
    if (undoStack.empty()) {
        statusNote = "nothing to undo";
        return;
    }
    UndoSnapshot snapshot = std::move(undoStack.back());
    undoStack.pop_back();
    redoStack.push_back(currentSnapshot());
    restore(std::move(snapshot));
    statusNote = "undo";
}

void AppState::redo() {
    if (redoStack.empty()) {
        statusNote = "nothing to redo";
        return;
    }
    UndoSnapshot snapshot = std::move(redoStack.back());
    redoStack.pop_back();
    undoStack.push_back(currentSnapshot());
    restore(std::move(snapshot));
    statusNote = "redo";
}

void AppState::resizeCanvas(int cols, int rows) {
    snapshotForUndo();
    for (Layer& layer : doc.layers) {
        CellGrid resized(rows, cols);
        const int keepRows = std::min(rows, layer.cells.rowCount());
        for (int r = 0; r < keepRows; ++r) {
            const CellGrid::Row& old = layer.cells.row(r);
            const auto keep = static_cast<std::size_t>(std::clamp(static_cast<int>(old.size()), 0, std::max(cols, 0)));
            if (keep == 0) continue;
            CellGrid::Row& target = resized.mutableRow(r);
            std::copy_n(old.begin(), keep, target.begin());
        }
        layer.cells = std::move(resized);
        layer.rowOffset = 0;
        layer.colOffset = 0;
    }
    doc.rows = rows;
    doc.cols = cols;
    cursor.row = std::max(0, std::min(cursor.row, rows - 1));
    cursor.col = std::max(0, std::min(cursor.col, cols - 1));
    viewOffset = {0, 0};
    // A stroke in flight would run on into cells that have moved or gone.
    stroke = Stroke{};
    selection.reset();
    textStampHistory.clear();
    plainStampHistory.clear();
    statusNote = "canvas " + std::to_string(cols) + "×" + std::to_string(rows);
}


}  // namespace glyphloom
