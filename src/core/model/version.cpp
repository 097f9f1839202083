#include "core/model/version.hpp"

namespace glyphloom {

std::string_view glyphloomVersion() { return GLYPHLOOM_VERSION; }

}  // namespace glyphloom
