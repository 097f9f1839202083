#include "tui/terminal/screen.hpp"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <array>
#include <cstdint>
#include <cstdio>

#include "core/io/write_all.hpp"
#include "core/text/utf8.hpp"
#include "core/text/visible_text.hpp"
#include "tui/terminal/terminal.hpp"

namespace glyphloom {
namespace {

std::ptrdiff_t writeToStdout(std::string_view bytes) {
    // Once a termination signal has handed the terminal back to the shell, a frame would
    // land on the user's own screen.
    if (TerminalGlobals::endSignal) {
        errno = EIO;
        return -1;
    }
    return ::write(STDOUT_FILENO, bytes.data(), bytes.size());
}

void appendNumber(std::string& out, int value) {
    char buffer[16];
    const int length = std::snprintf(buffer, sizeof buffer, "%d", value);
    out.append(buffer, static_cast<std::size_t>(length));
}

// The current SGR attributes within a run; `known` is false after a skipped cell, so the
// next changed cell always starts with a full reset sequence.
struct Attributes {
    bool known = false;
    bool blink = false;
    ANSIColorValue fgColor, bgColor;  // equal colours always give equal parameter texts
    std::string fg;
    std::string bg;
};

// The right half of a wide glyph. Empty text, which put() never stores for a drawn cell.
const CellChar& continuation() {
    static const CellChar marker{std::string_view{}};
    return marker;
}

// What a wide glyph becomes where only one column is left.
constexpr std::string_view narrowStandIn = "▯";

struct TextLook {
    int columns = 1;
    bool control = false;  // holds a control the terminal would obey
};

// 2 for a wide glyph, 0 for text that draws nothing by itself (a lone combining mark, empty
// text), else 1; and whether the text holds a control character.
TextLook textLook(const CellChar& character) {
    // Every frame asks this for every cell, and a frame holds few distinct characters: a
    // small cache keyed by the character's bits saves the text and the width look-up.
    struct Known {
        std::uint32_t bits = 0;
        std::uint8_t columns = 0;  // columns + 1; 0: nothing cached here
        bool control = false;
    };
    static std::array<Known, 256> cache;
    Known& slot = cache[(character.bits() ^ (character.bits() >> 8)) & 0xFF];
    if (slot.columns != 0 && slot.bits == character.bits()) return {slot.columns - 1, slot.control};
    const std::string text = character.str();
    const int columns = utf8::displayWidth(text);
    const bool control = visibleText(text) != text;
    slot = {character.bits(), static_cast<std::uint8_t>(columns + 1), control};
    return {columns, control};
}

int textColumns(const CellChar& character) { return textLook(character).columns; }

// The character as it may go to the terminal: controls as their visible stand-ins.
CellChar visibleCharacter(const CellChar& character) {
    if (const auto scalar = character.scalar()) {
        return isControlScalar(*scalar) ? CellChar::fromScalar(visibleScalar(*scalar)) : character;
    }
    return textLook(character).control ? CellChar(visibleText(character.str())) : character;
}

}  // namespace

int Screen::columnsOf(const CellChar& character) { return textColumns(character) == 2 ? 2 : 1; }

bool Screen::isContinuation(int row, int col) const {
    return contains(row, col) && back_[index(row, col)].character == continuation();
}

void Screen::breakWidePair(int row, int col) {
    const std::size_t i = index(row, col);
    const CellChar marker = continuation();
    if (back_[i].character == marker) {
        if (col > 0) back_[i - 1].character = CellChar();
    } else if (col + 1 < cols_ && back_[i + 1].character == marker) {
        back_[i + 1].character = CellChar();
    }
}

Screen::Screen() : Screen(Writer{writeToStdout}, useTruecolorCGA()) {}

Screen::Screen(Sink sink, bool truecolorCGA)
    : Screen(Writer{[sink = std::move(sink)](std::string_view bytes) {
                 sink(bytes);
                 return static_cast<std::ptrdiff_t>(bytes.size());
             }},
             truecolorCGA) {}

Screen::Screen(Writer writer, bool truecolorCGA) : writer_(std::move(writer)), truecolorCGA_(truecolorCGA) {}

void Screen::resize(int rows, int cols) {
    rows_ = std::max(rows, 0);
    cols_ = std::max(cols, 0);
    back_.assign(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_), ANSICell::blank());
    front_.reset();
}

void Screen::clear(const ANSICell& cell) { std::fill(back_.begin(), back_.end(), cell); }

void Screen::fillRow(int row, const ANSIColorValue& fg, const ANSIColorValue& bg) {
    if (row < 0 || row >= rows_) return;
    const ANSICell cell{CellChar(), fg, bg, false};
    std::fill_n(back_.begin() + static_cast<std::ptrdiff_t>(index(row, 0)), cols_, cell);
}

