// Placement and row drawing shared by the overlay boxes: where a box goes (hung under its bar
// button, centred over the canvas, or in the sidebar), how it is kept on a small screen, and
// rows written inside its frame so nothing spills past the border.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tui/state/app_state.hpp"
#include "tui/state/bar_action.hpp"
#include "tui/layout/layout.hpp"
#include "tui/terminal/screen.hpp"

namespace glyphloom::chrome {

// The frame moved and, where it must, shrunk so that it lies on the screen.
Frame fitOnScreen(const Layout& layout, Frame frame);

// A box hung under its bar button, its left edge under the button and pushed left when it
// would run off the right edge. Boxes of buttons not drawn this frame hang at the right edge.
Frame dropBelowButton(const Layout& layout, BarAction action, int width, int height);

// A box centred over the area between the sidebar and the right edge, below the bar.
Frame centredOverCanvas(const Layout& layout, int width, int height);

// The frame to record for hit testing: none when nothing of the box is on the screen.
inline std::optional<Frame> recordedFrame(const Frame& frame) {
    if (frame.width <= 0 || frame.height <= 0) return std::nullopt;
    return frame;
}

// The rows that fit under the bar, for boxes that grow with their content.
int roomBelowBar(const Layout& layout);

// Writes the rows of a framed box. Row i is the i-th row inside the border; rows and columns
// outside the inner area are cut away and give no span, so a clipped box records only what
// the user can see.
class BoxRows {
public:
    BoxRows(Screen& screen, const Frame& frame) : screen_(screen), frame_(frame) {}

    int innerRows() const { return frame_.height - 2; }
    int innerWidth() const { return frame_.width - 2; }
    int innerLeft() const { return frame_.left + 1; }
    int screenRow(int i) const { return frame_.top + 1 + i; }
    bool has(int i) const { return i >= 0 && i < innerRows() && innerWidth() > 0; }

    // Text across the whole inner row, padded with `bg`; the span covers the row.
    std::optional<Span> fill(int i, std::string_view text, const ANSIColorValue& fg, const ANSIColorValue& bg);
    // Text from inner column `col`, cut at the border; the span covers what was drawn.
    std::optional<Span> put(int i, int col, std::string_view text, const ANSIColorValue& fg, const ANSIColorValue& bg);

private:
    Screen& screen_;
    Frame frame_;
};

// The field being typed in as a box shows it: "▌" at the cursor unless all is selected.
std::string entryFieldText(const AppState& state);
// The SAUCE field being typed in, if any.
std::optional<SauceEntry> typedSauceEntry(const AppState& state);

// The tail of a text that fits `width` columns, "…" first when it had to be cut (paths read
// best from their end).
std::string fitTail(std::string_view text, int width);

}  // namespace glyphloom::chrome
