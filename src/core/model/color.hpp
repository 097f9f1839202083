// The colour of a cell: one of the 16 classic ANSI colours, an xterm 256-colour index, or
// 24-bit RGB; with its display label, its SGR parameters and the fixed CGA palette used
// when the terminal takes 24-bit colour. Colour arithmetic lives elsewhere.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace glyphloom {

struct RGB {
    std::uint8_t r = 0, g = 0, b = 0;
    friend constexpr bool operator==(RGB, RGB) = default;
};

struct ANSIColorValue {
    enum class Kind : std::uint8_t { ansi16, ansi256, truecolor };

    // Build values through the factories: they keep the unused payload zeroed, which the
    // defaulted comparison relies on, and keep an index within the byte that holds it.
    static constexpr ANSIColorValue ansi16(int n) { return {Kind::ansi16, 0, 0, 0, index(n)}; }
    static constexpr ANSIColorValue ansi256(int n) { return {Kind::ansi256, 0, 0, 0, index(n)}; }
    static constexpr ANSIColorValue truecolor(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return {Kind::truecolor, r, g, b, 0};
    }

    Kind kind = Kind::ansi16;
    // Five bytes in all, so that a cell with two colours fits in sixteen.
    std::uint8_t r = 0, g = 0, b = 0;  // truecolor only
    std::uint8_t n = 0;                // ansi16 / ansi256 only

    bool isANSI16() const { return kind == Kind::ansi16; }
    bool isANSI256() const { return kind == Kind::ansi256; }
    bool isTruecolor() const { return kind == Kind::truecolor; }
    RGB rgb() const { return {r, g, b}; }

    // "Black" … "White", "ANSI 16", "256:42", "#0080FF".
    std::string label() const;
    // SGR parameters without the escape and the final "m": "31", "91", "38;5;42", "38;2;1;2;3".
    std::string fgEscapeParam() const;
    std::string bgEscapeParam() const;

    static const std::array<ANSIColorValue, 16>& ansi16Colors();
    // The 24-bit values of the 16 classic colours on a 24-bit terminal. Entry 3 is brown.
    static const std::array<RGB, 16>& cgaRGB();

    friend constexpr bool operator==(const ANSIColorValue&, const ANSIColorValue&) = default;

private:
    static constexpr std::uint8_t index(int n) { return static_cast<std::uint8_t>(n < 0 ? 0 : n > 255 ? 255 : n); }
};

// True when COLORTERM (lower-cased) contains "truecolor" or "24bit"; read once.
bool useTruecolorCGA();
// The rule behind useTruecolorCGA, for a given COLORTERM value (nullptr when unset).
bool colortermDeclaresTruecolor(const char* colorterm);

// The decimal text of a colour's SGR parameter, appended to `out`. `truecolorCGA` sends the
// 16 classic colours as fixed CGA RGB values, so the terminal's palette cannot recolour art.
void appendFgParam(std::string& out, const ANSIColorValue& color, bool truecolorCGA);
void appendBgParam(std::string& out, const ANSIColorValue& color, bool truecolorCGA);

}  // namespace glyphloom

template <>
struct std::hash<glyphloom::ANSIColorValue> {
    std::size_t operator()(const glyphloom::ANSIColorValue& c) const noexcept;
};
