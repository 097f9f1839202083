// The two boxes that only inform: the Panspect inspector, which shows the cell under the
// pointer in the sidebar, and the about box with its little prompt and history.
#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "core/text/utf8.hpp"
#include "tui/layout/chrome.hpp"
#include "tui/layout/overlay_box.hpp"
#include "tui/layout/parts.hpp"
#include "tui/layout/style.hpp"
#include "core/model/version.hpp"

namespace glyphloom::chrome {
namespace {


// The cell the canvas shows at a document position, before any display filter: the shape
// preview where it has one, else the topmost visible layer whose cell is not see-through.
ANSICell shownCell(const AppState& state, int row, int col) {
    if (auto overlay = state.stroke.previewOverlay.find(GridKey{row, col});
        overlay != state.stroke.previewOverlay.end())
        return overlay->second;
    return compositedCellAt(state.doc.layers, row, col);
}

std::string codePointText(const CellChar& character) {
    char32_t scalar = U' ';
    if (auto single = character.scalar()) {
        scalar = *single;
    } else if (const std::u32string decoded = utf8::decode(character.str()); !decoded.empty()) {
        scalar = decoded.front();
    }
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(scalar));
    return buffer;
}

// History lines wrapped to `width` columns; continuation lines are indented.
std::vector<std::string> wrapHistory(const std::vector<std::string>& history, int width) {
    constexpr int indent = 2;
    std::vector<std::string> lines;
    for (const std::string& entry : history) {
        const auto clusters = utf8::graphemeClusters(entry);
        std::size_t next = 0;
        bool first = true;
        do {
            const std::size_t take = static_cast<std::size_t>(first ? width : width - indent);
            std::string line = first ? "" : std::string(indent, ' ');
            for (std::size_t i = next; i < clusters.size() && i < next + take; ++i) line += clusters[i];
            lines.push_back(std::move(line));
            next += take;
            first = false;
        } while (next < clusters.size());
    }
    return lines;
}

}  // namespace

void drawPanspectInspector(const AppState& state, Screen& screen, Layout& layout) {
    const auto cell = layout.docCell(state.mouse.x, state.mouse.y);
    if (!cell) return;
    const ANSICell shown = shownCell(state, cell->row, cell->col);
    // The box stays inside the sidebar: a colour label too long to share a line with its
    // letter gets a line of its own.
    const int width = layout.sidebarWidth;
    const int inner = std::max(width - 2, 1);
    std::vector<std::string> lines = {
        fitText(codePointText(shown.character), inner),
        fitText(std::to_string(cell->row) + "," + std::to_string(cell->col), inner, true),
    };
    for (const auto& [letter, color] : {std::pair{" f ", shown.foreground}, std::pair{" b ", shown.background}}) {
        const std::string line = letter + color.label();
        if (textWidth(line) <= inner) {
            lines.push_back(line);
        } else {
            lines.push_back(std::string(letter).substr(0, 2));
            lines.push_back(fitText(color.label(), inner, true));
        }
    }
    constexpr int enlargedRows = 2;
    const int height = enlargedRows + static_cast<int>(lines.size()) + 2;
    // Sits on top of the preview box at the foot of the sidebar.
    const int foot = layout.previewFrame ? layout.previewFrame->first : layout.sidebarBottom();
    const Frame frame = fitOnScreen(layout, {std::max(foot - height, layout.sidebarTop()), 0, width, height});
    drawBox(screen, frame, textWidth(" Inspect") <= width - 2 ? " Inspect" : "Inspect", separator, boxBg);
    BoxRows box(screen, frame);

    // The cell itself, blown up to a block of its own character and colours.
    const int blockWidth = std::max(box.innerWidth() - 2, 1);
    for (int r = 0; r < enlargedRows; ++r) {
        if (!box.has(r)) break;
        for (int c = 0; c < blockWidth && 1 + c < box.innerWidth(); ++c)
            screen.put({shown.character, shown.foreground, shown.background, false}, box.screenRow(r),
                       box.innerLeft() + 1 + c);
    }
    for (std::size_t i = 0; i < lines.size(); ++i)
        box.put(enlargedRows + static_cast<int>(i), 0, lines[i], toolName, boxBg);
}

void drawAboutBox(const AppState& state, Screen& screen, Layout& layout) {
    constexpr int wrapWidth = 29;
    constexpr int innerWidth = wrapWidth + 2;
    const std::string fullTitle = "Glyphloom¹⁶ᴹ";
    const std::vector<std::string> centred = {
        "text mode!",
        "v" + std::string(glyphloomVersion()),
        "16 · 256 · 16M colors",
        "Linux & Mac terminals",
        "made cell by cell, by hand",
        "a message of love",
    };
    // Title, the centred lines, a blank, then the history and the prompt.
    const int fixedRows = 1 + static_cast<int>(centred.size()) + 1 + 1;
    const std::vector<std::string> history = wrapHistory(state.aboutHistory, wrapWidth);
    const int room = std::max(roomBelowBar(layout) - 2, 0);
    const int historyRows = std::clamp(room - fixedRows, 0, static_cast<int>(history.size()));
    const Frame frame = centredOverCanvas(layout, innerWidth + 2, fixedRows + historyRows + 2);
    drawDoubleBox(screen, frame, "", white, boxBg);
    BoxRows box(screen, frame);

    // The prompt keeps the last row even when the box is cut short; the rest fills above it.
    const int promptRow = std::min(fixedRows + historyRows - 1, box.innerRows() - 1);
    const auto titleLetters = utf8::graphemeClusters(fullTitle);
    const int titleCol = (box.innerWidth() - static_cast<int>(titleLetters.size())) / 2;
    if (promptRow > 0)
        for (int i = 0; i < static_cast<int>(titleLetters.size()); ++i)
            box.put(0, titleCol + i, titleLetters[static_cast<std::size_t>(i)], Chrome::titleColor(i), boxBg);
    int row = 1;
    for (const std::string& line : centred) {
        if (row >= promptRow) break;
        box.put(row++, std::max((box.innerWidth() - textWidth(line)) / 2, 0), line, toolName, boxBg);
    }
    ++row;
    // The newest history lines, directly above the prompt.
    for (auto line = history.end() - historyRows; line != history.end() && row < promptRow; ++line)
        box.put(row++, 1, *line, ANSIColorValue::ansi16(10), boxBg);
    box.put(promptRow, 1, "> " + fitTail(state.aboutInput + "█", box.innerWidth() - 3), white, boxBg);
}

}  // namespace glyphloom::chrome
