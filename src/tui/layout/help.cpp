// The help box: the keyboard and mouse crib sheet, centred over the canvas.
#include <algorithm>
#include <array>

#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"

namespace glyphloom::chrome {

namespace {

constexpr std::array<std::string_view, 18> helpLines = {
    "mouse       paint / drag shapes / pick things",
    "right-click set BG from the color chips",
    "arrows      move the cursor / draw when pen down",
    "wheel PgUp  scroll (Shift sideways) · Home/End ends",
    "space       pen down/up · shapes anchor/commit",
    "typing      stamps characters at the cursor",
    "Enter/Bksp  new line / erase left",
    "ø ⟳ ⤨       colour modes: keep / cycle / random",
    "tool ×2     click again for more options",
    "Ctrl-Z/Y    undo / redo",
    "F1–F10      stamp bank glyph (Text tool)",
    "F11/F12     previous / next glyph bank",
    "Ctrl-E      export PNG (authentic VGA render)",
    "Ctrl-F      export 1920×1080 video frame PNG",
    "Esc         cancel drag, close overlays",
    "filename    click to rename; Enter saves",
    "notes       on the status line; click it: history",
    "Ctrl-C      quit",
};

}  // namespace

void drawHelpBox(const AppState&, Screen& screen, Layout& layout) {
    int textWidthMax = 0;
    for (std::string_view line : helpLines) textWidthMax = std::max(textWidthMax, textWidth(line));
    const int width = textWidthMax + 4;
    const int height = static_cast<int>(helpLines.size()) + 2;
    // Centred over the canvas area, kept on screen.
    const int areaTop = layout.contentTop();
    const int areaHeight = std::max(layout.canvasBottom() - areaTop, 0);
    const int areaLeft = layout.sidebarWidth;
    const int areaWidth = std::max(layout.termCols - areaLeft, 0);
    const Frame frame{std::max(areaTop + (areaHeight - height) / 2, 0), std::max(areaLeft + (areaWidth - width) / 2, 0),
                      width, height};
    drawBox(screen, frame, " Help ", white, sidebarBg);
    for (std::size_t i = 0; i < helpLines.size(); ++i)
        screen.putText(helpLines[i], frame.top + 1 + static_cast<int>(i), frame.left + 2, toolName, sidebarBg);
}

}  // namespace glyphloom::chrome
