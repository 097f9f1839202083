// Sets the process-wide canvas size for one test and puts the default back afterwards, so
// layout tests pass in any order.
#pragma once

#include "tui/state/app_state.hpp"

namespace glyphloom {

struct CanvasSizeScope {
    CanvasSizeScope(int cols, int rows) {
        AppState::docCols = cols;
        AppState::docRows = rows;
    }
    ~CanvasSizeScope() {
        AppState::docCols = AppState::defaultDocCols;
        AppState::docRows = AppState::defaultDocRows;
    }
    CanvasSizeScope(const CanvasSizeScope&) = delete;
    CanvasSizeScope& operator=(const CanvasSizeScope&) = delete;
};

}  // namespace glyphloom
