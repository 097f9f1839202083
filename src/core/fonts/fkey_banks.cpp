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

}  // namespace glyphloom
