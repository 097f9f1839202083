#include "tui/chrome.hpp"

#include <algorithm>

namespace glyphloom {

Layout Chrome::compose(AppState& state, Screen& screen) {
    Layout layout;
    layout.rows = screen.rows();
    layout.cols = screen.cols();
    screen.clear(ANSICell::blank());

    // The canvas fills the screen above the status line, clipped to the document.
    const int statusRow = screen.rows() - 1;
    layout.canvasRows = std::clamp(AppState::docRows, 0, std::max(statusRow, 0));
    layout.canvasCols = std::clamp(AppState::docCols, 0, screen.cols());
    const CellGrid canvas = state.composited();
    for (int r = 0; r < layout.canvasRows; ++r) {
        const int length = std::min(canvas.rowLength(r), layout.canvasCols);
        for (int c = 0; c < length; ++c) screen.put(canvas.row(r)[static_cast<std::size_t>(c)], r, c);
    }

    if (statusRow >= 0) {
        const auto fg = ANSIColorValue::ansi16(0);
        const auto bg = ANSIColorValue::ansi16(7);
        screen.fillRow(statusRow, fg, bg);
        screen.putText(" " + state.filename + "  " + state.statusNote.value_or(""), statusRow, 0, fg, bg);
        const std::string hint = "Ctrl-C quits ";
        screen.putText(hint, statusRow, screen.cols() - static_cast<int>(hint.size()), fg, bg);
    }
    return layout;
}

}  // namespace glyphloom
