#include "tui/tools/selection_tool.hpp"

#include <algorithm>

#include "core/draw/paste_text.hpp"
#include "core/io/system_clipboard.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {
namespace {

// The selection with its corners ordered and clamped into the document.
std::optional<CellRect> effectiveRect(const AppState& state) {
    if (!state.selection) return std::nullopt;
    const CellRect s = *state.selection;
    const int lastRow = std::max(state.doc.rows - 1, 0);
    const int lastCol = std::max(state.doc.cols - 1, 0);
    return CellRect{std::clamp(std::min(s.r1, s.r2), 0, lastRow), std::clamp(std::min(s.c1, s.c2), 0, lastCol),
                    std::clamp(std::max(s.r1, s.r2), 0, lastRow), std::clamp(std::max(s.c1, s.c2), 0, lastCol)};
}

std::string sizeText(const CellRect& r) {
    return std::to_string(r.c2 - r.c1 + 1) + "×" + std::to_string(r.r2 - r.r1 + 1);
}

CellGrid copyRect(const AppState& state, const CellRect& r) {
    CellGrid clip;
    for (int row = r.r1; row <= r.r2; ++row) {
        CellGrid::Row cells;
        cells.reserve(static_cast<std::size_t>(r.c2 - r.c1 + 1));
        for (int col = r.c1; col <= r.c2; ++col) {
            const ANSICell* cell = activeCellAt(state, GridKey{row, col});
            cells.push_back(cell ? *cell : ANSICell::blank());
        }
        clip.appendRow(std::move(cells));
    }
    return clip;
}

bool fillRect(AppState& state, const CellRect& r) {
    if (!beginToolEdit(state)) return false;
    // The fill starts the cycles as a stroke would, and leaves any gesture in flight alone.
    restartCyclesForStroke(state);
    const int count = (r.r2 - r.r1 + 1) * (r.c2 - r.c1 + 1);
    const std::vector<CycleFrame> frames = simulatedCycleFrames(count, state);
    std::size_t k = 0;
    for (int row = r.r1; row <= r.r2; ++row) {
        for (int col = r.c1; col <= r.c2; ++col, ++k) {
            const GridKey at{row, col};
            const ANSICell* existing = activeCellAt(state, at);
            if (!existing) continue;
            ANSICell cell = *existing;
            const CycleFrame& frame = frames[k];
            if (frame.character) cell.character = *frame.character;
            if (frame.fg) cell.foreground = *frame.fg;
            if (frame.bg) cell.background = *frame.bg;
            cell.blink = false;
            setActiveCell(state, at, cell);
        }
    }
    for (int i = 0; i < count; ++i) advanceCycle(state);
    return true;
}

void pasteText(AppState& state, const ClipboardReader& readClipboard) {
    const std::optional<std::string> text = readClipboard ? readClipboard() : std::nullopt;
    if (!text || text->empty()) {
        state.statusNote = "system clipboard is empty";
        return;
    }
    TextRegion region{std::clamp(state.cursor.row, 0, std::max(state.doc.rows - 1, 0)),
                      std::clamp(state.cursor.col, 0, std::max(state.doc.cols - 1, 0)), state.doc.rows - 1,
                      state.doc.cols - 1};
    if (const auto r = effectiveRect(state)) region = TextRegion{r->r1, r->c1, r->r2, r->c2};
    if (!beginToolEdit(state)) return;
    int written = 0;
    for (const PlacedCharacter& placed : pasteTextPlacements(*text, region)) {
        if (setActiveCell(state, placed.at,
                          ANSICell{CellChar(placed.character), state.tools.fg, state.tools.penBg, false}))
            ++written;
    }
    state.statusNote = written > 0 ? "pasted " + std::to_string(written) + " chars from clipboard"
                                   : "clipboard had nothing stampable";
}

}  // namespace

void performSelectAction(SelectAction action, AppState& state) {
    performSelectAction(action, state, [] { return readSystemClipboard(); });
}

