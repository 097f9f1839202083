// The program's version, as the build names it. Only version.cpp sees the build's define,
// so a new version number recompiles that one file.
#pragma once

#include <string_view>

namespace glyphloom {

std::string_view glyphloomVersion();

}  // namespace glyphloom
