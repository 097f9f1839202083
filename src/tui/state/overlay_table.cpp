#include "tui/state/overlay_table.hpp"

#include <array>

#include "tui/state/sauce_state.hpp"

namespace glyphloom {
namespace {

// Flags are tested and cleared through member pointers so that each row stays one line.
template <bool AppState::*flag>
bool isSet(const AppState& state) {
    return state.*flag;
}
template <bool AppState::*flag>
void clear(AppState& state) {
    state.*flag = false;
}

const std::array<OverlayEntry, 17> overlays{{
    // id                        open                                  close
    //                                                                         esc    click  counts
    // The SAUCE box stays open while other boxes are opened from the bar, so it lies beneath
    // them all. It leaves the arrows to the document; closing it also ends a pending claim.
    {Overlay::sauceBox, isSet<&AppState::sauceBoxOpen>, closeSauceBox, true, false, false},
    {Overlay::sizePicker, isSet<&AppState::sizePickerOpen>, clear<&AppState::sizePickerOpen>, true, false, true},
    {Overlay::palettePicker, isSet<&AppState::palettePickerOpen>, clear<&AppState::palettePickerOpen>, true, false, true},
    {Overlay::imageImport, [](const AppState& s) { return s.imageImportPath.has_value(); },
     [](AppState& s) { s.imageImportPath.reset(); }, true, false, true},
    {Overlay::fontBrowser, isSet<&AppState::fontBrowserOpen2>, clear<&AppState::fontBrowserOpen2>, true, false, true},
    {Overlay::fadesPanel, isSet<&AppState::fadesPanelOpen>, clear<&AppState::fadesPanelOpen>, true, false, true},
    {Overlay::layersPanel, isSet<&AppState::layersPanelOpen>, clear<&AppState::layersPanelOpen>, true, false, true},
    {Overlay::toolPanel, isSet<&AppState::toolPanelOpen>, clear<&AppState::toolPanelOpen>, false, false, true},
    {Overlay::depthPicker, isSet<&AppState::depthPickerOpen>, clear<&AppState::depthPickerOpen>, true, false, true},
    {Overlay::presetFileMenu, isSet<&AppState::presetFileMenuOpen>, clear<&AppState::presetFileMenuOpen>, true, false,
     true},
    {Overlay::saveOptions, isSet<&AppState::saveOptionsOpen>, clear<&AppState::saveOptionsOpen>, true, false, true},
    {Overlay::panspectInspector, [](const AppState& s) { return s.tools.tool == Tool::pans; }, [](AppState&) {}, false,
     false, false},
    {Overlay::fileBrowser, isSet<&AppState::fileBrowserOpen>, clear<&AppState::fileBrowserOpen>, true, false, true},
    {Overlay::history, isSet<&AppState::historyOpen>,
     [](AppState& s) {
         s.historyOpen = false;
         s.historyOpenedAt.reset();
     },
     true, true, true},
    {Overlay::about, isSet<&AppState::aboutOpen>,
     [](AppState& s) {
         s.aboutOpen = false;
         s.aboutInput.clear();
         s.aboutHistory.clear();
     },
     true, true, true},
    {Overlay::help, isSet<&AppState::helpOpen>, clear<&AppState::helpOpen>, true, true, true},
    // The character picker's own keys see Esc first; they also drop a fill cycle left empty.
    {Overlay::charPicker, [](const AppState& s) { return s.charPickerOpen || s.charsetMenuOpen; },
     [](AppState& s) { s.charPickerOpen = s.charsetMenuOpen = false; }, true, false, true},
}};

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

bool closeTopmostOverlayOnEsc(AppState& state) {
    return closeTopmost(state, [](const OverlayEntry& e) { return e.escCloses; });
}

bool closeOverlayOnAnyClick(AppState& state) {
    return closeTopmost(state, [](const OverlayEntry& e) { return e.closesOnAnyClick; });
}

}  // namespace glyphloom
