#include "tui/tools/text_tool.hpp"

#include <algorithm>
#include <cctype>

#include "core/fonts/fkey_banks.hpp"
#include "core/text/charsets.hpp"
#include "core/text/utf8.hpp"
#include "tui/state/identity.hpp"
#include "tui/tools/active_layer.hpp"
#include "tui/tools/active_pen.hpp"

namespace glyphloom {
namespace {

struct Step {
    int dr = 0;
    int dc = 0;
};

Step stepOf(TextDirection direction) {
    switch (direction) {
        case TextDirection::right: return {0, 1};
        case TextDirection::left: return {0, -1};
        case TextDirection::down: return {1, 0};
        case TextDirection::up: return {-1, 0};
    }
    return {0, 1};
}

bool insideDocument(const AppState& state, int row, int col) { return state.doc.contains(GridKey{row, col}); }

GridKey clampedToDocument(const AppState& state, int row, int col) {
    return {std::clamp(row, 0, std::max(state.doc.rows - 1, 0)), std::clamp(col, 0, std::max(state.doc.cols - 1, 0))};
}

// The active layer's cell at a document position, or the blank cell where the layer has none.
ANSICell layerCell(const AppState& state, int row, int col) {
    const ANSICell* cell = activeCellAt(state, GridKey{row, col});
    return cell ? *cell : ANSICell::blank();
}

void writeCell(AppState& state, int row, int col, const ANSICell& cell) { setActiveCell(state, GridKey{row, col}, cell); }

template <class Record>
void pushTrimmed(std::vector<Record>& history, Record record, std::size_t limit) {
    history.push_back(std::move(record));
    if (history.size() > limit) history.erase(history.begin(), history.end() - static_cast<std::ptrdiff_t>(limit));
}

// Writes one cell at the cursor and remembers what it covered, so Backspace can take it back.
void stampAtCursor(AppState& state, const std::string& character) {
    const GridKey at = state.cursor;
    pushTrimmed(state.plainStampHistory, PlainStamp{at.row, at.col, layerCell(state, at.row, at.col), at.row, at.col},
                plainStampLimit);
    writeCell(state, at.row, at.col, ANSICell{CellChar(character), activeFg(state), activeBg(state), false});
    advanceCycle(state);
    advanceTextCursor(state);
}

void typePlain(const std::string& character, AppState& state) {
    if (!insideDocument(state, state.cursor.row, state.cursor.col)) return;
    state.cursorVisible = true;
    if (!beginToolEdit(state)) return;
    stampAtCursor(state, character);
}

void typeGlyph(const std::string& character, const BlockFont& font, AppState& state) {
    if (!insideDocument(state, state.cursor.row, state.cursor.col)) return;
    state.cursorVisible = true;
    if (!beginToolEdit(state)) return;
    const int scale = std::max(1, state.tools.textScale);
    const std::vector<std::string> rows = font.glyph(character);
    const int width = (rows.empty() ? 0 : glyphRowWidth(rows.front())) * scale;
    const int height = font.height * scale;

    // A glyph that would cross the right edge starts the next line instead.
    if (state.tools.textDirection == TextDirection::right && state.cursor.col + width > state.doc.cols)
        state.cursor = {std::min(state.doc.rows - 1, state.cursor.row + height + 1), state.textOriginCol};
    const GridKey cursor = state.cursor;

    // The glyph stands on the cursor row.
    const int top = cursor.row - height + 1;
    const int left = cursor.col;
    CellGrid saved(height, width);
    for (int i = 0; i < height; ++i)
        for (int j = 0; j < width; ++j)
            if (insideDocument(state, top + i, left + j)) saved.set(i, j, layerCell(state, top + i, left + j));
    pushTrimmed(state.textStampHistory, TextStamp{top, left, width, height, cursor.row, cursor.col, std::move(saved)},
                textStampLimit);

    const std::optional<GlyphColors> colors =
        font.renderMode == BlockFontRenderMode::tdfColor ? font.colors(character) : std::nullopt;
    for (const ScaledGlyphCell& own : scaledGlyphCells(rows, scale, colors)) {
        std::string drawn = own.character;
        if (font.renderMode == BlockFontRenderMode::activeChar) drawn = activeCharOpt(state).value_or(drawn);
        ANSICell cell{CellChar(drawn), activeFg(state), activeBg(state), false};
        if (own.color) {
            cell.foreground = ANSIColorValue::ansi16(own.color->fg);
            cell.background = ANSIColorValue::ansi16(own.color->bg);
        }
        for (int dy = 0; dy < scale; ++dy)
            for (int dx = 0; dx < scale; ++dx) {
                const int row = top + own.row + dy;
                const int col = left + own.col + dx;
                if (insideDocument(state, row, col)) writeCell(state, row, col, cell);
            }
    }
    advanceCycle(state);

    // The glyph is always drawn rightwards; only the cursor follows the direction.
    const int advance = width + font.letterSpacing * scale;
    switch (state.tools.textDirection) {
        case TextDirection::right: state.cursor.col = std::min(state.doc.cols - 1, cursor.col + advance); break;
        case TextDirection::left: state.cursor.col = std::max(0, cursor.col - advance); break;
        case TextDirection::down: state.cursor.row = std::min(state.doc.rows - 1, cursor.row + height + 1); break;
        case TextDirection::up: state.cursor.row = std::max(0, cursor.row - height - 1); break;
    }
}

bool isTypeable(const std::string& character) {
    if (character.empty()) return false;
    const auto first = static_cast<unsigned char>(character.front());
    return first >= 0x20 && first != 0x7F;
}

std::string bankNote(const FKeyBank& bank) {
    return "bank: " + bank.name + "  " + FKeyBanks::spacedGlyphs(bank) + "  (F1–F10)";
}

}  // namespace

void advanceTextCursor(AppState& state) {
    const Step step = state.tools.tool == Tool::text ? stepOf(state.tools.textDirection) : Step{0, 1};
    state.cursor = clampedToDocument(state, state.cursor.row + step.dr, state.cursor.col + step.dc);
}

void typeCharacter(const std::string& character, AppState& state) {
    if (!isTypeable(character)) return;
    const BlockFont* font = state.tools.tool == Tool::text ? currentTextFont(state) : nullptr;
    if (font) typeGlyph(character, *font, state);
    else typePlain(character, state);
}

void stampActiveCharacter(AppState& state) {
    if (state.tools.tool != Tool::text || !insideDocument(state, state.cursor.row, state.cursor.col)) return;
    state.cursorVisible = true;
    if (!beginToolEdit(state)) return;
    const std::string character =
        activeCharOpt(state).value_or(layerCell(state, state.cursor.row, state.cursor.col).character.str());
    stampAtCursor(state, character);
}

void eraseLeft(AppState& state) {
    state.cursorVisible = true;
    if (!beginToolEdit(state)) return;
    const bool text = state.tools.tool == Tool::text;
    if (text && state.textFontIndex && !state.textStampHistory.empty()) {
        const TextStamp stamp = std::move(state.textStampHistory.back());
        state.textStampHistory.pop_back();
        for (int i = 0; i < stamp.height; ++i)
            for (int j = 0; j < stamp.width; ++j)
                if (const ANSICell* cell = stamp.saved.cellAt(i, j); cell && insideDocument(state, stamp.top + i, stamp.left + j))
                    writeCell(state, stamp.top + i, stamp.left + j, *cell);
        state.cursor = clampedToDocument(state, stamp.cursorRow, stamp.cursorCol);
        return;
    }
    if (!state.plainStampHistory.empty()) {
        const PlainStamp stamp = state.plainStampHistory.back();
        state.plainStampHistory.pop_back();
        if (insideDocument(state, stamp.row, stamp.col)) writeCell(state, stamp.row, stamp.col, stamp.previous);
        state.cursor = clampedToDocument(state, stamp.cursorRow, stamp.cursorCol);
        return;
    }
    const Step step = text ? stepOf(state.tools.textDirection) : Step{0, 1};
    state.cursor = clampedToDocument(state, state.cursor.row - step.dr, state.cursor.col - step.dc);
    writeCell(state, state.cursor.row, state.cursor.col, ANSICell::blank());
}

void newLine(AppState& state) {
    state.cursorVisible = true;
    GridKey& cursor = state.cursor;
    const int lastRow = state.doc.rows - 1;
    if (state.tools.tool != Tool::text) {
        cursor = {std::min(lastRow, cursor.row + 1), 0};
    } else if (const BlockFont* font = currentTextFont(state)) {
        cursor = {std::min(lastRow, cursor.row + font->height * state.tools.textScale + 1), state.textOriginCol};
    } else if (state.tools.textDirection == TextDirection::down || state.tools.textDirection == TextDirection::up) {
        cursor = {state.textOriginRow, std::min(state.doc.cols - 1, cursor.col + 1)};
    } else {
        cursor = {std::min(lastRow, cursor.row + 1), state.textOriginCol};
    }
}

void selectFKeyBank(int index, AppState& state) {
    state.fkeyBankIndex = FKeyBanks::normalized(index);
    const std::string failure = persistSauceIdentity(state);
    state.statusNote = bankNote(FKeyBanks::banks()[static_cast<std::size_t>(state.fkeyBankIndex)]);
    if (!failure.empty()) state.statusNote = "couldn't save the bank: " + failure;
}

void handleFKey(int n, AppState& state) {
    if (n == 11 || n == 12) return selectFKeyBank(FKeyBanks::normalized(state.fkeyBankIndex) + (n == 11 ? -1 : 1), state);
    if (n < 1 || n > 10) return;
    if (state.tools.tool != Tool::text || state.prompt || state.anyOverlayOpen() ||
        !insideDocument(state, state.cursor.row, state.cursor.col))
        return;
    state.cursorVisible = true;
    if (!beginToolEdit(state)) return;
    // A stored bank index may be out of range; it picks glyphs only once brought back in.
    const FKeyBank& bank = FKeyBanks::banks()[static_cast<std::size_t>(FKeyBanks::normalized(state.fkeyBankIndex))];
    stampAtCursor(state, bank.chars[static_cast<std::size_t>(n - 1)]);
}

std::optional<std::string> glyphForHex(const std::string& text) {
    std::string upper;
    for (char ch : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    const auto first = upper.find_first_not_of(" \t\r\n");
    const auto last = upper.find_last_not_of(" \t\r\n");
    upper = first == std::string::npos ? std::string() : upper.substr(first, last - first + 1);
    if (upper.rfind("U+", 0) == 0) upper.erase(0, 2);
    if (upper.rfind("0X", 0) == 0) upper.erase(0, 2);
    std::string digits;
    for (char ch : upper)
        if (std::isxdigit(static_cast<unsigned char>(ch)) && digits.size() < 6) digits += ch;
    if (digits.empty()) return std::nullopt;
    const auto value = static_cast<char32_t>(std::stoul(digits, nullptr, 16));
    if (!isStandaloneGlyph(value)) return std::nullopt;
    return utf8::encode(value);
}

}  // namespace glyphloom
