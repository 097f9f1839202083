#include "tui/layout/chrome.hpp"

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/color/color_depth.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom {

using namespace chrome;

Layout Chrome::compose(const AppState& state, Screen& screen) {
    Layout layout = layoutGeometry(state, screen.rows(), screen.cols());
    screen.clear({CellChar(), clearedFg, clearedBg, false});
    drawMenuBar(state, screen, layout);
    drawSidebar(state, screen, layout);
    drawCanvas(state, screen, layout);
    drawBottomRows(state, screen, layout);
    drawStatusLine(state, screen, layout);
    drawStatusHistory(state, screen, layout);
    drawColorRow(state, screen, layout);
    drawPresetRow(state, screen, layout);
    drawHoverTexts(state, screen, layout);
    drawOverlays(state, screen, layout);
    drawFontImportProgress(state, screen, layout);

    const bool pointerOnScreen = screen.contains(state.mouse.y, state.mouse.x);
    if (state.cursorVisible) {
        // The cursor lives in document coordinates; show it only where the viewport has it.
        const int y = layout.canvasTop() + state.cursor.row - layout.viewRow;
        const int x = layout.canvasLeft() + state.cursor.col - layout.viewCol;
        const bool inViewport = layout.docCell(x, y).has_value();
        const bool underPointer = pointerOnScreen && x == state.mouse.x && y == state.mouse.y;
        if (inViewport && !underPointer) invert(screen, y, x);
    }
    if (pointerOnScreen) invert(screen, state.mouse.y, state.mouse.x);
    return layout;
}

void Chrome::tvStatic(Screen& screen, RandomSource& random) {
    static const CellChar glyphs[] = {CellChar(" "), CellChar("░"), CellChar("▒"), CellChar("▓"),
                                      CellChar("█"), CellChar("▀"), CellChar("▄")};
    static constexpr ANSIColorValue colors[] = {ANSIColorValue::ansi16(0), ANSIColorValue::ansi16(8),
                                                ANSIColorValue::ansi16(7), ANSIColorValue::ansi16(15),
                                                rgb(60, 60, 60),           rgb(120, 120, 120),
                                                rgb(200, 200, 200)};
    for (int r = 0; r < screen.rows(); ++r) {
        for (int c = 0; c < screen.cols(); ++c) {
            const CellChar glyph = glyphs[random.uniformInt(0, 6)];
            const ANSIColorValue fg = colors[random.uniformInt(0, 6)];
            const ANSIColorValue bg = colors[random.uniformInt(0, 6)];
            screen.put({glyph, fg, bg, false}, r, c);
        }
    }
}

void Chrome::invert(Screen& screen, int row, int col) {
    if (!screen.contains(row, col)) return;
    if (screen.isContinuation(row, col)) --col;  // a wide glyph is inverted whole
    ANSICell cell = screen.at(row, col);
    if (cell.foreground == cell.background) {
        cell = {CellChar("▚"), ANSIColorValue::ansi16(0), ANSIColorValue::ansi16(15), false};
    } else {
        std::swap(cell.foreground, cell.background);
    }
    screen.put(cell, row, col);
}

std::vector<ANSICell> Chrome::presetPreview(const TUIPreset& preset) {
    // Three cells of the preset's own character and colours; cycles show their first steps.
    const CellChar character(preset.character.value_or("█"));
    const ANSIColorValue bg = preset.background.value_or(ANSIColorValue::ansi16(0));
    std::vector<ANSICell> cells;
    for (std::size_t i = 0; i < 3; ++i) {
        ANSIColorValue fg = preset.foreground.value_or(ANSIColorValue::ansi16(15));
        if (preset.foregroundCycle.value_or(false) && preset.fgCycleColors && !preset.fgCycleColors->empty())
            fg = (*preset.fgCycleColors)[i % preset.fgCycleColors->size()];
        cells.push_back({character, fg, bg, false});
    }
    return cells;
}

ANSIColorValue Chrome::titleColor(int index) {
    static constexpr int first[] = {9, 11, 14, 13};
    if (index >= 0 && index < 4) return ANSIColorValue::ansi16(first[index]);
    if (index >= 4 && index <= 8) return ANSIColorValue::ansi16(10);
    return ANSIColorValue::ansi16(7);
}

namespace chrome {
namespace {

const CellChar wideStandIn("▯");

// The free space around a canvas smaller than its area is shaded, so the document's edge shows
// even where its own cells are blank; dark grey on black reads in 16 colours too.
void drawSurround(Screen& screen, const Layout& layout) {
    const ANSICell shade{CellChar("░"), ANSIColorValue::ansi16(8), ANSIColorValue::ansi16(0), false};
    const int top = layout.canvasTop(), bottom = top + layout.canvasHeight();
    const int left = layout.canvasLeft(), right = left + layout.canvasWidth();
    for (int r = layout.contentTop(); r < layout.canvasBottom(); ++r) {
        const bool besideOnly = r >= top && r < bottom;
        for (int c = layout.sidebarWidth; c < layout.termCols; ++c) {
            if (besideOnly && c == left) c = right;
            if (c < layout.termCols) screen.put(shade, r, c);
        }
    }
}

}  // namespace

void drawCanvas(const AppState& state, Screen& screen, const Layout& layout) {
    const bool showSelection = state.tools.tool == Tool::select && state.selection.has_value();
    int r1 = 0, r2 = -1, c1 = 0, c2 = -1;
    if (showSelection) {
        r1 = std::min(state.selection->r1, state.selection->r2);
        r2 = std::max(state.selection->r1, state.selection->r2);
        c1 = std::min(state.selection->c1, state.selection->c2);
        c2 = std::max(state.selection->c1, state.selection->c2);
    }
    const bool mono = state.doc.colorDepth == ColorDepth::mono;
    const bool previewing = !state.stroke.previewOverlay.empty();
    const int top = layout.canvasTop();
    const int left = layout.canvasLeft();
    drawSurround(screen, layout);
    // Rows where the shape preview shows something take the per-cell path below.
    std::vector<std::uint8_t> previewRows;
    if (previewing) {
        previewRows.assign(static_cast<std::size_t>(std::max(layout.canvasHeight(), 0)), 0);
        for (const auto& [key, cell] : state.stroke.previewOverlay) {
            const long long r = static_cast<long long>(key.row) - layout.viewRow;
            if (r >= 0 && r < static_cast<long long>(previewRows.size())) previewRows[static_cast<std::size_t>(r)] = 1;
        }
    }
    // Only the rows in view are composited, and only those whose layers changed since the
    // last frame are composited again.
    state.canvasRows.retain(layout.viewRow, layout.canvasHeight());
    for (int r = 0; r < layout.canvasHeight(); ++r) {
        const int docRow = layout.viewRow + r;
        const bool inDocument = docRow >= 0 && docRow < state.doc.rows;
        const CellGrid::Row* docCells =
            inDocument ? &state.canvasRows.row(state.doc.layers, docRow, state.doc.cols) : nullptr;
        const int rowColumns = docCells ? static_cast<int>(docCells->size()) : 0;
        // A row of art shown as stored goes to the screen as one copy: nothing on it is wide,
        // hides a control, is selected, previewed or tinted.
        const bool asStored = docCells && !mono && (docRow < r1 || docRow > r2) &&
                              (previewRows.empty() || !previewRows[static_cast<std::size_t>(r)]) &&
                              state.canvasRows.plain(docRow) && layout.viewCol >= 0 &&
                              layout.viewCol + layout.canvasWidth() <= rowColumns;
        if (asStored) {
            screen.putPlainCells(std::span(*docCells).subspan(static_cast<std::size_t>(layout.viewCol),
                                                             static_cast<std::size_t>(layout.canvasWidth())),
                                 top + r, left);
            continue;
        }
        for (int c = 0; c < layout.canvasWidth(); ++c) {
            const int docCol = layout.viewCol + c;
            ANSICell cell;
            if (docCells && docCol >= 0 && docCol < rowColumns) cell = (*docCells)[static_cast<std::size_t>(docCol)];
            if (previewing) {
                if (auto overlay = state.stroke.previewOverlay.find(GridKey{docRow, docCol});
                    overlay != state.stroke.previewOverlay.end())
                    cell = overlay->second;
            }
            // A cell is one column on the canvas whatever its character: a glyph the terminal
            // draws two columns wide is shown by a one-column stand-in (the cell keeps it).
            if (cell.character.columns() == 2) cell.character = wideStandIn;
            if (docRow >= r1 && docRow <= r2 && docCol >= c1 && docCol <= c2) {
                if (cell.foreground == cell.background) {
                    cell.foreground = ANSIColorValue::ansi16(15);
                    cell.background = ANSIColorValue::ansi16(4);
                } else {
                    std::swap(cell.foreground, cell.background);
                }
            }
            if (mono) {
                cell.foreground = displayColor(state.doc.monoTint, cell.foreground);
                cell.background = displayColor(state.doc.monoTint, cell.background);
            }
            screen.put(cell, top + r, left + c);
        }
    }
}

}  // namespace chrome
}  // namespace glyphloom
