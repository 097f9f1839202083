// The mirror control's label, which also names the mode in the status note.
#pragma once

#include <string_view>

#include "core/model/tool_options.hpp"

namespace glyphloom {

std::string_view symmetryLabel(SymmetryMode mode);

}  // namespace glyphloom
