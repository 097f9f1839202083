#include "tui/layout/panel_items.hpp"

#include <algorithm>

#include "core/color/color_math.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {

constexpr ANSIColorValue unlitBg = rgb(64, 64, 64);
constexpr int stepperControlsWidth = 8;  // "− " value(4) " +"
constexpr int swatchesPerRowMax = 8;

struct FillModeButton {
    const char* glyph;
    FillChannelMode mode;
};
constexpr FillModeButton fillModeButtons[] = {
    {"ø", FillChannelMode::null}, {"⟳", FillChannelMode::cycle}, {"⤨", FillChannelMode::random}};

int swatchesPerRow(int width) { return std::clamp(width / swatchWidth, 1, swatchesPerRowMax); }

void blankRow(Screen& screen, int row, int left, int width, const ANSIColorValue& bg) {
    for (int c = left; c < left + width; ++c) screen.put({CellChar(), toolName, bg, false}, row, c);
}

std::string rightAligned(const std::string& text, int width) {
    const int pad = width - textWidth(text);
    return pad > 0 ? std::string(static_cast<std::size_t>(pad), ' ') + text : text;
}

// "− value +" starting at `col`; records both halves as stepper spans.
void drawStepperControls(Screen& screen, Layout& layout, const PanelItem& item, int row, int col,
                         const ANSIColorValue& bg) {
    const Span minus = putSpan(screen, "− ", row, col, accent, bg);
    putSpan(screen, rightAligned(std::to_string(item.value), 4), row, minus.colEnd, white, bg);
    const Span plus = putSpan(screen, " +", row, minus.colEnd + 4, accent, bg);
    layout.stepperSpans.push_back({minus, {item.stepperId, -1}});
    layout.stepperSpans.push_back({plus, {item.stepperId, +1}});
}

// The text on the fill character button: the character, or the start of its sequence.
std::string fillCharText(const ShapeFillStyle& fill) {
    if (fill.charMode == FillChannelMode::null) return "ø";
    if ((fill.charMode == FillChannelMode::cycle || fill.charMode == FillChannelMode::random) && !fill.charPool.empty()) {
        std::string text;
        for (const std::string& glyph : fill.charPool) text += glyph;
        return text;
    }
    return fill.character;
}

}  // namespace

std::vector<Chip> ovalModeChips(const AppState& state, Layout& layout) {
    const OvalDrawMode current = state.tools.ovalOptions.drawMode;
    const OvalDrawMode lines =
        current.kind == OvalDrawMode::Kind::lines ? current : OvalDrawMode::lines(BoxStyle::single);
    const std::pair<const char*, OvalDrawMode> modes[] = {
        {"Char", OvalDrawMode::character()}, {"Blocks", OvalDrawMode::blocks()}, {"Lines", lines}};
    std::vector<Chip> chips;
    for (const auto& [label, mode] : modes)
        chips.push_back({label, current.kind == mode.kind,
                         [&layout, mode = mode](const Span& span) { layout.ovalModeSpans.push_back({span, mode}); }});
    return chips;
}

Span drawModeButton(Screen& screen, std::string_view glyph, bool lit, int row, int col) {
    return putSpan(screen, glyph, row, col, lit ? black : clearedFg, lit ? clearedFg : unlitBg);
}

Span drawToggleRow(Screen& screen, std::string_view label, bool on, int row, int left, int width,
                   const ANSIColorValue& bg) {
    blankRow(screen, row, left, width, bg);
    const std::string text = std::string(on ? "●" : "○") + " " + fitWords(label, width - 2);
    screen.putText(fitText(text, width), row, left, on ? accent : toolName, bg);
    return {row, left, left + width};
}

Span drawSwatch(Screen& screen, const ANSIColorValue& color, std::string_view mark, int row, int col, int width) {
    const RGB rgb = rgbOf(color);
    const int luma = (2126 * rgb.r + 7152 * rgb.g + 722 * rgb.b) / 10000;
    const ANSIColorValue ink = luma > 120 ? black : white;
    for (int c = col; c < col + width; ++c) screen.put({CellChar(), ink, color, false}, row, c);
    const int markWidth = std::min(textWidth(mark), width);
    screen.putText(fitText(mark, width), row, col + (width - markWidth) / 2, ink, color);
    return {row, col, col + width};
}

int flowChips(Screen& screen, const std::vector<Chip>& chips, int row, int width, int bottom,
              const ANSIColorValue& bg) {
    int col = 1;
    bool used = false;
    for (const Chip& chip : chips) {
        const int w = textWidth(chip.label);
        if (used && col + w > width) {
            ++row;
            col = 1;
        }
        if (row >= bottom) return row;
        const Span span = putSpan(screen, fitText(chip.label, width - 1), row, col, chip.current ? white : toolName,
                                  chip.current ? accent : bg);
        if (chip.record) chip.record(span);
        col = span.colEnd + 1;
        used = true;
    }
    return used ? row + 1 : row;
}

int panelItemRows(const PanelItem& item, int width) {
    switch (item.kind) {
        case PanelItem::Kind::stepper: return textWidth(item.label) + 1 + stepperControlsWidth <= width ? 1 : 2;
        case PanelItem::Kind::fillSwatches: {
            const int perRow = swatchesPerRow(width);
            return (16 + perRow - 1) / perRow;
        }
        case PanelItem::Kind::fillChar: return 2;
        case PanelItem::Kind::ovalMode: return 2;
        default: return 1;
    }
}

