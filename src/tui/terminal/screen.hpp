// The double-buffered picture of the terminal. The interface draws each frame into the back
// buffer; flush() sends only the cells that differ from the front buffer (what the terminal
// shows), as one buffer written out in full. The bytes of a flush depend only on the two
// frames, so tests can capture them through the injected sink. Every row remembers whether
// it was written since the last flush: a row nobody wrote is skipped without a look at its
// cells, a written row is first compared whole, and only a row that changed is walked.
#pragma once

#include <functional>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/cell.hpp"

namespace glyphloom {

class Screen {
public:
    // Takes every byte it is given (tests capture frames this way).
    using Sink = std::function<void(std::string_view)>;
    // Shaped like write(2): returns how many bytes it took, possibly fewer than offered, or
    // -1 with errno set.
    struct Writer {
        std::function<std::ptrdiff_t(std::string_view)> write;
    };

    // Writes frames to standard output; classic colours go out as CGA RGB when COLORTERM
    // declares 24-bit colour.
    Screen();
    Screen(Sink sink, bool truecolorCGA);
    Screen(Writer writer, bool truecolorCGA);

    int rows() const { return rows_; }
    int cols() const { return cols_; }

    // New size, blank back buffer, and a full repaint on the next flush.
    void resize(int rows, int cols);
    // Forget what the terminal shows: the next flush repaints everything.
    void invalidate() { frontValid_ = false; }

    // Columns a cell's character takes on the terminal: 2 for a wide glyph, else 1 (text that
    // draws nothing still gets its column, as a space).
    static int columnsOf(const CellChar& character);

    void clear(const ANSICell& cell);
    void fillRow(int row, const ANSIColorValue& fg, const ANSIColorValue& bg);
    // A wide glyph takes its column and the next, which becomes its continuation (a wide
    // glyph that does not fit at the right edge is drawn as a one-column stand-in).
    // Overwriting either half of a wide glyph blanks the other half.
    void put(const ANSICell& cell, int row, int col);
    // Grapheme clusters side by side, each as wide as the terminal draws it, blink off; the
    // part outside the buffer is skipped.
    void putText(std::string_view text, int row, int col, const ANSIColorValue& fg, const ANSIColorValue& bg);
    // Cells side by side from (row, col), as put() would store them one by one, for cells
    // the caller knows to be one column wide and free of controls (CellChar::plainNarrow):
    // a whole row of art goes in as one copy. The part outside the buffer is skipped.
    void putPlainCells(std::span<const ANSICell> cells, int row, int col);
    // True for the right half of a wide glyph, whose character is drawn by the column before.
    bool isContinuation(int row, int col) const;

    // The cell in the back buffer (for tests and for effects that read what is drawn).
    const ANSICell& at(int row, int col) const { return back_[index(row, col)]; }
    bool contains(int row, int col) const { return row >= 0 && row < rows_ && col >= 0 && col < cols_; }

    // Sends the changed cells, retrying short and interrupted writes. When the write fails
    // the next flush repaints the whole screen.
    void flush();
    // The bytes flush() would send, without sending them or touching the front buffer.
    std::string pendingOutput() const;

    // Bytes the screen keeps per cell (both buffers), for the benchmarks.
    static constexpr std::size_t bytesPerCell = 2 * sizeof(ANSICell);

private:
    // Blanks the other half of a wide glyph that the cell at (row, col) is part of.
    void breakWidePair(int row, int col);
    // Whether row r may differ from what the terminal shows.
    bool mayDiffer(int r) const;
    // Appends what brings row r of the terminal from the front buffer to the back buffer.
    void appendRowDiff(std::string& out, int r) const;

    std::size_t index(int row, int col) const {
        return static_cast<std::size_t>(row) * static_cast<std::size_t>(cols_) + static_cast<std::size_t>(col);
    }

    Writer writer_;
    bool truecolorCGA_;
    int rows_ = 0;
    int cols_ = 0;
    std::vector<ANSICell> back_;   // rows_ × cols_, row-major
    std::vector<ANSICell> front_;  // same shape; what the terminal shows when frontValid_
    bool frontValid_ = false;
    // Per row: written since the last flush. A row not written equals its front row.
    std::vector<std::uint8_t> written_;
    // Kept between flushes so that a frame allocates nothing.
    std::string out_;
    std::vector<int> changedRows_;
    mutable std::string paramScratch_;
};

}  // namespace glyphloom
