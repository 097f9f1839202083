// Opening and saving documents, with their companions, and exporting pictures.
// Opening, saving and exporting are not built yet: those entry points do nothing so far.
#pragma once

#include <string>
#include "tui/state/app_state.hpp"

namespace glyphloom {

void loadDocument(const std::string& named, AppState& state);
void saveDocument(AppState& state);
void exportDocumentPNG(AppState& state);

// Brings every cell of every layer into the document's colour depth and background mode,
// as one undoable step.
void conformDocument(AppState& state);

}  // namespace glyphloom
