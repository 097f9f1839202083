// A cell written out in one call, for tests that build grids cell by cell.
#pragma once

#include "core/model/cell.hpp"

namespace glyphloom {

inline ANSICell cell(const char* character, ANSIColorValue fg, ANSIColorValue bg, bool blink = false) {
    return {CellChar(character), fg, bg, blink};
}

}  // namespace glyphloom
