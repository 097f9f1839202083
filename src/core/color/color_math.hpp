// Pure colour arithmetic: the RGB values of the 16- and 256-colour palettes, nearest-palette
// searches, HSV conversion, brightness steps, hue rotation and random jitter. Nothing here
// keeps state; the only randomness is jitterColor's, drawn from a caller-supplied source.
// Every nearest search uses squared RGB distance and gives ties to the lowest index.
#pragma once

#include <array>
#include <cstdint>

#include "core/model/color.hpp"
#include "core/model/random_source.hpp"

namespace glyphloom {

// The 16 classic colours as VGA RGB; any index outside 0…15 is black.
RGB rgb16(int index);
// xterm 256-colour palette: 0–15 classic, 16–231 the 6×6×6 cube, 232–255 the grey ramp.
// Negative indices give entry 0, indices past 255 give entry 255.
RGB rgb256(int index);
// The whole 256-entry palette, for callers that walk it.
const std::array<RGB, 256>& palette256();

// The RGB a colour shows as: ansi16 through rgb16, ansi256 through rgb256, truecolor as is.
RGB rgbOf(const ANSIColorValue& color);

// Nearest searches. Channels are taken as 0…255; values outside are clamped first.
ANSIColorValue nearestANSI16(int r, int g, int b);
// Winners below 16 come back as ansi16, so white is ansi16(15), not ansi256(231).
ANSIColorValue nearestANSI256(int r, int g, int b);
// The same search as nearestANSI256, done as the plain scan over all 256 entries. The fast
// search must agree with it everywhere; tests and the benchmark compare the two.
ANSIColorValue nearestANSI256Scan(int r, int g, int b);
// Only the 6×6×6 cube (16…231): no system colours, no greys. Always ansi256.
ANSIColorValue nearestChromatic256(int r, int g, int b);
// The nearest entry whose channel sum is strictly above (lighten) or below (darken) that of
// `originalIndex`, so a dodge or burn step always moves; ansi256(originalIndex) when none is.
ANSIColorValue nearestANSI256StrictlyShifted(int r, int g, int b, int originalIndex, bool lighten);

struct RGBUnit {
    double r = 0, g = 0, b = 0;  // each 0…1
    friend constexpr bool operator==(RGBUnit, RGBUnit) = default;
};
// h, s, v in 0…1 (h is taken as a fraction of a full turn).
RGBUnit hsvToRGB(double h, double s, double v);

// One channel lightened towards 255 or darkened towards 0 by `strength` (0…1).
std::uint8_t adjustBrightness(std::uint8_t channel, bool lighten, double strength);
RGB adjustBrightness(RGB color, bool lighten, double strength);
// The dodge/burn step of a colour: truecolor per channel; ansi256 per channel of its palette
// RGB, then the nearest entry strictly lighter or darker (or unchanged); ansi16 moves
// between the dim and bright halves (n ± 8) when it can.
ANSIColorValue adjustBrightness(const ANSIColorValue& color, bool lighten, double strength);

// Rotates a colour's hue. ansi16 moves round its hue ring by round(degrees / 60) steps;
// ansi256 rotates in HSV and snaps to the cube; truecolor rotates and stays 24-bit. Greys
// are given the hue `degrees` at saturation 0.8; near-black is left alone.
ANSIColorValue shiftHue(const ANSIColorValue& color, double degrees);
// Moves an ansi16 colour `steps` places round its ring (dark 1 3 2 6 4 5, bright 9 11 10 14
// 12 13); at least one step, so the colour always changes. Off-ring colours are unchanged.
ANSIColorValue shiftHue16(const ANSIColorValue& color, int steps);

// Adds uniform noise of ±truncate(variance × 255) to each channel, then maps back to the
// colour's own kind (ansi16 via nearestANSI16, ansi256 via nearestANSI256). With less than
// one step of noise the colour is returned as it is.
ANSIColorValue jitterColor(const ANSIColorValue& color, double variance,
                           RandomSource& random = defaultRandomSource());

}  // namespace glyphloom
