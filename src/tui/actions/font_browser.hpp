// The font browser's own controls: trying a face (and going back to the one before on
// cancel), scrolling the list, the two-step removal of an imported font, and switching to the
// folder listing that picks a font file.
#pragma once

#include "tui/state/app_state.hpp"

namespace glyphloom {

// The sidebar's "Fonts…" button.
void openFontBrowser(AppState& state);
// A click on a face row; -1 is the plain face. A right click asks to remove an imported font.
void fontRowTapped(int face, bool rightClick, AppState& state);
void scrollFontList(int delta, int maxScroll, AppState& state);
// The answer to "remove this font?".
void answerFontDelete(bool remove, AppState& state);
void openFontFileListing(AppState& state);
// Back from the file listing or the URL field to the list of faces.
void leaveFontFileListing(AppState& state);
// An entry of the font file listing: a folder is entered, a file is imported after this frame
// and the listing gives way to the faces again.
void fontFileEntryTapped(int index, AppState& state);
// OK keeps the face being tried; cancel returns to the one chosen before the browser opened.
void closeFontBrowser(bool keep, AppState& state);
// The browser's URL field: a font file path or web address to import.
void startFontURLEntry(AppState& state);

}  // namespace glyphloom
