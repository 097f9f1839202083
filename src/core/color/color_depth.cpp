#include "core/color/color_depth.hpp"

#include <algorithm>
#include <cmath>

#include "core/color/color_math.hpp"

namespace glyphloom {
namespace {

struct TintEnds {
    double dark[3];
    double bright[3];
};

// Phosphor colours as fractions of full scale: the screen colour at tone 0 and at tone 15.
constexpr TintEnds tintEnds(MonoTint tint) {
    switch (tint) {
        case MonoTint::white:
            return {{0.04, 0.04, 0.04}, {0.92, 0.93, 0.90}};
        case MonoTint::green:
            return {{0.04, 0.04, 0.04}, {0.29, 1.00, 0.42}};
        case MonoTint::amber:
            return {{0.04, 0.04, 0.04}, {1.00, 0.71, 0.22}};
        case MonoTint::inverse:
            return {{0.93, 0.93, 0.91}, {0.06, 0.06, 0.06}};
    }
    return {};
}

// Tone 7 sits a little above the middle of the ramp so mid greys stay readable.
constexpr double blendForTone(int tone) { return tone == 0 ? 0.0 : (tone == 7 ? 0.55 : 1.0); }

ANSIColorValue conformColor(const ANSIColorValue& color, ColorDepth depth) {
    switch (depth) {
        case ColorDepth::mono:
            return ANSIColorValue::ansi16(clampMono(color));
        case ColorDepth::c16:
            return ANSIColorValue::ansi16(nearest16(color));
        case ColorDepth::c256:
        case ColorDepth::truecolor:
            break;
    }
    return color;
}

}  // namespace

std::string_view rawValue(ColorDepth depth) {
    switch (depth) {
        case ColorDepth::mono: return "mono";
        case ColorDepth::c16: return "c16";
        case ColorDepth::c256: return "c256";
        case ColorDepth::truecolor: return "truecolor";
    }
    return "c16";
}

std::optional<ColorDepth> colorDepthFromRawValue(std::string_view raw) {
    for (ColorDepth depth : allColorDepths) {
        if (rawValue(depth) == raw) return depth;
    }
    return std::nullopt;
}

ColorDepth decodeColorDepth(std::string_view raw) { return colorDepthFromRawValue(raw).value_or(ColorDepth::c16); }

std::string_view label(ColorDepth depth) {
    switch (depth) {
        case ColorDepth::mono: return "1";
        case ColorDepth::c16: return "16";
        case ColorDepth::c256: return "256";
        case ColorDepth::truecolor: return "16M";
    }
    return "16";
}

std::string_view rawValue(MonoTint tint) {
    switch (tint) {
        case MonoTint::white: return "white";
        case MonoTint::green: return "green";
        case MonoTint::amber: return "amber";
        case MonoTint::inverse: return "inverse";
    }
    return "white";
}

std::optional<MonoTint> monoTintFromRawValue(std::string_view raw) {
    for (MonoTint tint : allMonoTints) {
        if (rawValue(tint) == raw) return tint;
    }
    return std::nullopt;
}

MonoTint decodeMonoTint(std::string_view raw) { return monoTintFromRawValue(raw).value_or(MonoTint::white); }

std::string_view label(MonoTint tint) {
    switch (tint) {
        case MonoTint::white: return "White";
        case MonoTint::green: return "Green";
        case MonoTint::amber: return "Amber";
        case MonoTint::inverse: return "Inverse";
    }
    return "White";
}

ANSIColorValue displayColor(MonoTint tint, const ANSIColorValue& color) {
    const TintEnds ends = tintEnds(tint);
    const double t = blendForTone(clampMono(color));
    std::uint8_t channels[3];
    for (int i = 0; i < 3; ++i) {
        const double value = 255.0 * (ends.dark[i] + (ends.bright[i] - ends.dark[i]) * t);
        channels[i] = static_cast<std::uint8_t>(std::clamp(std::round(value), 0.0, 255.0));
    }
    return ANSIColorValue::truecolor(channels[0], channels[1], channels[2]);
}

std::string_view backgroundModeRawValue(bool blinkingText) {
    return blinkingText ? "blinkingText" : "brightBackgrounds";
}

std::optional<bool> blinkingTextFromRawValue(std::string_view raw) {
    if (raw == "blinkingText") return true;
    if (raw == "brightBackgrounds") return false;
    return std::nullopt;
}

int toneOfRGB(RGB rgb) {
    // Luminance 0.2126·R + 0.7152·G + 0.0722·B against 84.15 and 191.25, scaled by 10 000 so
    // the comparison is exact: a colour right on a threshold must not flip with rounding.
    const long scaled = 2126L * rgb.r + 7152L * rgb.g + 722L * rgb.b;
    if (scaled < 841'500) return 0;
    if (scaled < 1'912'500) return 7;
    return 15;
}

int clampMono(const ANSIColorValue& color) { return toneOfRGB(rgbOf(color)); }

int nearest16(const ANSIColorValue& color) {
    if (color.isANSI16()) return std::clamp<int>(color.n, 0, 15);
    const RGB rgb = rgbOf(color);
    return nearestANSI16(rgb.r, rgb.g, rgb.b).n;
}

ANSIColorValue clampToDepth(const ANSIColorValue& color, ColorDepth depth) { return conformColor(color, depth); }

ANSIColorValue backgroundForMode(const ANSIColorValue& background, bool blinkingText) {
    // Blinking text takes the background's intensity bit, leaving eight backgrounds.
    if (blinkingText && background.isANSI16() && background.n >= 8 && background.n <= 15) {
        return ANSIColorValue::ansi16(background.n - 8);
    }
    return background;
}

ANSICell conformCell(const ANSICell& cell, ColorDepth depth, bool blinkingText) {
    ANSICell out = cell;
    out.foreground = conformColor(cell.foreground, depth);
    out.background = conformColor(cell.background, depth);
    out.background = backgroundForMode(out.background, blinkingText);
    if (!blinkingText) out.blink = false;
    return out;
}

int outOfSpecCount(const std::vector<Layer>& layers, ColorDepth depth, bool blinkingText) {
    int count = 0;
    for (const Layer& layer : layers) {
        for (int r = 0; r < layer.cells.rowCount(); ++r) {
            for (const ANSICell& cell : layer.cells.row(r)) {
                if (!(conformCell(cell, depth, blinkingText) == cell)) ++count;
            }
        }
    }
    return count;
}

}  // namespace glyphloom
