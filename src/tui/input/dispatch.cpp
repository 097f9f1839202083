#include "tui/input/dispatch.hpp"

#include <algorithm>

#include "core/text/utf8.hpp"
#include "tui/tools/text_tool.hpp"
#include "tui/tools/painting.hpp"
#include "tui/tools/shape_tool.hpp"

namespace glyphloom {

void requestQuit(AppState& state) {
    if (state.dirty && !state.quitArmed) {
        state.quitArmed = true;
        state.statusNote = "unsaved changes — Ctrl-C again to quit";
        return;
    }
    state.shouldQuit = true;
}

void handleResize(AppState& state, Screen& screen, TimeStamp now, RandomSource& random) {
    const TerminalSize size = Terminal::size();
    screen.resize(size.rows, size.cols);
    // While the user keeps dragging the window edge, every second or third change shows a
    // frame of static instead of a half-drawn interface.
    if (now - state.lastResizeAt > resizeStreakGap) {
        state.resizeStep = 0;
        state.resizeThreshold = random.uniformInt(2, 3);
    }
    state.lastResizeAt = now;
    if (++state.resizeStep >= state.resizeThreshold) state.resizeStatic = true;
}

void handle(const InputEvent& event, AppState& state, const Layout& layout, Terminal& terminal, Screen& screen) {
    (void)terminal;
    const bool quitKey = event.kind == InputEvent::Kind::key && (event.byte == 3 || event.byte == 17);
    // Any deliberate input other than another quit request disarms the confirmation;
    // merely moving the mouse does not.
    if (!quitKey && event.kind != InputEvent::Kind::mouseMove) state.quitArmed = false;

    switch (event.kind) {
        case InputEvent::Kind::mouseDown: handleMouseDown(event.x, event.y, event.button, state, layout); break;
        case InputEvent::Kind::mouseUp: handleMouseUp(event.x, event.y, state, layout); break;
        case InputEvent::Kind::mouseMove: handleMouseMove(event.x, event.y, state, layout); break;
        case InputEvent::Kind::scroll: handleScroll(event.x, event.y, event.up, state, layout); break;
        case InputEvent::Kind::key:
            if (event.byte == 12) screen.invalidate();  // Ctrl-L repaints everything
            handleKey(event.byte, state, layout);
            break;
        case InputEvent::Kind::arrow: handleArrow(event.arrow, state, layout); break;
        case InputEvent::Kind::fkey: handleFKey(event.fkey, state); break;
        case InputEvent::Kind::resize:
            handleResize(state, screen, std::chrono::steady_clock::now(), defaultRandomSource());
            break;
        case InputEvent::Kind::eof: state.shouldQuit = true; break;
    }
}

void handleScroll(int, int, bool up, AppState& state, const Layout& layout) {
    const int delta = up ? -1 : 1;
    if (state.fontBrowserOpen2) {
        state.fontListScroll = std::clamp(state.fontListScroll + delta, 0, std::max(layout.fontListMaxScroll, 0));
    } else if (state.fileBrowserOpen) {
        const int entries = static_cast<int>(state.fileBrowserEntries.size());
        state.browseScroll = std::clamp(state.browseScroll + delta, 0, std::max(0, entries - std::max(1, layout.browsePageSize)));
    }
}

std::string lowerToolName(Tool tool) { return utf8::asciiLowercase(rawValue(tool)); }

void liftKeyboardPen(AppState& state) {
    state.kbStroke = false;
    state.paintingStroke = false;
    state.penConns.clear();
    state.penColors.clear();
    state.penChars.clear();
}

void pickCell(GridKey at, AppState& state) {
    if (at.row < 0 || at.row >= AppState::docRows || at.col < 0 || at.col >= AppState::docCols) return;
    const ANSICell picked = compositedCellAt(state.layers, at.row, at.col);
    const ANSICell* cell = &picked;
    state.penChar = cell->character.str();
    state.charNull = false;
    state.fg = cell->foreground;
    state.penBg = cell->background;
    state.fgNull = state.bgNull = false;
    state.fgCycle = state.bgCycle = state.charCycle = false;
    state.fgRandom = state.bgRandom = state.charRandom = false;
    if (state.blinkingText && state.penBg.isANSI16() && state.penBg.n >= 8 && state.penBg.n <= 15)
        state.penBg = ANSIColorValue::ansi16(state.penBg.n - 8);
    state.statusNote = "picked " + state.penChar + "/" + state.fg.label() + "/" + state.penBg.label();
}

}  // namespace glyphloom
