// Sets the process-wide canvas size for one test and puts the default back afterwards, so
// layout tests pass in any order.
#pragma once

#include "tui/state/app_state.hpp"

namespace glyphloom {

struct CanvasSizeScope {
    CanvasSizeScope(int cols, int rows) {
        state.doc.cols = cols;
        state.doc.rows = rows;
    }
    ~CanvasSizeScope() {
        state.doc.cols = AppState::defaultDocCols;
        state.doc.rows = AppState::defaultDocRows;
    }
    CanvasSizeScope(const CanvasSizeScope&) = delete;
    CanvasSizeScope& operator=(const CanvasSizeScope&) = delete;
};

}  // namespace glyphloom
