#include "core/fonts/fkey_banks.hpp"

namespace glyphloom {

const std::array<FKeyBank, 4>& FKeyBanks::banks() {
    static const std::array<FKeyBank, 4> banks = {{
        {"Shades", {"░", "▒", "▓", "█", "▀", "▄", "▌", "▐", "■", " "}},
        {"Singles", {"─", "│", "┌", "┐", "└", "┘", "├", "┤", "┬", "┴"}},
        {"Doubles", {"═", "║", "╔", "╗", "╚", "╝", "╠", "╣", "╦", "╩"}},
        {"Dings", {"·", "∙", "○", "◘", "◙", "♥", "♦", "♣", "♠", "►"}},
    }};
    return banks;
}

int FKeyBanks::normalized(int index) {
    const int count = static_cast<int>(banks().size());
    return ((index % count) + count) % count;
}

std::string FKeyBanks::spacedGlyphs(const FKeyBank& bank) {
    std::string glyphs;
    for (const std::string& glyph : bank.chars) glyphs += (glyphs.empty() ? "" : " ") + glyph;
    return glyphs;
}

}  // namespace glyphloom
