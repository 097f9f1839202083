// The menu bar: terminal size, title, file name (or the field being typed), the SAUCE credit
// and the right-aligned button groups, on one row or, when the terminal is narrow, two.
#include <algorithm>

#include "core/color/color_depth.hpp"
#include "core/text/utf8.hpp"
#include "tui/state/sauce_state.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {

// The typed text with its prefix and cursor, as the bar shows it.
std::string typedField(const AppState& state) {
    if (!state.prompt) return {};
    std::string prefix;
    switch (state.prompt->kind()) {
        case PromptKind::loadPath: prefix = "Load: "; break;
        case PromptKind::fontPath: prefix = "Font: "; break;
        case PromptKind::canvasSize: prefix = "Size: "; break;
        default: break;
    }
    return prefix + state.prompt->withCursor();
}

// A label in a slot of fixed width, so that the buttons to its left keep their columns when
// it changes (a depth of "1" after "256", a canvas of "80×3062" after "160×50").
std::string inSlot(std::string label, int width) {
    for (int w = textWidth(label); w < width; ++w) label += ' ';
    return label;
}

std::string layerIndicator(const AppState& state) {
    if (state.shiftingLayer) return "<->";
    const int count = static_cast<int>(state.doc.layers.size());
    return std::to_string(count - state.activeLayerIndex) + "/" + std::to_string(count);
}

}  // namespace

std::string sauceCreditText(const AppState& state) { return sauceCreditLabel(state).value_or(""); }

bool typingInBar(const AppState& state) {
    return state.prompt && typedInBar(state.prompt->kind());
}

std::vector<std::vector<BarButton>> barGroups(const AppState& state) {
    const bool typingName = promptIs(state.prompt, PromptKind::fileName);
    const std::string saveGlyph = typingName ? "↵" : state.dirty ? "⤓" : "✓";
    return {
        {{"↩", BarAction::undo, !state.undoStack.empty()}, {"↪", BarAction::redo, !state.redoStack.empty()}},
        {{"x", BarAction::clear, true},
         {"↥", BarAction::load, true},
         {saveGlyph, BarAction::save, state.dirty || typingName}},
        {{"+", BarAction::refImage, true}, {inSlot(layerIndicator(state), 3), BarAction::layers, true}},
        {{inSlot(std::string(label(state.doc.colorDepth)), 3), BarAction::colorDepth, true}},
        {{inSlot(std::to_string(state.doc.cols) + "×" + std::to_string(state.doc.rows), 7), BarAction::canvasSize,
          true}},
        {{"?", BarAction::help, true}},
    };
}

int barWidth(const std::vector<std::vector<BarButton>>& groups) {
    int width = 0;
    for (const auto& group : groups)
        for (const auto& button : group) width += 1 + textWidth(button.label);
    if (!groups.empty()) width += 2 * (static_cast<int>(groups.size()) - 1);
    return width;
}

std::string tooltip(BarAction action, const AppState& state) {
    switch (action) {
        case BarAction::undo: return "undo (Ctrl-Z)";
        case BarAction::redo: return "redo (Ctrl-Y)";
        case BarAction::save:
            return state.dirty ? "save " + state.filename + " — companions per save options"
                               : "saved — click for save options";
        case BarAction::clear:
            return state.clearArmed ? "clear the canvas — click again to confirm" : "clear the canvas — first click arms";
        case BarAction::load: return "open a drawing — .ans · .glyphloom";
        case BarAction::refImage: return "import a reference image (PNG) to trace";
        case BarAction::layers: return "layers — stack, shift, flatten";
        case BarAction::layerShift: return "shift the active layer — arrows nudge, 0 resets";
        case BarAction::canvasSize: return "canvas size — presets or custom COLS×ROWS";
        case BarAction::colorDepth: return "color depth — 16 · 256 · 16M";
        case BarAction::mirror: return "mirror mode";
        case BarAction::help: return "keyboard & mouse crib sheet";
    }
    return {};
}

