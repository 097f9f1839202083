#include "core/color/color_math.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace glyphloom {
namespace {

constexpr std::array<RGB, 16> vga16 = {{
    {0, 0, 0},     {170, 0, 0},    {0, 170, 0},    {170, 85, 0},   {0, 0, 170},    {170, 0, 170},
    {0, 170, 170}, {170, 170, 170}, {85, 85, 85},  {255, 85, 85},  {85, 255, 85},  {255, 255, 85},
    {85, 85, 255}, {255, 85, 255},  {85, 255, 255}, {255, 255, 255},
}};

constexpr std::array<int, 6> cubeLevels = {0, 95, 135, 175, 215, 255};
constexpr int cubeStart = 16;
constexpr int greyStart = 232;

constexpr std::array<RGB, 256> buildPalette256() {
    std::array<RGB, 256> p{};
    for (int i = 0; i < 16; ++i) p[i] = vga16[i];
    for (int i = 0; i < 216; ++i) {
        p[cubeStart + i] = {static_cast<std::uint8_t>(cubeLevels[i / 36]),
                            static_cast<std::uint8_t>(cubeLevels[(i / 6) % 6]),
                            static_cast<std::uint8_t>(cubeLevels[i % 6])};
    }
    for (int i = 0; i < 24; ++i) {
        const auto v = static_cast<std::uint8_t>(8 + 10 * i);
        p[greyStart + i] = {v, v, v};
    }
    return p;
}

constexpr std::array<RGB, 256> palette = buildPalette256();

// The cube is a product of one level set per channel, so the nearest cube entry is the
// nearest level in each channel independently; taking the lower level on a tie per channel
// yields the lowest cube index among equally near entries.
constexpr std::array<std::uint8_t, 256> buildNearestLevel() {
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
        int best = 0;
        for (int l = 1; l < 6; ++l) {
            const int d = (v - cubeLevels[l]) * (v - cubeLevels[l]);
            const int bestD = (v - cubeLevels[best]) * (v - cubeLevels[best]);
            if (d < bestD) best = l;
        }
        table[v] = static_cast<std::uint8_t>(best);
    }
    return table;
}

// Distance to a grey (g, g, g) is Σc² − 2g·S + 3g² with S = r + g + b, so which grey of the
// ramp is nearest depends on the channel sum alone.
constexpr std::array<std::uint8_t, 766> buildNearestGrey() {
    std::array<std::uint8_t, 766> table{};
    for (int sum = 0; sum <= 765; ++sum) {
        int best = 0;
        long bestD = std::numeric_limits<long>::max();
        for (int i = 0; i < 24; ++i) {
            const long grey = 8 + 10 * i;
            const long d = 3 * grey * grey - 2 * grey * sum;
            if (d < bestD) bestD = d, best = i;
        }
        table[sum] = static_cast<std::uint8_t>(best);
    }
    return table;
}

constexpr std::array<std::uint8_t, 256> nearestLevel = buildNearestLevel();
constexpr std::array<std::uint8_t, 766> nearestGrey = buildNearestGrey();

constexpr int channelSum(RGB c) { return c.r + c.g + c.b; }

constexpr int clampChannel(int v) { return v < 0 ? 0 : (v > 255 ? 255 : v); }

constexpr int distance(RGB c, int r, int g, int b) {
    const int dr = c.r - r, dg = c.g - g, db = c.b - b;
    return dr * dr + dg * dg + db * db;
}

// Index and distance of the nearest of entries [first, last) of the 256-colour palette.
struct Match {
    int index;
    int distance;
};

constexpr Match scan(int first, int last, int r, int g, int b) {
    Match best{first, std::numeric_limits<int>::max()};
    for (int i = first; i < last; ++i) {
        const int d = distance(palette[i], r, g, b);
        if (d < best.distance) best = {i, d};
    }
    return best;
}

// The 16 classic colours as separate channel arrays, so the distances vectorise and the
// minimum is found without data-dependent branches (which mispredict on image data).
struct ClassicChannels {
    alignas(64) std::array<int, 16> r, g, b;
};

constexpr ClassicChannels classicChannels = [] {
    ClassicChannels c{};
    for (std::size_t i = 0; i < 16; ++i) c.r[i] = vga16[i].r, c.g[i] = vga16[i].g, c.b[i] = vga16[i].b;
    return c;
}();

Match scanClassic(int r, int g, int b) {
    int d[16];
    for (int i = 0; i < 16; ++i) {
        const int dr = classicChannels.r[i] - r, dg = classicChannels.g[i] - g, db = classicChannels.b[i] - b;
        d[i] = dr * dr + dg * dg + db * db;
    }
    Match best{0, d[0]};
    for (int i = 1; i < 16; ++i) {
        const bool better = d[i] < best.distance;  // strict: the lower index keeps a tie
        best.index = better ? i : best.index;
        best.distance = better ? d[i] : best.distance;
    }
    return best;
}

ANSIColorValue tagged256(int index) {
    return index < 16 ? ANSIColorValue::ansi16(index) : ANSIColorValue::ansi256(index);
}

