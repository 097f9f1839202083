#include "tui/terminal/screen.hpp"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cassert>
#include <cstdint>
#include <charconv>
#include <cstring>

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
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

// The current SGR attributes within a run; `known` is false after a skipped cell, so the
// next changed cell always starts with a full reset sequence.
struct Attributes {
    bool known = false;
    bool blink = false;
    ANSIColorValue fgColor, bgColor;  // equal colours always give equal parameter texts
    std::string params;               // foreground parameter, then background parameter
    std::size_t fgLength = 0;         // where the foreground parameter ends in `params`
};

// The right half of a wide glyph. Empty text, which put() never stores for a drawn cell.
const CellChar& continuation() {
    static const CellChar marker{std::string_view{}};
    return marker;
}

// What a wide glyph becomes where only one column is left.
constexpr std::string_view narrowStandIn = "▯";

// The character as it may go to the terminal: controls as their visible stand-ins.
CellChar visibleCharacter(const CellChar& character) {
    if (!character.hasControl()) return character;
    if (const auto scalar = character.scalar()) return CellChar::fromScalar(visibleScalar(*scalar));
    return CellChar(visibleText(character.str()));
}

}  // namespace

int Screen::columnsOf(const CellChar& character) { return character.columns() == 2 ? 2 : 1; }

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
    const std::size_t cells = static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_);
    back_.assign(cells, ANSICell::blank());
    front_.assign(cells, ANSICell::blank());
    frontValid_ = false;
    written_.assign(static_cast<std::size_t>(rows_), 1);
}

void Screen::clear(const ANSICell& cell) {
    std::fill(back_.begin(), back_.end(), cell);
    std::fill(written_.begin(), written_.end(), 1);
}

void Screen::fillRow(int row, const ANSIColorValue& fg, const ANSIColorValue& bg) {
    if (row < 0 || row >= rows_) return;
    const ANSICell cell{CellChar(), fg, bg, false};
    std::fill_n(back_.begin() + static_cast<std::ptrdiff_t>(index(row, 0)), cols_, cell);
    written_[static_cast<std::size_t>(row)] = 1;
}

void Screen::put(const ANSICell& cell, int row, int col) {
    if (!contains(row, col)) return;
    written_[static_cast<std::size_t>(row)] = 1;
    if (cell.character.plainNarrow()) {
        // Nearly every cell: one column, nothing to make visible.
        breakWidePair(row, col);
        back_[index(row, col)] = cell;
        return;
    }
    ANSICell drawn = cell;
    int width = 1;
    if (drawn.character == continuation()) {
        drawn.character = CellChar();  // a cell that draws nothing would pull the rest of the row left
    } else {
        // Whatever a cell holds (a name, a note, a document's own characters) is shown, never
        // obeyed: this is where every drawn character passes.
        drawn.character = visibleCharacter(drawn.character);
        width = drawn.character.columns();
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
        written_[static_cast<std::size_t>(row)] = 1;
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

void Screen::putPlainCells(std::span<const ANSICell> cells, int row, int col) {
    assert(std::all_of(cells.begin(), cells.end(), [](const ANSICell& cell) { return cell.character.plainNarrow(); }));
    if (row < 0 || row >= rows_) return;
    long long first = col, last = static_cast<long long>(col) + static_cast<long long>(cells.size());
    std::size_t skip = 0;
    if (first < 0) {
        skip = static_cast<std::size_t>(-first);
        first = 0;
    }
    last = std::min<long long>(last, cols_);
    if (first >= last) return;
    const int from = static_cast<int>(first), to = static_cast<int>(last);
    // Only the wide glyphs cut by the two ends need mending; inside, every cell is replaced.
    breakWidePair(row, from);
    breakWidePair(row, to - 1);
    std::copy_n(cells.begin() + static_cast<std::ptrdiff_t>(skip), to - from,
                back_.begin() + static_cast<std::ptrdiff_t>(index(row, from)));
    written_[static_cast<std::size_t>(row)] = 1;
}

bool Screen::mayDiffer(int r) const {
    if (!frontValid_) return true;
    if (!written_[static_cast<std::size_t>(r)] || cols_ == 0) return false;
    // Cells are sixteen meaningful bytes (no padding), so equal rows are equal bytes.
    const std::size_t i = index(r, 0);
    return std::memcmp(&back_[i], &front_[i], static_cast<std::size_t>(cols_) * sizeof(ANSICell)) != 0;
}

void Screen::appendRowDiff(std::string& out, int r) const {
    const CellChar marker = continuation();
    Attributes current;
    bool inRun = false;
    for (int c = 0; c < cols_; ++c) {
        const std::size_t i = index(r, c);
        const ANSICell& cell = back_[i];
        // The right half of a wide glyph is drawn with its left half.
        if (cell.character == marker) continue;
        const bool wide = c + 1 < cols_ && back_[i + 1].character == marker;
        if (frontValid_ && front_[i] == cell && (!wide || front_[i + 1] == back_[i + 1])) {
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
            // Different colours can still read the same (a classic colour and its CGA value
            // on a 24-bit terminal): compare the texts before sending another sequence.
            paramScratch_.clear();
            appendFgParam(paramScratch_, cell.foreground, truecolorCGA_);
            const std::size_t fgLength = paramScratch_.size();
            appendBgParam(paramScratch_, cell.background, truecolorCGA_);
            if (!current.known || current.blink != cell.blink || current.params != paramScratch_ ||
                current.fgLength != fgLength) {
                out += cell.blink ? "\x1b[0;5;" : "\x1b[0;";
                out.append(paramScratch_, 0, fgLength);
                out += ';';
                out.append(paramScratch_, fgLength);
                out += 'm';
                current.known = true;
                current.blink = cell.blink;
                current.params.swap(paramScratch_);
                current.fgLength = fgLength;
            }
        }
        current.fgColor = cell.foreground;
        current.bgColor = cell.background;
        cell.character.appendTo(out);
        // Terminals disagree about the width of some glyphs: place the cursor afresh after
        // a wide one rather than trust where the terminal left it.
        if (wide) inRun = false;
    }
}

std::string Screen::pendingOutput() const {
    std::string out;
    for (int r = 0; r < rows_; ++r)
        if (mayDiffer(r)) appendRowDiff(out, r);
    if (!out.empty()) out += "\x1b[0m";
    return out;
}

void Screen::flush() {
    out_.clear();
    changedRows_.clear();
    for (int r = 0; r < rows_; ++r) {
        if (!mayDiffer(r)) continue;
        changedRows_.push_back(r);
        appendRowDiff(out_, r);
    }
    if (!out_.empty()) out_ += "\x1b[0m";
    const auto write = [this](const char* data, std::size_t size) { return writer_.write({data, size}); };
    // After a failed write the terminal shows part of a frame we cannot know: forget the
    // front buffer so the next flush repaints everything.
    if (!writeAllWith(write, out_.data(), out_.size())) {
        frontValid_ = false;
    } else if (!frontValid_) {
        front_ = back_;
        frontValid_ = true;
    } else {
        for (const int r : changedRows_) {
            const auto from = back_.begin() + static_cast<std::ptrdiff_t>(index(r, 0));
            std::copy_n(from, cols_, front_.begin() + static_cast<std::ptrdiff_t>(index(r, 0)));
        }
    }
    std::fill(written_.begin(), written_.end(), 0);
    // A huge frame (a full repaint of a very large terminal) does not keep its buffer.
    if (out_.capacity() > (std::size_t{1} << 22)) std::string().swap(out_);
}

}  // namespace glyphloom
