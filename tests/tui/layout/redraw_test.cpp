// Frames drawn one after another, each flushed as a difference from the last, must leave the
// terminal showing exactly what a full redraw of the same state shows: after edits, wide and
// combining characters, overlays opening and closing, hovers, selections, scrolling, sidebar
// scrolling and resizes, in random order from fixed seeds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/text/utf8.hpp"
#include "tui/actions/view_scroll.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/state/app_state.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/terminal/screen.hpp"

namespace glyphloom {
namespace redraw_test {

using C = ANSIColorValue;

// What a terminal shows: it obeys the cursor moves and SGR sequences a flush sends, and a
// glyph two columns wide covers the next column (writing over either half blanks the other).
class Terminal {
public:
    struct Cell {
        std::string text = " ";
        C fg = C::ansi16(7), bg = C::ansi16(0);
        bool blink = false;
        bool rightHalf = false;
        bool operator==(const Cell&) const = default;
    };

    void resize(int rows, int cols) {
        rows_ = rows;
        cols_ = cols;
        cells_.assign(static_cast<std::size_t>(rows * cols), Cell{});
    }
    const Cell& at(int r, int c) const { return cells_[static_cast<std::size_t>(r * cols_ + c)]; }

    void apply(const std::string& bytes) {
        std::size_t i = 0;
        while (i < bytes.size()) {
            if (bytes[i] == '\x1b') {
                const std::size_t end = bytes.find_first_of("Hm", i);
                ASSERT_NE(end, std::string::npos);
                const std::vector<int> numbers = parameters(bytes.substr(i + 2, end - i - 2));
                if (bytes[end] == 'H') {
                    row_ = numbers.at(0) - 1;
                    col_ = numbers.at(1) - 1;
                } else {
                    attributes(numbers);
                }
                i = end + 1;
                continue;
            }
            const std::size_t end = std::min(bytes.find('\x1b', i), bytes.size());
            for (const std::string& cluster : utf8::graphemeClusters(bytes.substr(i, end - i))) write(cluster);
            i = end;
        }
    }

private:
    static std::vector<int> parameters(const std::string& text) {
        std::vector<int> numbers;
        std::size_t at = 0;
        while (at <= text.size()) {
            const std::size_t semi = std::min(text.find(';', at), text.size());
            numbers.push_back(std::stoi(text.substr(at, semi - at)));
            at = semi + 1;
        }
        return numbers;
    }

    // `base` is 30 for a foreground parameter, 40 for a background one.
    static C color(const std::vector<int>& p, std::size_t& k, int base) {
        const int v = p[k++];
        if (v == base + 8) {
            if (p[k++] == 5) return C::ansi256(p[k++]);
            k += 3;
            return C::truecolor(static_cast<std::uint8_t>(p[k - 3]), static_cast<std::uint8_t>(p[k - 2]),
                                static_cast<std::uint8_t>(p[k - 1]));
        }
        return v >= 90 ? C::ansi16(v - (base + 60) + 8) : C::ansi16(v - base);
    }

    void attributes(const std::vector<int>& p) {
        if (p.size() == 1) return;  // the closing reset
        std::size_t k = 1;
        pen_.blink = p[k] == 5;
        if (pen_.blink) ++k;
        pen_.fg = color(p, k, 30);
        pen_.bg = color(p, k, 40);
    }

    void write(const std::string& cluster) {
        ASSERT_TRUE(row_ >= 0 && row_ < rows_ && col_ >= 0 && col_ < cols_) << "write outside the screen";
        const int width = std::max(utf8::displayWidth(cluster), 1);
        ASSERT_LE(col_ + width, cols_) << "a wide glyph at the right edge";
        for (int c = col_; c < col_ + width; ++c) unpair(c);
        Cell& cell = cells_[static_cast<std::size_t>(row_ * cols_ + col_)];
        cell = pen_;
        cell.text = cluster;
        if (width == 2) {
            Cell& right = cells_[static_cast<std::size_t>(row_ * cols_ + col_ + 1)];
            right = pen_;
            right.rightHalf = true;
        }
        col_ += width;
    }

    // A column about to be written stops being half of a wide glyph; the other half blanks.
    void unpair(int c) {
        Cell& cell = cells_[static_cast<std::size_t>(row_ * cols_ + c)];
        if (cell.rightHalf && c > 0) cells_[static_cast<std::size_t>(row_ * cols_ + c - 1)].text = " ";
        if (!cell.rightHalf && c + 1 < cols_ && cells_[static_cast<std::size_t>(row_ * cols_ + c + 1)].rightHalf) {
            Cell& right = cells_[static_cast<std::size_t>(row_ * cols_ + c + 1)];
            right.rightHalf = false;
            right.text = " ";
        }
        cell.rightHalf = false;
    }

