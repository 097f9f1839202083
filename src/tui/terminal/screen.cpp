#include "tui/terminal/screen.hpp"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "core/io/write_all.hpp"
#include "core/text/utf8.hpp"

namespace glyphloom {
namespace {

std::ptrdiff_t writeToStdout(std::string_view bytes) { return ::write(STDOUT_FILENO, bytes.data(), bytes.size()); }

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

}  // namespace

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
    if (contains(row, col)) back_[index(row, col)] = cell;
}

void Screen::putText(std::string_view text, int row, int col, const ANSIColorValue& fg, const ANSIColorValue& bg) {
    if (row < 0 || row >= rows_) return;
    // Plain ASCII (most interface text) needs no cluster analysis.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
    if (ascii) {
        for (std::size_t i = 0; i < text.size(); ++i) {
            const long long c = static_cast<long long>(col) + static_cast<long long>(i);
            if (c >= cols_) break;
            if (c >= 0) back_[index(row, static_cast<int>(c))] = {CellChar::fromScalar(static_cast<unsigned char>(text[i])), fg, bg, false};
        }
        return;
    }
    long long c = col;
    for (const std::string& cluster : utf8::graphemeClusters(text)) {
        if (c >= cols_) break;
        if (c >= 0) back_[index(row, static_cast<int>(c))] = {CellChar(cluster), fg, bg, false};
        ++c;
    }
}

std::string Screen::pendingOutput() const {
    std::string out;
    std::string fg;
    std::string bg;
    for (int r = 0; r < rows_; ++r) {
        Attributes current;
        bool inRun = false;
        for (int c = 0; c < cols_; ++c) {
            const std::size_t i = index(r, c);
            const ANSICell& cell = back_[i];
            if (front_ && (*front_)[i] == cell) {
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
