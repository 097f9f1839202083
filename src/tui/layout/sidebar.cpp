// The sidebar: the tool strip (or, in the small size class, the open tool panel), the current
// tool's option rows, the preview box and the mirror label at its foot.
#include <algorithm>

#include "tui/layout/chrome.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "tui/actions/panels.hpp"
#include "tui/actions/toolbar.hpp"

namespace glyphloom::chrome {
namespace {

constexpr int previewBoxRows = 7;

std::string padded(std::string_view text, int width) {
    std::string out = fitText(text, width);
    for (int w = textWidth(out); w < width; ++w) out += ' ';
    return out;
}

// The preview box and the mirror label; returns the first row they use.
int drawSidebarFoot(const AppState& state, Screen& screen, Layout& layout, int freeFrom) {
    const int bottom = layout.sidebarBottom();
    const int width = layout.sidebarWidth;
    const int mirrorRow = bottom - 1;
    if (mirrorRow < freeFrom) return bottom;
    layout.mirrorSpan = putSpan(screen, padded(symmetryLabel(state.symmetryMode), width), mirrorRow, 0, toolName, sidebarBg);

    const int height = std::min(previewBoxRows, mirrorRow - freeFrom);
    if (height < 3) return mirrorRow;
    const int top = mirrorRow - height;
    const Frame frame{top, 0, width, height};
    drawBox(screen, frame, "", separator, sidebarBg);
    const bool hovering = state.presetHoverIndex.has_value() && state.presetHoverCells.has_value();
    const std::string mark = hovering ? " ▸" : (state.previewScratchDoc.has_value() ? " ↺" : "");
    // The longest form of the title that fits the box.
    std::string title = "Prev" + mark;
    for (std::string candidate : {" Preview" + mark, "Preview" + mark}) {
        if (textWidth(candidate) <= width - 2) {
            title = candidate;
            break;
        }
    }
    layout.previewTitleSpan = putSpan(screen, fitText(title, width - 2), top, 1, toolName, sidebarBg);
    layout.previewFrame = std::make_pair(top, 0);

    const CellGrid& cells = hovering ? *state.presetHoverCells
                                     : (state.previewScratchDoc ? *state.previewScratchDoc : state.toolPreviewCells);
    for (int r = 0; r < height - 2; ++r) {
        for (int c = 0; c < width - 2; ++c) {
            if (const ANSICell* cell = cells.cellAt(r, c)) screen.put(*cell, top + 1 + r, 1 + c);
        }
    }
    return top;
}

}  // namespace

void drawSidebar(const AppState& state, Screen& screen, Layout& layout) {
    const int top = layout.sidebarTop();
    const int bottom = layout.sidebarBottom();
    const int width = layout.sidebarWidth;
    for (int r = top; r < bottom; ++r)
        for (int c = 0; c < width; ++c) screen.put({CellChar(), clearedFg, sidebarBg, false}, r, c);

    if (layout.sizeClass == Layout::SizeClass::small && state.toolPanelOpen) {
        const std::string title = "◂ " + std::string(rawValue(state.tool));
        const Span span = putSpan(screen, padded(title, width), top, 0, accent, currentToolBg);
        layout.toolSpans.push_back({span, state.tool});
        drawSidebarToolPanel(state, screen, layout, top + 1, bottom);
        return;
    }

    int row = top;
    for (const auto& [tool, name] : EnumStrings<Tool>::table) {
        if (row >= bottom) break;
        const bool current = tool == state.tool;
        const Span span = putSpan(screen, " " + padded(name, width - 1), row, 0, current ? accent : toolName,
                                  current ? currentToolBg : sidebarBg);
        if (toolHasPanelItems(tool))
            screen.put({CellChar(">"), accent, current ? currentToolBg : sidebarBg, false}, row, width - 1);
        layout.toolSpans.push_back({{row, 0, width}, tool});
        row = span.row + 1;
    }
    // Options get the rows between the list and the preview box, when the box fits below them.
    const int footTop = std::max(row, bottom - 1 - previewBoxRows);
    row = drawToolOptions(state, screen, layout, row, footTop);
    drawSidebarFoot(state, screen, layout, row);
}

}  // namespace glyphloom::chrome
