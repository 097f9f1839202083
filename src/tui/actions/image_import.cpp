#include "tui/actions/image_import.hpp"

namespace glyphloom {

void importImageAsLayer(ImageImportMode, AppState&) { }

}  // namespace glyphloom
