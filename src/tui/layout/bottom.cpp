// The rows under the canvas: the status line with its hints and pointer position, the status
// history above it, the preset row, and the hover texts that take over the status line.
#include <algorithm>

#include "core/fonts/fkey_banks.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {

constexpr ANSIColorValue statusFg = ANSIColorValue::ansi16(10);
constexpr ANSIColorValue noteFg = ANSIColorValue::ansi16(11);
constexpr ANSIColorValue positionFg = ANSIColorValue::ansi16(7);

std::string spaceHint(const AppState& state) {
    if (state.stroke.kbStroke) return "space lifts pen";
    if (state.stroke.shapeStart) return "space commits";
    switch (state.tools.tool) {
        case Tool::fill: return "space fills";
        case Tool::line:
        case Tool::box:
        case Tool::oval:
        case Tool::select: return "space anchors";
        case Tool::pans: return "space picks";
        case Tool::text: return {};
        default: return "space draws";
    }
}

}  // namespace

void showStatusHover(Screen& screen, const Layout& layout, std::string_view text, const ANSIColorValue& fg) {
    if (!layout.statusVisible) return;
    for (int c = layout.sidebarWidth; c < layout.termCols; ++c)
        screen.put({CellChar(), statusFg, black, false}, layout.statusRow(), c);
    screen.putText(fitText(text, layout.termCols - layout.sidebarWidth, true), layout.statusRow(), layout.sidebarWidth,
                   fg, black);
}

std::vector<std::string> statusHints(const AppState& state) {
    std::vector<std::string> hints{std::string(rawValue(state.tools.tool))};
    if (state.tools.tool == Tool::pen) hints.emplace_back(rawValue(state.tools.penLineStyle));
    hints.push_back(state.tools.penChar);
    if (state.tools.fgCycle || state.tools.bgCycle || state.tools.charCycle) hints.emplace_back("fade");
    if (state.tools.fgRandom || state.tools.bgRandom || state.tools.charRandom) hints.emplace_back("random");
    if ((state.presetCycle || state.presetRandom) && state.selectedPreset &&
        *state.selectedPreset >= 0 && *state.selectedPreset < 16)
        hints.push_back("▸preset " + std::string(Chrome::presetSlotLabels[static_cast<std::size_t>(*state.selectedPreset)]));
    if (state.tools.tool == Tool::text) {
        const FKeyBank& bank = FKeyBanks::banks()[static_cast<std::size_t>(FKeyBanks::normalized(state.fkeyBankIndex))];
        hints.push_back("F1–F10 " + bank.name + ": " + FKeyBanks::spacedGlyphs(bank));
    }
    if (std::string space = spaceHint(state); !space.empty()) hints.push_back(std::move(space));
    return hints;
}

void drawBottomRows(const AppState& state, Screen& screen, Layout& layout) {
    (void)state;
    const int first = layout.bottomRowsTop();
    const int end = layout.bottomPad ? layout.bottomEdgeRow() : layout.termRows;
    for (int r = std::max(first, 0); r < end; ++r) screen.fillRow(r, clearedFg, barBg);
}

std::optional<std::string> noteOnStatusLine(const AppState& state) {
    if (state.quitArmed) return std::string(quitWarning);
    if (state.noteOnStatusLine && state.statusNote) return *state.statusNote;
    return std::nullopt;
}

std::string viewPositionText(const Layout& layout) {
    std::string text;
    auto range = [](const char* arrow, int first, int shown, int total) {
        return arrow + std::to_string(first + 1) + "–" + std::to_string(first + shown) + "/" + std::to_string(total);
    };
    if (layout.documentRows > layout.canvasHeight())
        text = range("↕", layout.viewRow, layout.canvasHeight(), layout.documentRows);
    if (layout.documentCols > layout.canvasWidth())
        text += (text.empty() ? "" : " ") + range("↔", layout.viewCol, layout.canvasWidth(), layout.documentCols);
    return text;
}

void drawStatusLine(const AppState& state, Screen& screen, Layout& layout) {
    if (!layout.statusVisible) return;
    const int row = layout.statusRow();
    showStatusHover(screen, layout, "", statusFg);
    const auto note = noteOnStatusLine(state);
    std::string text = "● ";
    if (note) {
        text += *note;
    } else if (state.viewOnly) {
        text += "view only — re-save to edit";
    } else {
        const auto hints = statusHints(state);
        for (std::size_t i = 0; i < hints.size(); ++i) text += (i ? "   " : "") + hints[i];
    }
    const Span hints = putSpan(screen, text, row, layout.sidebarWidth, note ? noteFg : statusFg, black);
    putSpan(screen, "   Ctrl-C quits", row, hints.colEnd, state.quitArmed ? ANSIColorValue::ansi16(1) : statusFg, black);

    // Right-aligned: where the view is in a document that does not fit, then the cell under
    // the pointer in a slot wide enough for the largest one, so the view mark stays put.
    const std::string largest = std::to_string(std::max(state.doc.rows - 1, 0)) + "," +
                                std::to_string(std::max(state.doc.cols - 1, 0)) + " ";
    const int pointerCol = layout.termCols - textWidth(largest);
    if (const std::string position = viewPositionText(layout); !position.empty()) {
        const std::string mark = " " + position + " ";
        const int col = pointerCol - textWidth(mark);
        if (col > layout.sidebarWidth) layout.positionSpan = putSpan(screen, mark, row, col, positionFg, black);
    }
    for (int c = pointerCol; c < layout.termCols; ++c) screen.put({CellChar(), statusFg, black, false}, row, c);
    if (auto cell = layout.docCell(state.mouse.x, state.mouse.y)) {
        const std::string position = std::to_string(cell->row) + "," + std::to_string(cell->col) + " ";
        screen.putText(position, row, layout.termCols - textWidth(position), statusFg, black);
    }
    layout.statusBarSpan = Span{row, layout.sidebarWidth, layout.termCols};
}

