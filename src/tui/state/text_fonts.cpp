#include "tui/state/text_fonts.hpp"

namespace glyphloom {

int availableFontCount(const AppState& state) {
    return static_cast<int>(BlockFont::builtIn().size() + state.importedFonts.size());
}

const BlockFont* availableFont(const AppState& state, int index) {
    const auto& builtIn = BlockFont::builtIn();
    if (index < 0) return nullptr;
    if (index < static_cast<int>(builtIn.size())) return &builtIn[static_cast<std::size_t>(index)];
    const auto imported = static_cast<std::size_t>(index) - builtIn.size();
    return imported < state.importedFonts.size() ? &state.importedFonts[imported] : nullptr;
}

const BlockFont* currentTextFont(const AppState& state) {
    return state.textFontIndex ? availableFont(state, *state.textFontIndex) : nullptr;
}

}  // namespace glyphloom