void drawMenuBar(const AppState& state, Screen& screen, Layout& layout) {
    const auto groups = barGroups(state);
    const int width = barWidth(groups);
    const bool typing = typingInBar(state);
    const std::string field = typing ? typedField(state) : std::string();
    const int nameWidth = typing ? textWidth(state.prompt->text()) + 9 : textWidth(state.filename);
    const int titleNeed = layout.sidebarWidth + 1 + 9 + 2 + nameWidth + 1;
    layout.twoLineBar = layout.termCols - width - 1 < titleNeed;

    const int barRows = layout.twoLineBar ? 2 : 1;
    for (int r = 0; r < barRows; ++r) {
        screen.fillRow(r, clearedFg, barBg);
        for (int c = 0; c < layout.sidebarWidth; ++c) screen.put({CellChar(), clearedFg, sidebarBg, false}, r, c);
    }
    screen.putText(std::to_string(layout.termCols) + "×" + std::to_string(layout.termRows), 0, 1, disabled, sidebarBg);

    if (!layout.twoLineBar && layout.separatorVisible) {
        for (int c = 0; c < layout.termCols; ++c) {
            const bool inSidebar = c < layout.sidebarWidth;
            screen.put({CellChar(inSidebar ? " " : "▀"), barBg, inSidebar ? sidebarBg : backdrop, false},
                       Layout::halfPadRow, c);
        }
    }

    // Title letters, each in its own colour.
    const int titleCol = layout.sidebarWidth + 1;
    for (int i = 0; i < static_cast<int>(Chrome::title.size()); ++i) {
        screen.put({CellChar::fromScalar(static_cast<unsigned char>(Chrome::title[static_cast<std::size_t>(i)])),
                    Chrome::titleColor(i), barBg, false},
                   Layout::menuRow, titleCol + i);
    }
    layout.titleSpan = Span{Layout::menuRow, titleCol, titleCol + static_cast<int>(Chrome::title.size())};

    const int fileCol = layout.fileRow() == 0 ? titleCol + static_cast<int>(Chrome::title.size()) + 2 : titleCol;
    const int buttonsStart = std::max(layout.termCols - width - 1, 0);
    const int buttonRow = layout.twoLineBar ? 1 : 0;
    // What the file name may use: up to the buttons when they share its row.
    const int nameLimit = (layout.fileRow() == buttonRow ? buttonsStart - 1 : layout.termCols) - fileCol;
    if (typing) {
        screen.putText(fitText(field, nameLimit), layout.fileRow(), fileCol, entryFg, entryBg);
    } else {
        const std::string name = fitText(state.filename, nameLimit, true);
        layout.fileSpan = putSpan(screen, name, layout.fileRow(), fileCol, disabled, barBg);
        // The SAUCE credit, when there is one and room for it.
        const std::string credit = sauceCreditText(state);
        const int creditCol = layout.fileSpan->colEnd + 3;
        const int room = nameLimit - (creditCol - fileCol);
        if (!credit.empty() && room >= 5)
            layout.sauceCreditSpan = putSpan(screen, fitText(credit, room, true), layout.fileRow(), creditCol, creditFg, barBg);
    }

    int col = buttonsStart;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (g > 0) {
            screen.put({CellChar(" "), separator, barBg, false}, buttonRow, col++);
            screen.put({CellChar("│"), separator, barBg, false}, buttonRow, col++);
        }
        for (const BarButton& button : groups[g]) {
            ANSIColorValue fg = button.enabled ? accent : disabled;
            if (button.action == BarAction::save && promptIs(state.prompt, PromptKind::fileName)) fg = white;
            if (button.action == BarAction::clear && state.clearArmed) fg = ANSIColorValue::ansi16(1);
            if (button.action == BarAction::layers && state.shiftingLayer) fg = white;
            const Span span = putSpan(screen, " " + button.label, buttonRow, col, fg, barBg);
            layout.barButtonSpans.push_back({span, button.action});
            col = span.colEnd;
        }
    }
}

}  // namespace glyphloom::chrome
