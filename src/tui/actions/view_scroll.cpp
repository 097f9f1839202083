#include "tui/actions/view_scroll.hpp"

#include <algorithm>

namespace glyphloom {

void scrollView(int dRows, int dCols, AppState& state, const Layout& layout) {
    // From what the frame showed: a stored offset beyond the range counts as its end.
    state.viewOffset.row = std::clamp(layout.viewRow + dRows, 0, std::max(state.doc.rows - layout.canvasHeight(), 0));
    state.viewOffset.col = std::clamp(layout.viewCol + dCols, 0, std::max(state.doc.cols - layout.canvasWidth(), 0));
}

void pageView(NavKey key, AppState& state, const Layout& layout) {
    const int page = std::max(layout.canvasHeight() - 1, 1);
    switch (key) {
        case NavKey::pageUp: return scrollView(-page, 0, state, layout);
        case NavKey::pageDown: return scrollView(page, 0, state, layout);
        case NavKey::home: return scrollView(-layout.viewRow, 0, state, layout);
        case NavKey::end: return scrollView(state.doc.rows, 0, state, layout);
    }
}

void scrollSidebar(int delta, AppState& state, const Layout& layout) {
    state.sidebarScroll = std::clamp(layout.sidebarScroll + delta, 0, layout.sidebarMaxScroll);
}

void pageSidebar(bool down, AppState& state, const Layout& layout) {
    const int from = layout.sidebarScroll;
    const int options = layout.sidebarOptionsRow;
    int to = from + (down ? layout.sidebarPage : -layout.sidebarPage);
    if (down && options > from && options < to) to = options;
    // Upwards, the tool list comes back whole: it is the one place to change tools.
    if (!down && to < options) to = from > options ? options : 0;
    scrollSidebar(to - from, state, layout);
}

}  // namespace glyphloom
