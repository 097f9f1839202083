// Readable GoogleTest output for the model's value types (instead of raw bytes).
#pragma once

#include <ostream>

#include "core/model/cell.hpp"
#include "core/model/color.hpp"

namespace glyphloom {

inline void PrintTo(const ANSIColorValue& c, std::ostream* os) {
    switch (c.kind) {
        case ANSIColorValue::Kind::ansi16: *os << "ansi16(" << c.n << ")"; return;
        case ANSIColorValue::Kind::ansi256: *os << "ansi256(" << c.n << ")"; return;
        case ANSIColorValue::Kind::truecolor:
            *os << "truecolor(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
            return;
    }
}

inline void PrintTo(const RGB& c, std::ostream* os) {
    *os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

inline void PrintTo(GridKey k, std::ostream* os) { *os << "(" << k.row << ", " << k.col << ")"; }

}  // namespace glyphloom
