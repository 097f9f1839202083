// The boxes and panels that open over the editor, in one table: the flag that says each is
// open, how it closes, where it stacks and how it answers Esc and clicks. The state query,
// the Esc key, the chrome and the pointer all read this table, so an overlay added here is
// known to every one of them.
#pragma once

#include <optional>
#include <span>

#include "tui/state/app_state.hpp"

namespace glyphloom {

enum class Overlay {
    sizePicker,
    palettePicker,
    imageImport,
    fontBrowser,
    fadesPanel,
    layersPanel,
    toolPanel,
    depthPicker,
    presetFileMenu,
    sauceBox,
    saveOptions,
    panspectInspector,
    fileBrowser,
    history,
    about,
    help,
    charPicker,
};

struct OverlayEntry {
    Overlay id;
    bool (*isOpen)(const AppState&);
    void (*close)(AppState&);
    // Esc closes it when nothing above it is open and no text is being typed.
    bool escCloses;
    // Any click closes it and goes no further.
    bool closesOnAnyClick;
    // It counts as an open overlay (AppState::anyOverlayOpen): arrows then move the keyboard
    // pointer instead of the document cursor, and closing it repaints the whole screen.
    bool countsAsOpen;
};

// Every overlay, lowest first: a later one is drawn over an earlier one.
std::span<const OverlayEntry> overlayTable();

// The topmost open overlay that Esc closes, closed; false when there was none.
bool closeTopmostOverlayOnEsc(AppState& state);
// The topmost open overlay that any click closes, closed; false when there was none.
bool closeOverlayOnAnyClick(AppState& state);

}  // namespace glyphloom
