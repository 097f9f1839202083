// The boxes and panels that open over the editor, in one table: whether each is open, how it
// closes (and what it forgets then), where it stacks and how it answers Esc and clicks. The
// state query, the Esc key, the chrome and the pointer all read this table, so an overlay
// added here is known to every one of them.
#pragma once

#include <span>

#include "tui/state/app_state.hpp"

namespace glyphloom {

struct OverlayEntry {
    Overlay id;
    bool (*isOpen)(const AppState&);
    void (*close)(AppState&);
    // Esc closes it when nothing above it is open and no text is being typed.
    bool escCloses;
    // Any click closes it and goes no further.
    bool closesOnAnyClick;
};

// Every overlay, lowest first: a later one is drawn over an earlier one.
std::span<const OverlayEntry> overlayTable();

// Whether `overlay` is held in `AppState::overlay`, excluding the others; false for the SAUCE
// box, the tool panel and the Panspect inspector.
bool isExclusive(Overlay overlay);

// Opens an exclusive overlay, closing the one open before it as its row closes it.
void openOverlay(Overlay overlay, AppState& state);
// Closes `overlay` as its row does (also forgetting its state), when it is open.
void closeOverlay(Overlay overlay, AppState& state);
// Opens `overlay`, or closes it when it is the one open.
void toggleOverlay(Overlay overlay, AppState& state);

// The font browser borrows the file browser's listing to pick a font file to import.
inline bool listingFontFiles(const AppState& state) {
    return state.overlay == Overlay::fontBrowser && state.fontFileListing;
}

// The topmost open overlay that Esc closes, closed; false when there was none.
bool closeTopmostOverlayOnEsc(AppState& state);
// The topmost open overlay that any click closes, closed; false when there was none.
bool closeOverlayOnAnyClick(AppState& state);

}  // namespace glyphloom