// Maps 0…1 back to a channel: round half away from zero, clamped. NaN counts as 0.
std::uint8_t unitToByte(double x) {
    const double scaled = 255.0 * x;
    if (!(scaled > 0.0)) return 0;
    if (scaled >= 255.0) return 255;
    return static_cast<std::uint8_t>(std::round(scaled));
}

RGB fromUnit(RGBUnit c) { return {unitToByte(c.r), unitToByte(c.g), unitToByte(c.b)}; }

constexpr std::array<int, 6> darkHues = {1, 3, 2, 6, 4, 5};
constexpr std::array<int, 6> brightHues = {9, 11, 10, 14, 12, 13};

// Hue rotation in HSV. Empty when the colour is too dark to carry a hue and is left alone.
std::optional<RGBUnit> rotateHue(RGBUnit c, double degrees) {
    const double mx = std::max({c.r, c.g, c.b});
    const double mn = std::min({c.r, c.g, c.b});
    const double delta = mx - mn;
    double h = 0.0;
    if (delta != 0.0) {
        if (mx == c.r) {
            h = std::fmod((c.g - c.b) / delta, 6.0);
        } else if (mx == c.g) {
            h = (c.b - c.r) / delta + 2.0;
        } else {
            h = (c.r - c.g) / delta + 4.0;
        }
        h /= 6.0;
        if (h < 0.0) h += 1.0;
    }
    const double s = mx == 0.0 ? 0.0 : delta / mx;
    double hue = 0.0;
    double saturation = s;
    if (s >= 0.08) {
        hue = h + degrees / 360.0;
    } else {
        // A grey has no hue to turn; give it one so the prism still colours it, unless it
        // is so dark the tint would not show.
        if (mx < 0.1) return std::nullopt;
        hue = degrees / 360.0;
        saturation = 0.8;
    }
    hue -= std::trunc(hue);
    if (hue < 0.0) hue += 1.0;
    return hsvToRGB(hue, saturation, mx);
}

RGBUnit toUnit(RGB c) { return {c.r / 255.0, c.g / 255.0, c.b / 255.0}; }

// Beyond this much noise every channel saturates anyway; the cap keeps the integer maths
// defined for absurd variances.
constexpr double maxJitter = 1 << 16;

}  // namespace

RGB rgb16(int index) { return index >= 0 && index < 16 ? vga16[static_cast<std::size_t>(index)] : RGB{}; }

RGB rgb256(int index) { return palette[static_cast<std::size_t>(std::clamp(index, 0, 255))]; }

const std::array<RGB, 256>& palette256() { return palette; }

RGB rgbOf(const ANSIColorValue& color) {
    switch (color.kind) {
        case ANSIColorValue::Kind::ansi16:
            return rgb16(color.n);
        case ANSIColorValue::Kind::ansi256:
            return rgb256(color.n);
        case ANSIColorValue::Kind::truecolor:
            return color.rgb();
    }
    return {};
}

ANSIColorValue nearestANSI16(int r, int g, int b) {
    r = clampChannel(r), g = clampChannel(g), b = clampChannel(b);
    return ANSIColorValue::ansi16(scanClassic(r, g, b).index);
}

ANSIColorValue nearestANSI256Scan(int r, int g, int b) {
    r = clampChannel(r), g = clampChannel(g), b = clampChannel(b);
    return tagged256(scan(0, 256, r, g, b).index);
}

ANSIColorValue nearestANSI256(int r, int g, int b) {
    r = clampChannel(r), g = clampChannel(g), b = clampChannel(b);
    // Best of each palette section, compared in index order with strict "<" so that the
    // lowest index keeps every tie, exactly as a scan over all 256 would.
    Match best = scanClassic(r, g, b);
    const int cube = cubeStart + 36 * nearestLevel[r] + 6 * nearestLevel[g] + nearestLevel[b];
    const int cubeDistance = distance(palette[cube], r, g, b);
    if (cubeDistance < best.distance) best = {cube, cubeDistance};
    const int grey = greyStart + nearestGrey[r + g + b];
    const int greyDistance = distance(palette[grey], r, g, b);
    if (greyDistance < best.distance) best = {grey, greyDistance};
    return tagged256(best.index);
}

ANSIColorValue nearestChromatic256(int r, int g, int b) {
    r = clampChannel(r), g = clampChannel(g), b = clampChannel(b);
    return ANSIColorValue::ansi256(cubeStart + 36 * nearestLevel[r] + 6 * nearestLevel[g] + nearestLevel[b]);
}

ANSIColorValue nearestANSI256StrictlyShifted(int r, int g, int b, int originalIndex, bool lighten) {
    r = clampChannel(r), g = clampChannel(g), b = clampChannel(b);
    const int originalSum = channelSum(rgb256(originalIndex));
    int bestIndex = -1;
    int bestDistance = std::numeric_limits<int>::max();
    for (int i = 0; i < 256; ++i) {
        const int sum = channelSum(palette[i]);
        if (lighten ? sum <= originalSum : sum >= originalSum) continue;
        const int d = distance(palette[i], r, g, b);
        if (d < bestDistance) bestDistance = d, bestIndex = i;
    }
    return ANSIColorValue::ansi256(bestIndex < 0 ? originalIndex : bestIndex);
}

