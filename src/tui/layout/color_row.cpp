// The two colour rows at the foot of the screen: the foreground channel on the colour row and
// the background channel on the pad row, each with the 16 classic swatches, the channel's
// mode buttons, its cycle step, its palette button and the chips of its active pool.
#include <algorithm>

#include "tui/layout/chrome.hpp"
#include "tui/layout/panel_items.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {

void drawSeparator(Screen& screen, int row, int col) {
    screen.put({CellChar("║"), bottomSeparator, barBg, false}, row, col);
}

void drawChannel(const AppState& state, Screen& screen, Layout& layout, bool forFg) {
    const int row = forFg ? layout.colorRow() : layout.padRow();
    const int swatchWidth = layout.sizeClass == Layout::SizeClass::large ? 4 : 2;
    const ANSIColorValue& current = forFg ? state.tools.fg : state.tools.penBg;
    const std::vector<ANSIColorValue>* pool = activePool(state, forFg);

    int col = 1;
    for (int i = 0; i < 16; ++i) {
        const ANSIColorValue color = ANSIColorValue::ansi16(i);
        std::string mark;
        if (color == current) mark = forFg ? "FG" : "BG";
        else if (pool && std::find(pool->begin(), pool->end(), color) != pool->end()) mark = "•";
        const Span span = drawSwatch(screen, color, mark, row, col, swatchWidth);
        (forFg ? layout.fgSwatchSpans : layout.bgSwatchSpans).push_back({span, i});
        col = span.colEnd;
    }
    drawSeparator(screen, row, ++col);
    col += 2;

    const ColorMode mode = colorMode(state, forFg);
    for (const auto& [glyph, buttonMode] : Chrome::modeButtons) {
        const Span span = drawModeButton(screen, glyph, mode == buttonMode, row, col);
        (forFg ? layout.fgModeSpans : layout.bgModeSpans).push_back({span, buttonMode});
        col = span.colEnd + 1;
    }

    // The step control shows the repeat count, or the digits being typed for it.
    const bool typing = state.prompt && state.prompt->stepChannel() == (forFg ? PaletteChannel::fg : PaletteChannel::bg);
    const std::string step = "≈" + (typing ? state.prompt->text() + "▌" : std::to_string(forFg ? state.tools.fgCycleStep
                                                                                              : state.tools.bgCycleStep));
    (forFg ? layout.fgStepSpan : layout.bgStepSpan) =
        putSpan(screen, step, row, col, typing ? entryFg : accent, typing ? entryBg : barBg);
    col = std::max(col + 4, (forFg ? layout.fgStepSpan : layout.bgStepSpan)->colEnd + 1);

    const Span palette = putSpan(screen, "▦", row, col, state.overlay == Overlay::palettePicker && state.paletteTargetFg == forFg
                                                            ? white
                                                            : accent,
                                 barBg);
    layout.paletteButtonSpans.push_back({palette, forFg});
    col = palette.colEnd + 1;
    if (forFg) {
        layout.fgbgReverseSpan = putSpan(screen, "⇄", row, col, accent, barBg);
        col += 2;
    } else {
        layout.fadesButtonSpan = putSpan(screen, "≋", row, col, state.overlay == Overlay::fadesPanel ? white : accent, barBg);
        col += 2;
    }
    drawSeparator(screen, row, col);
    col += 2;

    // Chip i is element i of the active pool; what does not fit ends in "…".
    if (!pool) return;
    auto& chips = forFg ? layout.fgChipSpans : layout.bgChipSpans;
    const int last = layout.termCols - 1;
    for (std::size_t i = 0; i < pool->size(); ++i) {
        if (col >= last - 1 && i + 1 < pool->size()) {
            screen.putText("…", row, col, disabled, barBg);
            break;
        }
        if (col >= last) break;
        const Span chip = drawSwatch(screen, (*pool)[i], "", row, col, 1);
        chips.push_back(chip);
        col = chip.colEnd;
    }
}

}  // namespace

void drawColorRow(const AppState& state, Screen& screen, Layout& layout) {
    drawChannel(state, screen, layout, true);
    drawChannel(state, screen, layout, false);
}

}  // namespace glyphloom::chrome
