// The character picker (the glyphs of the current character set, the ø / ⟳ / ⤨ modes, the
// sequence being built and the code-point field) and the menu of character sets.
#include <algorithm>

#include "core/text/charsets.hpp"
#include "tui/layout/panel_items.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {
namespace {

constexpr int glyphPitch = 2;  // a glyph and a gap
constexpr int maxGlyphsPerRow = 32;
constexpr int setColumnWidth = 18;

struct PickerModeButton {
    const char* glyph;
    CharMode mode;
};
constexpr PickerModeButton pickerModeButtons[] = {
    {"ø", CharMode::null}, {"⟳", CharMode::cycle}, {"⤨", CharMode::random}};

const CharacterGroup& currentSet(const AppState& state) {
    const auto& sets = Charsets::sets();
    return sets[static_cast<std::size_t>(std::clamp(state.charsetIndex, 0, static_cast<int>(sets.size()) - 1))];
}

// The single character the picker's target uses now (none while a sequence is built).
std::string currentGlyph(const AppState& state) {
    if (pickerSequence(state)) return {};
    return state.charPickerTarget == CharTarget::fill ? state.tools.shapeFill.character : state.tools.penChar;
}

int floorRow(const Layout& layout) { return layout.statusVisible ? layout.statusRow() : layout.colorRow(); }

// Returns the span of the set button, under which the set menu opens.
Span drawPicker(const AppState& state, Screen& screen, Layout& layout) {
    const CharacterGroup& set = currentSet(state);
    const int perRow = std::clamp((layout.termCols - layout.sidebarWidth - 6) / glyphPitch, 8, maxGlyphsPerRow);
    const int inner = perRow * glyphPitch;
    const int glyphRows = (static_cast<int>(set.chars.size()) + perRow - 1) / perRow;
    const int top = layout.contentTop();
    const int left = layout.sidebarWidth + 1;
    const int height = std::max(5, std::min(glyphRows + 4, floorRow(layout) - top));
    const Frame frame{top, left, inner + 2, height};
    const bool fill = state.charPickerTarget == CharTarget::fill;
    drawBox(screen, frame, fill ? " Fill character " : " Characters ", separator, panelBg);
    layout.charPickerFrame = frame;

    // Header: set button, mode buttons, code-point field.
    const int x0 = left + 1;
    int row = top + 1;
    const Span setButton = putSpan(screen, fitText("▾ " + set.name, inner - 16, true), row, x0, white, panelBg);
    layout.charsetButtonSpan = setButton;
    int col = x0 + inner - 15;
    const auto lit = pickerCharMode(state);
    for (const PickerModeButton& button : pickerModeButtons) {
        const Span span = drawModeButton(screen, button.glyph, lit == button.mode, row, col);
        layout.charModeSpans.push_back({span, button.mode});
        col = span.colEnd + 1;
    }
    std::string field = "U+____";
    const bool typingCodepoint = promptIs(state.prompt, PromptKind::codepoint);
    if (typingCodepoint) field = "U+" + state.prompt->text() + "▌";
    layout.codepointFieldSpan = putSpan(screen, fitText(field, 8), row, x0 + inner - 8,
                                        typingCodepoint ? entryFg : accent, typingCodepoint ? entryBg : panelBg);

    // What the target holds: its character, or the sequence being built.
    ++row;
    std::string holding;
    if (const auto* sequence = pickerSequence(state)) {
        holding = (lit == CharMode::cycle ? "cycle " : "random ");
        for (const std::string& glyph : *sequence) holding += glyph;
        if (sequence->empty()) holding += "— pick glyphs";
    } else {
        holding = lit == CharMode::null ? "characters left alone" : "char " + currentGlyph(state);
    }
    screen.putText(fitText(holding, inner, true), row, x0, toolName, panelBg);

    const std::vector<std::string>* sequence = pickerSequence(state);
    const std::string single = currentGlyph(state);
    const int lastRow = top + height - 2;
    for (std::size_t i = 0; i < set.chars.size(); ++i) {
        const int r = row + 1 + static_cast<int>(i) / perRow;
        if (r > lastRow) break;
        const int c = x0 + static_cast<int>(i % static_cast<std::size_t>(perRow)) * glyphPitch;
        const std::string& glyph = set.chars[i];
        const bool chosen = glyph == single ||
                            (sequence && std::find(sequence->begin(), sequence->end(), glyph) != sequence->end());
        screen.put({CellChar(glyph), chosen ? white : toolName, chosen ? accent : panelBg, false}, r, c);
        layout.charPickerSpans.push_back({{r, c, c + glyphPitch}, glyph});
    }
    return setButton;
}

void drawSetMenu(const AppState& state, Screen& screen, Layout& layout, const Span& anchor) {
    const auto& sets = Charsets::sets();
    const int count = static_cast<int>(sets.size());
    const int top = anchor.row + 1;
    const int rowsFree = std::max(1, floorRow(layout) - top - 2);
    const int columns = (count + rowsFree - 1) / rowsFree;
    const int rows = (count + columns - 1) / columns;
    const Frame frame{top, anchor.colStart, columns * setColumnWidth + 2, rows + 2};
    drawBox(screen, frame, " Sets ", separator, panelBg);
    for (int i = 0; i < count; ++i) {
        const int r = top + 1 + i % rows;
        const int c = anchor.colStart + 1 + (i / rows) * setColumnWidth;
        const bool current = i == std::clamp(state.charsetIndex, 0, count - 1);
        const std::string text = fitText(" " + sets[static_cast<std::size_t>(i)].name, setColumnWidth - 1, true);
        screen.putText(std::string(static_cast<std::size_t>(setColumnWidth), ' '), r, c, toolName,
                       current ? currentToolBg : panelBg);
        putSpan(screen, text, r, c, current ? accent : toolName, current ? currentToolBg : panelBg);
        layout.charsetOptionSpans.push_back({{r, c, c + setColumnWidth}, i});
    }
}

}  // namespace

void drawCharPicker(const AppState& state, Screen& screen, Layout& layout) {
    Span anchor{layout.contentTop() + 1, layout.sidebarWidth + 2, layout.sidebarWidth + 2};
    anchor = drawPicker(state, screen, layout);
    if (state.charsetMenuOpen) drawSetMenu(state, screen, layout, anchor);
}

}  // namespace glyphloom::chrome