void drawStatusHistory(const AppState& state, Screen& screen, const Layout& layout) {
    if (state.overlay != Overlay::history || !layout.statusVisible) return;
    const auto& history = state.statusHistory();
    const int room = std::max(layout.statusRow() - layout.contentTop(), 1);
    std::vector<std::string> lines;
    if (history.empty()) {
        lines.emplace_back("quiet so far");
    } else {
        const int shown = std::min<int>(room, static_cast<int>(history.size()));
        lines.assign(history.end() - shown, history.end());
    }
    // Newest directly above the status line.
    int row = layout.statusRow() - static_cast<int>(lines.size());
    for (const std::string& line : lines) {
        for (int c = layout.sidebarWidth; c < layout.termCols; ++c)
            screen.put({CellChar(), ANSIColorValue::ansi16(2), black, false}, row, c);
        screen.putText(fitText("· " + line, layout.termCols - layout.sidebarWidth, true), row, layout.sidebarWidth,
                       ANSIColorValue::ansi16(2), black);
        ++row;
    }
}

void drawPresetRow(const AppState& state, Screen& screen, Layout& layout) {
    if (!layout.presetVisible) return;
    const int row = layout.presetRow();
    int col = 1;
    auto modeControl = [&](const char* glyph, bool on, bool cycle) {
        const Span span = putSpan(screen, glyph, row, col, on ? black : clearedFg, on ? clearedFg : rgb(64, 64, 64));
        layout.presetModeSpans.push_back({span, cycle});
        col = span.colEnd + 1;
    };
    modeControl("⟳", state.presetCycle, true);
    modeControl("⤨", state.presetRandom, false);
    screen.put({CellChar("║"), bottomSeparator, barBg, false}, row, col);
    col += 2;

    // Each slot: a marker cell (• when selected) then a three-cell sample or a "+" chip.
    for (int i = 0; i < 16 && col + 5 < layout.termCols - 4; ++i) {
        const bool filled = static_cast<std::size_t>(i) < state.presets.size() && state.presets[static_cast<std::size_t>(i)];
        const bool selected = state.selectedPreset == i;
        const Span label = putSpan(screen, selected ? "•" : std::string(Chrome::presetSlotLabels[static_cast<std::size_t>(i)]),
                                   row, col, selected ? accent : disabled, barBg);
        int sampleCol = label.colEnd;
        if (filled) {
            for (const ANSICell& cell : Chrome::presetPreview(*state.presets[static_cast<std::size_t>(i)]))
                screen.put(cell, row, sampleCol++);
        } else {
            sampleCol = putSpan(screen, " + ", row, sampleCol, disabled, rgb(64, 64, 64)).colEnd;
        }
        layout.presetSpans.push_back({{row, label.colEnd, sampleCol}, i});
        layout.presetSaveSpans.push_back({label, i});
        col = sampleCol + 1;
    }
    const int right = layout.termCols - 4;
    screen.put({CellChar("║"), bottomSeparator, barBg, false}, row, right - 1);
    layout.presetLoadSpan = putSpan(screen, "↥", row, right, accent, barBg);
    layout.presetResetSpan = putSpan(screen, "↺", row, right + 2, accent, barBg);
}

void drawHoverTexts(const AppState& state, Screen& screen, const Layout& layout) {
    // A fresh note or the quit warning keeps the line until it has been read.
    if (!layout.statusVisible || noteOnStatusLine(state)) return;
    const int x = state.mouse.x;
    const int y = state.mouse.y;
    auto show = [&](const std::string& text, const ANSIColorValue& fg) { showStatusHover(screen, layout, text, fg); };
    if (const auto* button = hit(layout.barButtonSpans, x, y)) {
        show("● " + tooltip(button->value, state), ANSIColorValue::ansi16(14));
    } else if (const auto* slot = hit(layout.presetSpans, x, y)) {
        const auto index = static_cast<std::size_t>(slot->value);
        std::string text = "● " + std::string(Chrome::presetSlotLabels[index]) + ": ";
        if (index < state.presets.size() && state.presets[index]) {
            text += presetReadout(*state.presets[index]);
        } else {
            text += "empty — + saves the current tool set-up here";
        }
        show(text, ANSIColorValue::ansi16(14));
    } else if (const auto* save = hit(layout.presetSaveSpans, x, y)) {
        show("● " + std::string(Chrome::presetSlotLabels[static_cast<std::size_t>(save->value)]) +
                 ": click saves the current tool set-up into this slot",
             ANSIColorValue::ansi16(14));
    } else if (const auto* label = hit(layout.hoverLabels, x, y)) {
        show("● " + label->value, ANSIColorValue::ansi16(14));
    }
}

}  // namespace glyphloom::chrome
