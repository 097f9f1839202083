// The program's version, as the build names it.
#pragma once

#include <string_view>

namespace glyphloom {

inline constexpr std::string_view glyphloomVersion = GLYPHLOOM_VERSION;

}  // namespace glyphloom
