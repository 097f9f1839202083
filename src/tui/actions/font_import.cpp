#include "tui/actions/font_import.hpp"

namespace glyphloom {

void importFontFromEntry(const std::string&, AppState&) { }
void importFontFile(const std::string&, AppState&) { }
void deleteImportedFont(int, AppState&) { }

}  // namespace glyphloom
