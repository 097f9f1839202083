#include "app/main_loop.hpp"

#include <algorithm>
#include <thread>

#include "tui/layout/chrome.hpp"
#include "tui/input/dispatch.hpp"
#include "tui/actions/font_import.hpp"
#include "tui/actions/status_notes.hpp"
#include "tui/state/overlay_table.hpp"
#include "tui/tools/tool_preview.hpp"

namespace glyphloom {
namespace {

// The keyboard pointer asks for a click; it is played as a press and release at its cell.
void playPendingClick(AppState& state, const Layout& layout, Terminal& terminal, Screen& screen) {
    if (!state.pendingClick) return;
    const ScreenCell at = *state.pendingClick;
    state.pendingClick.reset();
    const auto kbCursor = state.kbCursor;
    handle(InputEvent::mouseDown(at.col, at.row, 0), state, layout, terminal, screen);
    handle(InputEvent::mouseUp(at.col, at.row), state, layout, terminal, screen);
    if (state.prompt) {
        // Typing goes to the field now, not to the pointer.
        state.kbCursor.reset();
        state.cursorVisible = false;
    } else {
        state.kbCursor = kbCursor;
        if (kbCursor) state.mouse = {kbCursor->col, kbCursor->row};
    }
}

}  // namespace

Layout drawFrame(AppState& state, Screen& screen) {
    refreshStatusLineNote(state, std::chrono::steady_clock::now());
    Layout layout = Chrome::compose(state, screen);
    screen.flush();
    return layout;
}

void processBatch(const std::vector<InputEvent>& events, AppState& state, const Layout& layout, Terminal& terminal,
                  Screen& screen, TimeStamp now) {
    const bool overlayWasOpen = state.anyOverlayOpen();
    const bool resized = std::any_of(events.begin(), events.end(),
                                     [](const InputEvent& e) { return e.kind == InputEvent::Kind::resize; });
    for (const InputEvent& event : events) handle(event, state, layout, terminal, screen);
    playPendingClick(state, layout, terminal, screen);
    // Whatever the overlay covered must be repainted in full, not diffed.
    if (overlayWasOpen && !state.anyOverlayOpen()) screen.invalidate();
    if (!resized) state.resizeStep = 0;
    if (state.overlay == Overlay::history && state.historyOpenedAt && now - *state.historyOpenedAt > historyAutoClose)
        closeOverlay(Overlay::history, state);
    if (state.resizeStatic) {
        Chrome::tvStatic(screen);
        screen.flush();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        state.resizeStatic = false;
    }
}

void runMainLoop(AppState& state, Terminal& terminal, Screen& screen, Layout& layout, RecoveryKeeper* keeper) {
    using Clock = std::chrono::steady_clock;
    bool endOfInput = false;
    while (!state.shouldQuit && !TerminalGlobals::endSignal) {
        auto timeout = keeper ? keeper->pollTimeout(state, Clock::now()) : std::nullopt;
        // Wake when the note on the status line is due to make way for the hints.
        const auto noteLeft = statusNoteTimeLeft(state, Clock::now());
        if (noteLeft && (!timeout || *noteLeft < *timeout)) timeout = *noteLeft + std::chrono::milliseconds(1);
        if (state.fontDownload) timeout = std::min(timeout.value_or(fontDownloadPollInterval), fontDownloadPollInterval);
        const std::vector<InputEvent> events = terminal.readEvents(timeout);
        if (TerminalGlobals::endSignal) break;
        if (Terminal::takeResumed()) {
            // Back from a stop: the terminal shows whatever the shell left, at whatever size.
            const TerminalSize size = Terminal::size();
            if (size.rows != screen.rows() || size.cols != screen.cols()) screen.resize(size.rows, size.cols);
            screen.invalidate();
            layout = drawFrame(state, screen);
        }
        // A download runs beside the loop: its progress, then its import, show as they come.
        const auto repaint = [&] { drawFrame(state, screen); };
        if (followFontDownload(state, repaint)) layout = drawFrame(state, screen);
        if (events.empty()) {
            if (state.noteOnStatusLine) layout = drawFrame(state, screen);
            if (!keeper) continue;
            // No input for a while: the moment for a recovery copy. A failure says so.
            const auto note = state.statusNote.value();
            keeper->tick(state, Clock::now());
            if (state.statusNote.value() != note) layout = drawFrame(state, screen);
            continue;
        }
        endOfInput = std::any_of(events.begin(), events.end(),
                                 [](const InputEvent& e) { return e.kind == InputEvent::Kind::eof; });
        processBatch(events, state, layout, terminal, screen, Clock::now());
        updatePresetHoverPreview(state, layout);
        updateToolPreview(state, layout);
        layout = drawFrame(state, screen);
        if ((state.pendingFontURL && !state.fontDownload) || state.pendingFontFile) {
            // A file import blocks (a download only starts here); the frame just shown says
            // what is happening, and an archive redraws after each of its fonts.
            runPendingFontImport(state, repaint);
            layout = drawFrame(state, screen);
        }
        if (keeper) {
            keeper->noteInput(state, Clock::now());
            keeper->tick(state, Clock::now());
        }
    }
    if (keeper) {
        // A hang-up, a termination or a vanished terminal: nobody chose to drop the work.
        if (TerminalGlobals::endSignal || endOfInput) keeper->writeNow(state);
        else keeper->discard();
    }
    // However the loop ended, a download still running is stopped and its thread joined
    // (after the work is safe: that may take a moment).
    state.fontDownload.reset();
    state.pendingFontURL.reset();
}

}  // namespace glyphloom
