// The four fixed glyph banks that the function keys F1–F10 stamp with the Text tool, one of
// them current at a time. Data only; stamping belongs to the text tool.
#pragma once

#include <array>
#include <string>

namespace glyphloom {

struct FKeyBank {
    std::string name;
    std::array<std::string, 10> chars;  // F1 … F10
};

struct FKeyBanks {
    // "Shades", "Singles", "Doubles", "Dings", in this order.
    static const std::array<FKeyBank, 4>& banks();
    // A stored bank index brought into range: negative and too-large values wrap.
    static int normalized(int index);
    // The ten glyphs with single blanks between them, as notes and hints show a bank.
    static std::string spacedGlyphs(const FKeyBank& bank);
};

}  // namespace glyphloom
