// How a colour channel of the pen picks its colour per cell: left alone, the selected colour,
// the next colour of its cycle pool, or a random colour of its random pool.
#pragma once

namespace glyphloom {

enum class ColorMode { null, solid, cycle, random };

}  // namespace glyphloom
