// The canvas size typed as "COLSxROWS" (on the command line and in the size picker).
#pragma once

#include <optional>
#include <string_view>

namespace glyphloom {

struct CanvasSize {
    int cols = 0;
    int rows = 0;
    friend bool operator==(CanvasSize, CanvasSize) = default;
};

// "COLSxROWS" in either letter case, clamped to 10–320 columns and 4–200 rows; nothing when
// the text is not two integers around an "x".
std::optional<CanvasSize> parseCanvasSize(std::string_view value);

}  // namespace glyphloom
