#include "tui/actions/font_browser.hpp"

#include <algorithm>

#include "tui/actions/file_browser.hpp"
#include "tui/actions/font_import.hpp"
#include "tui/actions/prompt_actions.hpp"
#include "tui/state/overlay_table.hpp"

namespace glyphloom {

void fontRowTapped(int face, bool rightClick, AppState& state) {
    if (rightClick) return requestFontDelete(face, state);
    if (!state.fontBrowserPrev) state.fontBrowserPrev = state.textFontIndex;
    chooseTextFont(face < 0 ? std::nullopt : std::optional<int>(face), state);
}

void scrollFontList(int delta, int maxScroll, AppState& state) {
    state.fontListScroll = std::clamp(state.fontListScroll + delta, 0, std::max(maxScroll, 0));
}

void answerFontDelete(bool remove, AppState& state) {
    if (remove && state.fontDeletePending) deleteImportedFont(*state.fontDeletePending, state);
    state.fontDeletePending.reset();
}

void openFontFileListing(AppState& state) {
    state.fontFileListing = true;
    refreshBrowse(state);
}

void leaveFontFileListing(AppState& state) {
    state.fontFileListing = false;
    if (promptIs(state.prompt, PromptKind::fontPath)) cancelPrompt(state);
    state.fontListScroll = 0;
}

void fontFileEntryTapped(int index, AppState& state) {
    if (index < 0 || index >= static_cast<int>(state.fileBrowserEntries.size())) return;
    const bool folder = isFolderEntry(state.fileBrowserEntries[static_cast<std::size_t>(index)]);
    activateBrowseEntry(index, state);
    if (!folder) state.fontFileListing = false;
}

void closeFontBrowser(bool keep, AppState& state) {
    if (!keep && state.fontBrowserPrev) state.textFontIndex = *state.fontBrowserPrev;
    closeOverlay(Overlay::fontBrowser, state);  // which forgets the face tried before
}

void openFontBrowser(AppState& state) { openOverlay(Overlay::fontBrowser, state); }

void startFontURLEntry(AppState& state) {
    openPrompt(Prompt(PromptKind::fontPath), state);
    state.statusNote = "paste a font URL, Enter to import";
}

}  // namespace glyphloom
