#include "tui/actions/status_notes.hpp"

#include <algorithm>

namespace glyphloom {

void refreshStatusLineNote(AppState& state, TimeStamp now) {
    if (state.statusNote.serial() != state.noteSerialSeen) {
        state.noteSerialSeen = state.statusNote.serial();
        state.noteShownAt = now;
    }
    state.noteOnStatusLine = state.statusNote && state.noteShownAt && now - *state.noteShownAt < noteOnStatusLineFor;
}

std::optional<std::chrono::milliseconds> statusNoteTimeLeft(const AppState& state, TimeStamp now) {
    if (!state.noteOnStatusLine || !state.noteShownAt) return std::nullopt;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(*state.noteShownAt + noteOnStatusLineFor - now);
    return std::max(left, std::chrono::milliseconds(0));
}

}  // namespace glyphloom
