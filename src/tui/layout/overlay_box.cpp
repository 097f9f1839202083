#include "tui/layout/overlay_box.hpp"

#include <algorithm>

#include "core/text/utf8.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {

Frame fitOnScreen(const Layout& layout, Frame frame) {
    frame.width = std::clamp(frame.width, 0, std::max(layout.termCols, 0));
    frame.height = std::clamp(frame.height, 0, std::max(layout.termRows, 0));
    frame.left = std::clamp(frame.left, 0, std::max(layout.termCols - frame.width, 0));
    frame.top = std::clamp(frame.top, 0, std::max(layout.termRows - frame.height, 0));
    return frame;
}

Frame dropBelowButton(const Layout& layout, BarAction action, int width, int height) {
    int top = layout.twoLineBar ? 2 : 1;
    int left = layout.termCols - width;
    for (const auto& button : layout.barButtonSpans) {
        if (button.value != action) continue;
        top = button.span.row + 1;
        left = button.span.colStart;
        break;
    }
    // Shrink to the rows below the top before moving, so a tall box stays under its button.
    height = std::min(height, std::max(layout.termRows - top, 0));
    return fitOnScreen(layout, {top, left, width, height});
}

int roomBelowBar(const Layout& layout) {
    const int top = layout.twoLineBar ? 2 : 1;
    return std::max(layout.termRows - top, 0);
}

Frame centredOverCanvas(const Layout& layout, int width, int height) {
    const int barRows = layout.twoLineBar ? 2 : 1;
    const int areaTop = barRows;
    const int areaHeight = std::max(layout.termRows - areaTop, 0);
    const int areaLeft = std::min(layout.sidebarWidth, std::max(layout.termCols - width, 0));
    const int areaWidth = std::max(layout.termCols - areaLeft, 0);
    width = std::min(width, areaWidth);
    height = std::min(height, areaHeight);
    const Frame frame{areaTop + (areaHeight - height) / 2, areaLeft + (areaWidth - width) / 2, width, height};
    return fitOnScreen(layout, frame);
}

std::optional<Span> BoxRows::fill(int i, std::string_view text, const ANSIColorValue& fg, const ANSIColorValue& bg) {
    if (!has(i)) return std::nullopt;
    std::string row = fitText(text, innerWidth(), true);
    for (int w = textWidth(row); w < innerWidth(); ++w) row += ' ';
    return putSpan(screen_, row, screenRow(i), innerLeft(), fg, bg);
}

std::optional<Span> BoxRows::put(int i, int col, std::string_view text, const ANSIColorValue& fg,
                                 const ANSIColorValue& bg) {
    if (!has(i) || col < 0 || col >= innerWidth()) return std::nullopt;
    const std::string cut = fitText(text, innerWidth() - col);
    if (cut.empty()) return std::nullopt;
    return putSpan(screen_, cut, screenRow(i), innerLeft() + col, fg, bg);
}

std::string entryFieldText(const AppState& state) { return state.prompt ? state.prompt->withCursor() : std::string(); }

std::optional<SauceEntry> typedSauceEntry(const AppState& state) {
    return state.prompt ? state.prompt->sauceEntry() : std::nullopt;
}

std::string fitTail(std::string_view text, int width) {
    if (width <= 0) return {};
    const auto clusters = utf8::graphemeClusters(text);
    const int count = static_cast<int>(clusters.size());
    if (count <= width) return std::string(text);
    std::string out = "…";
    for (int i = count - (width - 1); i < count; ++i) out += clusters[static_cast<std::size_t>(i)];
    return out;
}

}  // namespace glyphloom::chrome