void Screen::put(const ANSICell& cell, int row, int col) {
    if (!contains(row, col)) return;
    ANSICell drawn = cell;
    int width = 1;
    if (drawn.character == continuation()) {
        drawn.character = CellChar();  // a cell that draws nothing would pull the rest of the row left
    } else {
        // Whatever a cell holds (a name, a note, a document's own characters) is shown, never
        // obeyed: this is where every drawn character passes.
        drawn.character = visibleCharacter(drawn.character);
        width = textColumns(drawn.character);
        if (width == 0) {
            // A lone combining mark: on a space it takes the column it is given.
            drawn.character = CellChar(" " + drawn.character.str());
            width = 1;
        } else if (width == 2 && col + 1 >= cols_) {
            drawn.character = CellChar(narrowStandIn);
            width = 1;
        }
    }
    breakWidePair(row, col);
    back_[index(row, col)] = drawn;
    if (width == 2) {
        breakWidePair(row, col + 1);
        back_[index(row, col + 1)] = {continuation(), drawn.foreground, drawn.background, drawn.blink};
    }
}

void Screen::putText(std::string_view text, int row, int col, const ANSIColorValue& fg, const ANSIColorValue& bg) {
    if (row < 0 || row >= rows_) return;
    // Plain ASCII (most interface text) needs no cluster analysis.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (ascii) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const long long c = static_cast<long long>(col) + static_cast<long long>(i);
            if (c >= cols_) break;
            if (c < 0) continue;
            breakWidePair(row, static_cast<int>(c));
            const char32_t scalar = visibleScalar(static_cast<unsigned char>(text[i]));
            back_[index(row, static_cast<int>(c))] = {CellChar::fromScalar(scalar), fg, bg, false};
        }
        return;
    }
    long long c = col;
    for (const std::string& cluster : utf8::graphemeClusters(text)) {
        if (c >= cols_) break;
        const int width = std::max(utf8::displayWidth(cluster), 1);
        if (c >= 0) {
            put({CellChar(cluster), fg, bg, false}, row, static_cast<int>(c));
        } else if (c + width > 0) {
            put({CellChar(), fg, bg, false}, row, 0);  // the visible half of a glyph cut by the left edge
        }
        c += width;
    }
}

std::string Screen::pendingOutput() const {
    const CellChar marker = continuation();
    std::string out;
    std::string fg;
    std::string bg;
    for (int r = 0; r < rows_; ++r) {
        Attributes current;
        bool inRun = false;
        for (int c = 0; c < cols_; ++c) {
            const std::size_t i = index(r, c);
            const ANSICell& cell = back_[i];
            // The right half of a wide glyph is drawn with its left half.
            if (cell.character == marker) continue;
            const bool wide = c + 1 < cols_ && back_[i + 1].character == marker;
            if (front_ && (*front_)[i] == cell && (!wide || (*front_)[i + 1] == back_[i + 1])) {
                inRun = false;
                current.known = false;
                continue;
            }
            if (!inRun) {
                out += "\x1b[";
                appendNumber(out, r + 1);
                out += ';';
                appendNumber(out, c + 1);
                out += 'H';
                inRun = true;
            }
            const bool sameColors = current.known && current.blink == cell.blink &&
                                    current.fgColor == cell.foreground && current.bgColor == cell.background;
            if (!sameColors) {
                fg.clear();
                bg.clear();
                appendFgParam(fg, cell.foreground, truecolorCGA_);
                appendBgParam(bg, cell.background, truecolorCGA_);
            }
            if (!sameColors && (!current.known || current.blink != cell.blink || current.fg != fg || current.bg != bg)) {
                out += cell.blink ? "\x1b[0;5;" : "\x1b[0;";
                out += fg;
                out += ';';
                out += bg;
                out += 'm';
                current.known = true;
                current.blink = cell.blink;
                current.fg = fg;
                current.bg = bg;
            }
            current.fgColor = cell.foreground;
            current.bgColor = cell.background;
            cell.character.appendTo(out);
            // Terminals disagree about the width of some glyphs: place the cursor afresh after
            // a wide one rather than trust where the terminal left it.
            if (wide) inRun = false;
        }
    }
    if (!out.empty()) out += "\x1b[0m";
    return out;
}

void Screen::flush() {
    const std::string out = pendingOutput();
    const auto write = [this](const char* data, std::size_t size) { return writer_.write({data, size}); };
    // After a failed write the terminal shows part of a frame we cannot know: forget the
    // front buffer so the next flush repaints everything.
    if (writeAllWith(write, out.data(), out.size()))
        front_ = back_;
    else
        front_.reset();
}

}  // namespace glyphloom