    int rows_ = 0, cols_ = 0, row_ = 0, col_ = 0;
    Cell pen_;
    std::vector<Cell> cells_;
};

// The terminal must show exactly the frame a fresh screen composes from the same state.
void expectShowsFullRedraw(const Terminal& terminal, AppState& state, int rows, int cols, const std::string& step) {
    CompositeCache kept;
    std::swap(kept, state.canvasRows);  // the full redraw starts from nothing cached
    Screen full(Screen::Sink([](std::string_view) {}), false);
    full.resize(rows, cols);
    Chrome::compose(state, full);
    std::swap(kept, state.canvasRows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const Terminal::Cell& shown = terminal.at(r, c);
            if (full.isContinuation(r, c)) {
                ASSERT_TRUE(shown.rightHalf) << step << " at " << r << "," << c;
                continue;
            }
            const ANSICell& want = full.at(r, c);
            ASSERT_EQ(shown.text, want.character.str()) << step << " at " << r << "," << c;
            ASSERT_EQ(shown.fg, want.foreground) << step << " at " << r << "," << c;
            ASSERT_EQ(shown.bg, want.background) << step << " at " << r << "," << c;
            ASSERT_EQ(shown.blink, want.blink) << step << " at " << r << "," << c;
        }
    }
}

TEST(IncrementalRedraw, MatchesAFullRedrawAfterRandomEditsOverlaysHoversScrollsAndResizes) {
    static const char* glyphs[] = {"a", "█", "▀", "é", "e\xCC\x81", "中", "\xF0\x9F\x91\x8D\xF0\x9F\x8F\xBD",
                                   "\x1b", "\xCC\x81", " ", "\xE2\x80\x8B"};
    static const std::pair<int, int> sizes[] = {{24, 80}, {30, 100}, {18, 60}, {40, 132}, {12, 40}};
    for (const unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 rng(seed);
        const auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
        AppState state;
        state.doc = Document::blank(60, 150);
        state.doc.layers.clear();
        for (int i = 0; i < 3; ++i) {
            CellGrid grid(state.doc.rows, state.doc.cols);
            for (int k = 0; k < 400; ++k)
                grid.set(pick(state.doc.rows), pick(state.doc.cols),
                         {CellChar(glyphs[pick(3)]), C::ansi256(pick(256)), C::ansi16(pick(16)), false});
            Layer layer("L" + std::to_string(i), std::move(grid));
            layer.rowOffset = i - 1;
            layer.colOffset = 2 * i - 2;
            state.doc.layers.push_back(std::move(layer));
        }
        state.activeLayerIndex = 0;

        std::string frame;
        Screen screen([&frame](std::string_view bytes) { frame.append(bytes); }, false);
        Terminal terminal;
        auto [rows, cols] = sizes[0];
        screen.resize(rows, cols);
        terminal.resize(rows, cols);
        Layout layout;
        for (int step = 0; step < 160; ++step) {
            std::string what;
            switch (pick(12)) {
                case 0:
                case 1: {
                    Layer& layer = state.doc.layers[static_cast<std::size_t>(pick(3))];
                    layer.cells.set(pick(state.doc.rows), pick(state.doc.cols),
                                    {CellChar(glyphs[pick(11)]), C::ansi256(pick(256)), C::ansi16(pick(16)), pick(5) == 0});
                    what = "edit";
                    break;
                }
                case 2: {
                    const Overlay overlays[] = {Overlay::help,        Overlay::about,   Overlay::layersPanel,
                                                Overlay::sizePicker,  Overlay::depthPicker, Overlay::history,
                                                Overlay::saveOptions};
                    toggleOverlay(overlays[pick(7)], state);
                    what = "overlay";
                    break;
                }
                case 3:
                case 4:
                    state.mouse = {pick(cols + 2) - 1, pick(rows + 2) - 1};
                    what = "hover";
                    break;
                case 5:
                    scrollView(pick(21) - 10, pick(9) - 4, state, layout);
                    what = "scroll";
                    break;
                case 6:
                    state.sidebarScroll = pick(30);
                    state.tools.tool = static_cast<Tool>(pick(17));
                    what = "tool and sidebar scroll";
                    break;
                case 7:
                    std::tie(rows, cols) = sizes[pick(5)];
                    screen.resize(rows, cols);
                    terminal.resize(rows, cols);
                    what = "resize";
                    break;
                case 8:
                    state.tools.tool = Tool::select;
                    state.selection = CellRect{pick(60), pick(150), pick(60), pick(150)};
                    what = "selection";
                    break;
                case 9: {
                    state.stroke.previewOverlay.clear();
                    for (int k = pick(3) * 10; k > 0; --k)
                        state.stroke.previewOverlay[{pick(60), pick(150)}] = {
                            CellChar(glyphs[pick(11)]), C::ansi16(pick(16)), C::ansi16(pick(16)), false};
                    what = "preview";
                    break;
                }
                case 10:
                    state.doc.colorDepth = state.doc.colorDepth == ColorDepth::mono ? ColorDepth::c256 : ColorDepth::mono;
                    what = "depth";
                    break;
                default:
                    state.cursorVisible = !state.cursorVisible;
                    state.cursor = {pick(60), pick(150)};
                    what = "cursor";
                    break;
            }
            layout = Chrome::compose(state, screen);
            frame.clear();
            screen.flush();
            terminal.apply(frame);
            expectShowsFullRedraw(terminal, state, rows, cols,
                                  "seed " + std::to_string(seed) + " step " + std::to_string(step) + " (" + what + ")");
            if (HasFatalFailure()) return;
        }
    }
}

}  // namespace redraw_test
}  // namespace glyphloom