int panelItemWidth(const PanelItem& item) {
    switch (item.kind) {
        case PanelItem::Kind::stepper: return textWidth(item.label) + 1 + stepperControlsWidth;
        case PanelItem::Kind::toggle: return 2 + textWidth(item.label);
        case PanelItem::Kind::label: return textWidth(item.label);
        case PanelItem::Kind::ovalMode: return std::max(textWidth(item.label), 18);
        case PanelItem::Kind::fillColorModes: return 8;
        case PanelItem::Kind::fillSwatches: return swatchesPerRowMax * swatchWidth;
        case PanelItem::Kind::fillChar: return 8;
    }
    return 1;
}

int drawPanelItems(const std::vector<PanelItem>& items, const AppState& state, Screen& screen, Layout& layout,
                   int row, int left, int width, int bottom, const ANSIColorValue& bg) {
    const ShapeFillStyle& fill = state.tools.shapeFill;
    for (const PanelItem& item : items) {
        if (row + panelItemRows(item, width) > bottom) break;
        // A label cut short keeps its whole text for the status line.
        auto noteIfCut = [&](int room) {
            if (textWidth(item.label) > room) layout.hoverLabels.push_back({{row, left, left + width}, item.label});
        };
        switch (item.kind) {
            case PanelItem::Kind::label:
                blankRow(screen, row, left, width, bg);
                screen.putText(fitWords(item.label, width), row, left, disabled, bg);
                noteIfCut(width);
                break;
            case PanelItem::Kind::toggle:
                layout.toggleSpans.push_back({drawToggleRow(screen, item.label, item.on, row, left, width, bg), item.toggleId});
                noteIfCut(width - 2);
                break;
            case PanelItem::Kind::stepper:
                blankRow(screen, row, left, width, bg);
                screen.putText(fitWords(item.label, width), row, left, toolName, bg);
                noteIfCut(width);
                if (panelItemRows(item, width) == 2) blankRow(screen, ++row, left, width, bg);
                drawStepperControls(screen, layout, item, row, left + std::max(width - stepperControlsWidth, 0), bg);
                break;
            case PanelItem::Kind::ovalMode: {
                blankRow(screen, row, left, width, bg);
                screen.putText(fitText(item.label, width, true), row, left, toolName, bg);
                blankRow(screen, row + 1, left, width, bg);
                // Chips flow from column 1 of the panel's own columns.
                auto chips = ovalModeChips(state, layout);
                int col = left;
                for (const Chip& chip : chips) {
                    const Span span = putSpan(screen, chip.label, row + 1, col, chip.current ? white : toolName,
                                              chip.current ? accent : bg);
                    chip.record(span);
                    col = span.colEnd + 1;
                }
                ++row;
                break;
            }
            case PanelItem::Kind::fillColorModes: {
                blankRow(screen, row, left, width, bg);
                const FillChannelMode mode = item.fg ? fill.fgMode : fill.bgMode;
                int col = putSpan(screen, item.fg ? "FG" : "BG", row, left, toolName, bg).colEnd + 1;
                for (const FillModeButton& button : fillModeButtons) {
                    const Span span = drawModeButton(screen, button.glyph, mode == button.mode, row, col);
                    layout.fillColorModeSpans.push_back({span, {item.fg, button.mode}});
                    col = span.colEnd + 1;
                }
                break;
            }
            case PanelItem::Kind::fillSwatches: {
                const FillChannelMode mode = item.fg ? fill.fgMode : fill.bgMode;
                const bool pooled = mode == FillChannelMode::cycle || mode == FillChannelMode::random;
                const auto& pool = item.fg ? fill.fgPool : fill.bgPool;
                const ANSIColorValue& solid = item.fg ? fill.fg : fill.bg;
                const int perRow = swatchesPerRow(width);
                for (int i = 0; i < 16; ++i) {
                    const int r = row + i / perRow;
                    if (i % perRow == 0) blankRow(screen, r, left, width, bg);
                    const ANSIColorValue color = ANSIColorValue::ansi16(i);
                    std::string mark;
                    if (pooled && std::find(pool.begin(), pool.end(), color) != pool.end()) mark = "•";
                    else if (!pooled && solid == color) mark = item.fg ? "FG" : "BG";
                    const Span span = drawSwatch(screen, color, mark, r, left + (i % perRow) * swatchWidth, swatchWidth);
                    layout.fillSwatchSpans.push_back({span, {item.fg, i}});
                }
                row += panelItemRows(item, width) - 1;
                break;
            }
            case PanelItem::Kind::fillChar: {
                blankRow(screen, row, left, width, bg);
                const std::string text = fitText("Char " + fillCharText(fill), width, true);
                layout.fillCharSpan = putSpan(screen, text, row, left, white, bg);
                blankRow(screen, ++row, left, width, bg);
                int col = left;
                for (const FillModeButton& button : fillModeButtons) {
                    const Span span = drawModeButton(screen, button.glyph, fill.charMode == button.mode, row, col);
                    layout.fillCharModeSpans.push_back({span, button.mode});
                    col = span.colEnd + 1;
                }
                break;
            }
        }
        ++row;
    }
    return row;
}

}  // namespace glyphloom::chrome
