// Importing TheDraw and FIGlet fonts from files, ZIP archives and URLs.
// Not built yet: these entry points are called from the dispatcher and do nothing so far.
#pragma once

#include <string>
#include "tui/state/app_state.hpp"

namespace glyphloom {

void importFontFromEntry(const std::string& entry, AppState& state);
void importFontFile(const std::string& named, AppState& state);
void deleteImportedFont(int at, AppState& state);

}  // namespace glyphloom