RGBUnit hsvToRGB(double h, double s, double v) {
    if (s == 0.0) return {v, v, v};
    const double scaled = h * 6.0;
    // Clamped (and NaN taken as 0) only so the conversion stays defined for garbage input.
    const long long i = std::isnan(scaled) ? 0 : static_cast<long long>(std::clamp(std::trunc(scaled), -1e15, 1e15));
    const double f = scaled - static_cast<double>(i);
    const double p = v * (1.0 - s);
    const double q = v * (1.0 - s * f);
    const double t = v * (1.0 - s * (1.0 - f));
    switch (i % 6) {
        case 0:
            return {v, t, p};
        case 1:
            return {q, v, p};
        case 2:
            return {p, v, t};
        case 3:
            return {p, q, v};
        case 4:
            return {t, p, v};
        default:
            return {v, p, q};
    }
}

std::uint8_t adjustBrightness(std::uint8_t channel, bool lighten, double strength) {
    const double c = channel / 255.0;
    return unitToByte(lighten ? c + strength * (1.0 - c) : c - strength * c);
}

RGB adjustBrightness(RGB color, bool lighten, double strength) {
    return {adjustBrightness(color.r, lighten, strength), adjustBrightness(color.g, lighten, strength),
            adjustBrightness(color.b, lighten, strength)};
}

ANSIColorValue adjustBrightness(const ANSIColorValue& color, bool lighten, double strength) {
    switch (color.kind) {
        case ANSIColorValue::Kind::ansi16: {
            const int n = color.n;
            if (lighten && n >= 0 && n < 8) return ANSIColorValue::ansi16(n + 8);
            if (!lighten && n >= 8 && n < 16) return ANSIColorValue::ansi16(n - 8);
            return color;
        }
        case ANSIColorValue::Kind::ansi256: {
            const RGB target = adjustBrightness(rgb256(color.n), lighten, strength);
            return nearestANSI256StrictlyShifted(target.r, target.g, target.b, color.n, lighten);
        }
        case ANSIColorValue::Kind::truecolor: {
            const RGB c = adjustBrightness(color.rgb(), lighten, strength);
            return ANSIColorValue::truecolor(c.r, c.g, c.b);
        }
    }
    return color;
}

ANSIColorValue shiftHue16(const ANSIColorValue& color, int steps) {
    if (!color.isANSI16()) return color;
    const int step = steps < 1 ? 1 : steps % 6;
    for (const auto* ring : {&darkHues, &brightHues}) {
        const auto at = std::find(ring->begin(), ring->end(), color.n);
        if (at == ring->end()) continue;
        const auto position = static_cast<int>(at - ring->begin());
        return ANSIColorValue::ansi16((*ring)[static_cast<std::size_t>((position + step) % 6)]);
    }
    return color;
}

ANSIColorValue shiftHue(const ANSIColorValue& color, double degrees) {
    switch (color.kind) {
        case ANSIColorValue::Kind::ansi16: {
            // Only the ring position matters, so reduce whole turns before converting to int
            // (a huge angle must not overflow); below one step still means one step.
            const double steps = std::round(degrees / 60.0);
            if (!(steps >= 1.0)) return shiftHue16(color, 1);
            const double turnRemainder = std::fmod(steps, 6.0);
            return shiftHue16(color, turnRemainder == 0.0 ? 6 : static_cast<int>(turnRemainder));
        }
        case ANSIColorValue::Kind::ansi256: {
            const auto rotated = rotateHue(toUnit(rgb256(color.n)), degrees);
            if (!rotated) return color;
            const RGB c = fromUnit(*rotated);
            return nearestChromatic256(c.r, c.g, c.b);
        }
        case ANSIColorValue::Kind::truecolor: {
            const auto rotated = rotateHue(toUnit(color.rgb()), degrees);
            if (!rotated) return color;
            const RGB c = fromUnit(*rotated);
            return ANSIColorValue::truecolor(c.r, c.g, c.b);
        }
    }
    return color;
}

ANSIColorValue jitterColor(const ANSIColorValue& color, double variance, RandomSource& random) {
    const double amountDouble = std::trunc(std::min(variance * 255.0, maxJitter));
    if (!(amountDouble >= 1.0)) return color;
    const int amount = static_cast<int>(amountDouble);
    const RGB base = rgbOf(color);
    const int r = clampChannel(base.r + random.uniformInt(-amount, amount));
    const int g = clampChannel(base.g + random.uniformInt(-amount, amount));
    const int b = clampChannel(base.b + random.uniformInt(-amount, amount));
    switch (color.kind) {
        case ANSIColorValue::Kind::ansi16:
            return nearestANSI16(r, g, b);
        case ANSIColorValue::Kind::ansi256:
            return nearestANSI256(r, g, b);
        case ANSIColorValue::Kind::truecolor:
            break;
    }
    return ANSIColorValue::truecolor(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                     static_cast<std::uint8_t>(b));
}

}  // namespace glyphloom
