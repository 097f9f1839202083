// The sidebar: the tool strip (or, in the small size class, the open tool panel), the current
// tool's option rows, the preview box and the mirror label at its foot.
#include <algorithm>

#include "tui/layout/chrome.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "tui/state/panel_rows.hpp"
#include "tui/state/symmetry_label.hpp"

namespace glyphloom::chrome {
namespace {

constexpr int previewBoxRows = 7;
// Enough for the tool list and the longest set of options.
constexpr int sidebarColumnRows = 96;

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
    layout.mirrorSpan =
        putSpan(screen, padded(symmetryLabel(state.tools.symmetryMode), width), mirrorRow, 0, toolName, sidebarBg);

    const int height = std::min(previewBoxRows, mirrorRow - freeFrom);
    if (height < 3) return mirrorRow;
    const int top = mirrorRow - height;
    const Frame frame{top, 0, width, height};
    drawBox(screen, frame, "", separator, sidebarBg);
    const bool hovering = state.preview.presetHoverIndex.has_value() && state.preview.presetHoverCells.has_value();
    const std::string mark = hovering ? " ▸" : (state.preview.previewScratchDoc.has_value() ? " ↺" : "");
    // The longest form of the title that fits the box; the narrow sidebar says what the mark
    // means instead of cutting the word.
    std::string title = hovering ? "▸preset" : state.preview.previewScratchDoc.has_value() ? "↺ reset" : "Preview";
    for (std::string candidate : {" Preview" + mark, "Preview" + mark}) {
        if (textWidth(candidate) <= width - 2) {
            title = candidate;
            break;
        }
    }
    layout.previewTitleSpan = putSpan(screen, fitText(title, width - 2), top, 1, toolName, sidebarBg);
    layout.previewFrame = std::make_pair(top, 0);

    const CellGrid& cells = hovering ? *state.preview.presetHoverCells
                                     : (state.preview.previewScratchDoc ? *state.preview.previewScratchDoc : state.preview.toolPreviewCells);
    for (int r = 0; r < height - 2; ++r) {
        for (int c = 0; c < width - 2; ++c) {
            if (const ANSICell* cell = cells.cellAt(r, c)) screen.put(*cell, top + 1 + r, 1 + c);
        }
    }
    return top;
}

// The tool strip (or the small class's tool panel) and the current tool's options, drawn as
// one column from row 0 of `column`; returns the rows used and where the options begin.
std::pair<int, int> drawSidebarColumn(const AppState& state, Screen& column, Layout& layout) {
    const int width = layout.sidebarWidth;
    const int bottom = column.rows();
    for (int r = 0; r < bottom; ++r) column.fillRow(r, clearedFg, sidebarBg);  // the column is the sidebar's width

    if (layout.sizeClass == Layout::SizeClass::small && state.toolPanelOpen) {
        const std::string title = "◂ " + std::string(rawValue(state.tools.tool));
        const Span span = putSpan(column, padded(title, width), 0, 0, accent, currentToolBg);
        layout.toolSpans.push_back({span, state.tools.tool});
        return {drawSidebarToolPanel(state, column, layout, 1, bottom), 0};
    }

    int row = 0;
    for (const auto& [tool, name] : EnumStrings<Tool>::table) {
        const bool current = tool == state.tools.tool;
        putSpan(column, " " + padded(name, width - 1), row, 0, current ? accent : toolName,
                current ? currentToolBg : sidebarBg);
        if (toolHasPanelItems(tool))
            column.put({CellChar(">"), accent, current ? currentToolBg : sidebarBg, false}, row, width - 1);
        layout.toolSpans.push_back({{row, 0, width}, tool});
        ++row;
    }
    return {drawToolOptions(state, column, layout, row, bottom), row + 1};
}

// The ▲ or ▼ row of a scrolling sidebar, lit while there is more that way.
Span drawScrollMark(Screen& screen, const char* glyph, bool more, int row, int width) {
    std::string text = padded("", (width - 1) / 2) + glyph;
    text = padded(text, width);
    return putSpan(screen, text, row, 0, more ? accent : separator, sidebarBg);
}

}  // namespace

// The sidebar's tools and options are drawn as one column apart and shown through a window
// the height of the sidebar: everything of the current tool is there at any terminal size, a
// ▲ / ▼ page away at most. The mirror label (and, when there is room, the preview box) stay
// at the foot.
void drawSidebar(const AppState& state, Screen& screen, Layout& layout) {
    const int top = layout.sidebarTop();
    const int bottom = layout.sidebarBottom();
    const int width = layout.sidebarWidth;
    for (int r = top; r < bottom; ++r)
        for (int c = 0; c < width; ++c) screen.put({CellChar(), clearedFg, sidebarBg, false}, r, c);
    if (bottom - top < 3) return;

    Screen column(Screen::Sink([](std::string_view) {}), false);
    column.resize(sidebarColumnRows, width);
    Layout drawn;
    drawn.termRows = layout.termRows;
    drawn.termCols = layout.termCols;
    drawn.sizeClass = layout.sizeClass;
    drawn.sidebarWidth = width;
    const auto [contentRows, optionsRow] = drawSidebarColumn(state, column, drawn);

    // Rows above the mirror label. The preview box gives way to options that would then fit
    // whole; beside a column that scrolls anyway it stays where the tool list still fits.
    const int toolRows = static_cast<int>(EnumStrings<Tool>::table.size());
    int window = bottom - 1 - top;
    const bool scrolling = contentRows > window;
    const bool previewFits = contentRows <= window - previewBoxRows ||
                             (scrolling && window - previewBoxRows >= toolRows + 2);
    if (scrolling && previewFits) window -= previewBoxRows;
    const int page = scrolling ? window - 2 : window;
    const int first = scrolling ? top + 1 : top;
    layout.sidebarPage = std::max(page, 1);
    layout.sidebarMaxScroll = scrolling ? contentRows - page : 0;
    layout.sidebarScroll = std::clamp(state.sidebarScroll, 0, layout.sidebarMaxScroll);
    layout.sidebarOptionsRow = optionsRow;

    const int shown = std::min(page, contentRows - layout.sidebarScroll);
    for (int r = 0; r < shown; ++r) {
        const int from = layout.sidebarScroll + r;
        for (int c = 0; c < width; ++c)
            if (!column.isContinuation(from, c)) screen.put(column.at(from, c), first + r, c);
    }
    appendMovedRegions(layout, drawn, first - layout.sidebarScroll, first, first + shown);
    if (scrolling) {
        layout.sidebarUpSpan = drawScrollMark(screen, "▲", layout.sidebarScroll > 0, top, width);
        layout.sidebarDownSpan =
            drawScrollMark(screen, "▼", layout.sidebarScroll < layout.sidebarMaxScroll, top + window - 1, width);
    }
    drawSidebarFoot(state, screen, layout, previewFits ? top + std::min(contentRows, window) : bottom - 1);
}

}  // namespace glyphloom::chrome
