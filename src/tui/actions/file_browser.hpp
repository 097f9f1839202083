// The file browser's listing: which folders it may show, what a folder lists for the current
// purpose (drawings, fonts, presets or pictures), and moving through folders.
#pragma once

#include <string>
#include <vector>

#include "tui/state/app_state.hpp"

namespace glyphloom {

// The home directory, plus the launch directory when it lies outside it; "/" when neither
// is known.
std::vector<std::string> browseAllowedRoots(const AppState& state);
bool browseCanGoUp(const AppState& state);
// "~" (away from home), ".." (when allowed), then folders ("name/") and matching files, each
// sorted case-insensitively; hidden names are left out.
std::vector<std::string> browseListing(const std::string& dir, const std::vector<std::string>& exts, bool canGoUp);
// The extensions the current mode lists.
std::vector<std::string> browseExtensions(const AppState& state);
void refreshBrowse(AppState& state);
void closeFileBrowser(AppState& state);
// Enters a folder entry, or hands a file entry to the opener of the current mode and closes.
void activateBrowseEntry(int index, AppState& state);

// Moving through the listing, `page` rows at a time being visible: a page up or down, the
// wheel's single rows, and the highlighted entry that the view follows.
void pageBrowse(bool down, int page, AppState& state);
void scrollBrowse(int delta, int page, AppState& state);
void moveBrowseSelection(int delta, int page, AppState& state);
// The listing's own field: a font path or URL while picking a font, else a file to open.
void startBrowsePathEntry(AppState& state);

}  // namespace glyphloom
