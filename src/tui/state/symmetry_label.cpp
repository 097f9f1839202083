#include "tui/state/symmetry_label.hpp"

namespace glyphloom {

std::string_view symmetryLabel(SymmetryMode mode) {
    switch (mode) {
        case SymmetryMode::none: return "Mirror";
        case SymmetryMode::horizontal: return "Mirror│";
        case SymmetryMode::vertical: return "Mirror─";
        case SymmetryMode::both: return "Mirror┼";
    }
    return "Mirror";
}

}  // namespace glyphloom
