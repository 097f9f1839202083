#include "core/model/color.hpp"

#include "core/text/utf8.hpp"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace glyphloom {
namespace {

constexpr std::array<const char*, 16> ansi16Names = {
    "Black",   "Red",    "Green",  "Yellow",  "Blue",   "Magenta", "Cyan",   "Lt Gray",
    "Dk Gray", "Br Red", "Br Grn", "Br Yel",  "Br Blue", "Br Mag", "Br Cyn", "White"};

// Every cell of a repainted screen needs a few of these: no formatting machinery.
void appendNumber(std::string& out, long long value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendRGB(std::string& out, const char* prefix, RGB rgb) {
    out += prefix;
    appendNumber(out, rgb.r);
    out += ';';
    appendNumber(out, rgb.g);
    out += ';';
    appendNumber(out, rgb.b);
}

// Shared by the file-facing parameters (never CGA) and the screen's (CGA on request).
// `base` is 30 for foreground, 40 for background; bright colours add 60.
void appendParam(std::string& out, const ANSIColorValue& c, bool truecolorCGA, int base) {
    const char* prefix256 = base == 30 ? "38;5;" : "48;5;";
    const char* prefixRGB = base == 30 ? "38;2;" : "48;2;";
    switch (c.kind) {
        case ANSIColorValue::Kind::ansi16:
            if (truecolorCGA && c.n <= 15) {
                appendRGB(out, prefixRGB, ANSIColorValue::cgaRGB()[static_cast<std::size_t>(c.n)]);
            } else if (c.n < 8) {
                appendNumber(out, base + static_cast<long long>(c.n));
            } else {
                appendNumber(out, base + 60 + (static_cast<long long>(c.n) - 8));
            }
            return;
        case ANSIColorValue::Kind::ansi256:
            out += prefix256;
            appendNumber(out, c.n);
            return;
        case ANSIColorValue::Kind::truecolor:
            appendRGB(out, prefixRGB, c.rgb());
            return;
    }
}

}  // namespace

std::string ANSIColorValue::label() const {
    switch (kind) {
        case Kind::ansi16:
            if (n <= 15) return ansi16Names[static_cast<std::size_t>(n)];
            return "ANSI " + std::to_string(n);
        case Kind::ansi256:
            return "256:" + std::to_string(n);
        case Kind::truecolor: {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "#%02X%02X%02X", r, g, b);
            return buffer;
        }
    }
    return {};
}

std::string ANSIColorValue::fgEscapeParam() const {
    std::string out;
    appendParam(out, *this, false, 30);
    return out;
}

std::string ANSIColorValue::bgEscapeParam() const {
    std::string out;
    appendParam(out, *this, false, 40);
    return out;
}

const std::array<ANSIColorValue, 16>& ANSIColorValue::ansi16Colors() {
    static const auto colors = [] {
        std::array<ANSIColorValue, 16> all{};
        for (int i = 0; i < 16; ++i) all[static_cast<std::size_t>(i)] = ansi16(i);
        return all;
    }();
    return colors;
}

const std::array<RGB, 16>& ANSIColorValue::cgaRGB() {
    static constexpr std::array<RGB, 16> palette = {{
        {0x00, 0x00, 0x00}, {0xAA, 0x00, 0x00}, {0x00, 0xAA, 0x00}, {0xAA, 0x55, 0x00},
        {0x00, 0x00, 0xAA}, {0xAA, 0x00, 0xAA}, {0x00, 0xAA, 0xAA}, {0xAA, 0xAA, 0xAA},
        {0x55, 0x55, 0x55}, {0xFF, 0x55, 0x55}, {0x55, 0xFF, 0x55}, {0xFF, 0xFF, 0x55},
        {0x55, 0x55, 0xFF}, {0xFF, 0x55, 0xFF}, {0x55, 0xFF, 0xFF}, {0xFF, 0xFF, 0xFF},
    }};
    return palette;
}

bool colortermDeclaresTruecolor(const char* colorterm) {
    if (colorterm == nullptr) return false;
    const std::string lowered = utf8::asciiLowercase(colorterm);
    return lowered.find("truecolor") != std::string::npos || lowered.find("24bit") != std::string::npos;
}

bool useTruecolorCGA() {
    static const bool value = colortermDeclaresTruecolor(std::getenv("COLORTERM"));
    return value;
}

void appendFgParam(std::string& out, const ANSIColorValue& color, bool truecolorCGA) {
    appendParam(out, color, truecolorCGA, 30);
}

void appendBgParam(std::string& out, const ANSIColorValue& color, bool truecolorCGA) {
    appendParam(out, color, truecolorCGA, 40);
}

}  // namespace glyphloom

std::size_t std::hash<glyphloom::ANSIColorValue>::operator()(const glyphloom::ANSIColorValue& c) const noexcept {
    // Case ordinal first, then the payload, as in the model's definition of identity.
    std::size_t h = static_cast<std::size_t>(c.kind);
    auto mix = [&h](std::size_t v) { h ^= v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2); };
    if (c.kind == glyphloom::ANSIColorValue::Kind::truecolor) {
        mix(c.r), mix(c.g), mix(c.b);
    } else {
        mix(static_cast<std::size_t>(c.n));
    }
    return h;
}
