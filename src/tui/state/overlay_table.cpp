#include "tui/state/overlay_table.hpp"

#include <array>

#include "tui/state/sauce_state.hpp"

namespace glyphloom {
namespace {

template <Overlay id>
bool held(const AppState& state) {
    return state.overlay == id;
}

void forgetNothing(AppState&) {}
void forgetImage(AppState& s) { s.imageImportPath.reset(); }
void forgetHistoryTime(AppState& s) { s.historyOpenedAt.reset(); }
void forgetCharsetMenu(AppState& s) { s.charsetMenuOpen = false; }
void forgetAboutPrompt(AppState& s) {
    s.aboutInput.clear();
    s.aboutHistory.clear();
}
// Closed any way but its own buttons, the browser keeps the face last tried.
void forgetFontBrowserState(AppState& s) {
    s.fontFileListing = false;
    s.fontBrowserPrev.reset();
    s.fontDeletePending.reset();
}

// An exclusive overlay closes by leaving `AppState::overlay` empty and forgetting what it kept.
template <Overlay id, void (*forget)(AppState&)>
void release(AppState& state) {
    if (state.overlay != id) return;
    state.overlay.reset();
    forget(state);
}

template <Overlay id, void (*forget)(AppState&) = forgetNothing>
constexpr OverlayEntry exclusive(bool escCloses, bool closesOnAnyClick) {
    return {id, held<id>, release<id, forget>, escCloses, closesOnAnyClick};
}

const std::array<OverlayEntry, 17> overlays{{
    //                                                                              esc    click
    // The SAUCE box stays open while other boxes are opened from the bar, so it lies beneath
    // them all. It leaves the arrows to the document; closing it also ends a pending claim.
    {Overlay::sauceBox, [](const AppState& s) { return s.sauceBoxOpen; }, closeSauceBox, true, false},
    exclusive<Overlay::sizePicker>(true, false),
    exclusive<Overlay::palettePicker>(true, false),
    exclusive<Overlay::imageImport, forgetImage>(true, false),
    exclusive<Overlay::fontBrowser, forgetFontBrowserState>(true, false),
    exclusive<Overlay::fadesPanel>(true, false),
    exclusive<Overlay::layersPanel>(true, false),
    {Overlay::toolPanel, [](const AppState& s) { return s.toolPanelOpen; }, [](AppState& s) { s.toolPanelOpen = false; },
     false, false},
    exclusive<Overlay::depthPicker>(true, false),
    exclusive<Overlay::presetFileMenu>(true, false),
    exclusive<Overlay::saveOptions>(true, false),
    {Overlay::panspectInspector, [](const AppState& s) { return s.tools.tool == Tool::pans; }, [](AppState&) {}, false,
     false},
    exclusive<Overlay::fileBrowser>(true, false),
    exclusive<Overlay::history, forgetHistoryTime>(true, true),
    exclusive<Overlay::about, forgetAboutPrompt>(true, true),
    exclusive<Overlay::help>(true, true),
    // The character picker's own keys see Esc first; they also drop a fill cycle left empty.
    exclusive<Overlay::charPicker, forgetCharsetMenu>(true, false),
}};

const OverlayEntry* entryFor(Overlay overlay) {
    for (const OverlayEntry& entry : overlays)
        if (entry.id == overlay) return &entry;
    return nullptr;
}

template <class Wanted>
bool closeTopmost(AppState& state, Wanted wanted) {
    // rbegin/rend rather than views::reverse: clang 14 cannot reverse this array as a view.
    for (auto it = overlays.rbegin(); it != overlays.rend(); ++it) {
        const OverlayEntry& entry = *it;
        if (!wanted(entry) || !entry.isOpen(state)) continue;
        entry.close(state);
        return true;
    }
    return false;
}

}  // namespace

std::span<const OverlayEntry> overlayTable() { return overlays; }

bool isExclusive(Overlay overlay) {
    return overlay != Overlay::sauceBox && overlay != Overlay::toolPanel && overlay != Overlay::panspectInspector;
}

void openOverlay(Overlay overlay, AppState& state) {
    if (!isExclusive(overlay) || state.overlay == overlay) return;
    if (state.overlay) closeOverlay(*state.overlay, state);
    state.overlay = overlay;
}

void closeOverlay(Overlay overlay, AppState& state) {
    if (const OverlayEntry* entry = entryFor(overlay); entry && entry->isOpen(state)) entry->close(state);
}

void toggleOverlay(Overlay overlay, AppState& state) {
    if (state.overlay == overlay) closeOverlay(overlay, state);
    else openOverlay(overlay, state);
}

bool closeTopmostOverlayOnEsc(AppState& state) {
    return closeTopmost(state, [](const OverlayEntry& e) { return e.escCloses; });
}

bool closeOverlayOnAnyClick(AppState& state) {
    return closeTopmost(state, [](const OverlayEntry& e) { return e.closesOnAnyClick; });
}

}  // namespace glyphloom
