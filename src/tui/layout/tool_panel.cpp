// The current tool's option panel — floating beside the sidebar, or in the small size class
// in place of the tool list — and the fades panel, both made of panel items.
#include <algorithm>

#include "tui/layout/panel_items.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {

// Inner width that fits every item and the title, with a column of margin on each side.
int panelWidth(const std::vector<PanelItem>& items, std::string_view title) {
    int width = textWidth(title) + 2;
    for (const PanelItem& item : items) width = std::max(width, panelItemWidth(item));
    return width;
}

int panelRows(const std::vector<PanelItem>& items, int width) {
    int rows = 0;
    for (const PanelItem& item : items) rows += panelItemRows(item, width);
    return rows;
}

// A framed panel of items with its title; returns the frame it used. When the items do not
// fit above `lowestBottom` they are split over two columns.
Frame drawItemsBox(const std::vector<PanelItem>& items, std::string_view title, const AppState& state,
                   Screen& screen, Layout& layout, int preferredTop, int left, int lowestBottom) {
    const int inner = panelWidth(items, title);
    const int rows = panelRows(items, inner);
    std::size_t split = items.size();
    if (rows + 2 > lowestBottom - 1 && items.size() > 1) {
        // First item index whose rows would pass half of the total.
        int used = 0;
        split = 0;
        while (split < items.size() && used + panelItemRows(items[split], inner) <= (rows + 1) / 2)
            used += panelItemRows(items[split++], inner);
        split = std::max<std::size_t>(split, 1);
    }
    const std::vector<PanelItem> first(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(split));
    const std::vector<PanelItem> second(items.begin() + static_cast<std::ptrdiff_t>(split), items.end());
    const int columns = second.empty() ? 1 : 2;
    const int width = columns * (inner + 1) + 3;
    const int wanted = std::max(panelRows(first, inner), panelRows(second, inner)) + 2;
    const int top = std::max(1, std::min(preferredTop, lowestBottom - wanted));
    const int height = std::max(2, std::min(wanted, lowestBottom - top));
    const Frame frame{top, left, width, height};
    drawBox(screen, frame, "", separator, sidebarBg);
    screen.putText(fitText(title, width - 2), top, left + 1, accent, currentToolBg);
    drawPanelItems(first, state, screen, layout, top + 1, left + 2, inner, top + height - 1, sidebarBg);
    if (!second.empty())
        drawPanelItems(second, state, screen, layout, top + 1, left + 3 + inner, inner, top + height - 1, sidebarBg);
    return frame;
}

}  // namespace

bool toolHasPanelItems(Tool tool) { return glyphloom::toolHasPanelItems(tool); }

int drawSidebarToolPanel(const AppState& state, Screen& screen, Layout& layout, int top, int bottom) {
    return drawPanelItems(panelItems(state), state, screen, layout, top, 0, layout.sidebarWidth, bottom, sidebarBg);
}

void drawFloatingToolPanel(const AppState& state, Screen& screen, Layout& layout) {
    const auto items = panelItems(state);
    if (items.empty()) return;
    // Beside the tool's own row in the strip, kept above the bottom rows.
    int toolRow = layout.sidebarTop();
    for (const auto& region : layout.toolSpans)
        if (region.value == state.tools.tool) toolRow = region.span.row;
    const std::string title = " " + std::string(rawValue(state.tools.tool)) + " ";
    layout.toolPanelFrame =
        drawItemsBox(items, title, state, screen, layout, toolRow, layout.sidebarWidth, layout.sidebarBottom());
}

void drawFadesPanel(const AppState& state, Screen& screen, Layout& layout) {
    // Rises from the colour row, where its button is.
    const int bottom = layout.statusVisible ? layout.statusRow() : layout.colorRow();
    layout.fadesFrame = drawItemsBox(fadesPanelItems(state), " Fades ", state, screen, layout, bottom,
                                     layout.sidebarWidth + 1, bottom);
}

}  // namespace glyphloom::chrome
