// Turning a PNG picture (the file waiting in `imageImportPath`) into a new layer of cells
// on top of the stack, in the mode the user picked in the import box.
#pragma once

#include <string>

#include "core/render/image_import_mode.hpp"
#include "tui/state/app_state.hpp"

namespace glyphloom {

// The layer name a picture file gives: the first non-empty piece of its name before a dot,
// at most 11 characters; "Image" when there is none.
std::string imageLayerName(const std::string& path);

// Consumes `imageImportPath`; refuses at the layer limit and on files it cannot decode,
// leaving the document and its undo history as they were.
void importImageAsLayer(ImageImportMode mode, AppState& state);

}  // namespace glyphloom