void performSelectAction(SelectAction action, AppState& state, const ClipboardReader& readClipboard) {
    switch (action) {
        case SelectAction::copy:
        case SelectAction::cut:
        case SelectAction::fill: {
            const auto rect = effectiveRect(state);
            if (!rect) {
                state.statusNote = "drag a selection first";
                return;
            }
            if (action == SelectAction::fill) {
                if (fillRect(state, *rect)) state.statusNote = "filled " + sizeText(*rect);
                return;
            }
            if (action == SelectAction::cut && !beginToolEdit(state)) return;
            state.clipboard = copyRect(state, *rect);
            if (action == SelectAction::copy) {
                state.statusNote = "copied " + sizeText(*rect);
                return;
            }
            for (int row = rect->r1; row <= rect->r2; ++row)
                for (int col = rect->c1; col <= rect->c2; ++col)
                    setActiveCell(state, GridKey{row, col}, ANSICell::blank());
            state.statusNote = "cut " + sizeText(*rect);
            return;
        }
        case SelectAction::paste:
            if (!state.clipboard) {
                state.statusNote = "nothing copied yet";
                return;
            }
            state.pasteFloat = true;
            state.stroke.previewOverlay = floatPreviewOverlay(state.doc, *state.clipboard, state.cursor);
            state.statusNote = "Space or click to place · arrows move · Esc cancels";
            return;
        case SelectAction::text: return pasteText(state, readClipboard);
    }
}

void performSelectAction(const std::string& action, AppState& state) {
    for (const SelectAction a :
         {SelectAction::copy, SelectAction::cut, SelectAction::fill, SelectAction::paste, SelectAction::text}) {
        if (selectActionLabel(a) == action) return performSelectAction(a, state);
    }
}

void stampClipboard(const CellGrid& clip, GridKey at, AppState& state) {
    for (int r = 0; r < clip.rowCount(); ++r) {
        const CellGrid::Row& row = clip.row(r);
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            const GridKey to{at.row + r, at.col + c};
            if (state.doc.contains(to)) setActiveCell(state, to, row[static_cast<std::size_t>(c)]);
        }
    }
    state.statusNote = "pasted (^V floats it again)";
}

std::unordered_map<GridKey, ANSICell> floatPreviewOverlay(const Document& doc, const CellGrid& clip, GridKey at) {
    std::unordered_map<GridKey, ANSICell> overlay;
    for (int r = 0; r < clip.rowCount(); ++r) {
        const CellGrid::Row& row = clip.row(r);
        for (int c = 0; c < static_cast<int>(row.size()); ++c) {
            const GridKey to{at.row + r, at.col + c};
            if (doc.contains(to)) overlay[to] = row[static_cast<std::size_t>(c)];
        }
    }
    return overlay;
}

void placeFloatingPaste(GridKey at, AppState& state) {
    if (state.clipboard && beginToolEdit(state)) stampClipboard(*state.clipboard, at, state);
    state.pasteFloat = false;
    state.stroke.previewOverlay.clear();
}

void blinkSelection(AppState& state) {
    if (!state.selection) {
        state.statusNote = "select something first";
        return;
    }
    if (!beginToolEdit(state)) return;
    if (!state.doc.blinkingText) {
        state.doc.blinkingText = true;
        if (state.tools.penBg.isANSI16() && state.tools.penBg.n >= 8)
            state.tools.penBg = ANSIColorValue::ansi16(state.tools.penBg.n - 8);
    }
    int flipped = 0;
    const CellRect rect = *state.selection;
    for (int r = std::min(rect.r1, rect.r2); r <= std::max(rect.r1, rect.r2); ++r) {
        for (int c = std::min(rect.c1, rect.c2); c <= std::max(rect.c1, rect.c2); ++c) {
            const ANSICell* cell = activeCellAt(state, GridKey{r, c});
            if (cell == nullptr) continue;
            ANSICell flippedCell = *cell;
            flippedCell.blink = !flippedCell.blink;
            if (setActiveCell(state, GridKey{r, c}, flippedCell)) ++flipped;
        }
    }
    state.statusNote = "blink on " + std::to_string(flipped) + " cell" + (flipped == 1 ? "" : "s") + " — backgrounds now 8";
}

}  // namespace glyphloom
