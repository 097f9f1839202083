// What kind of display a document is made for: its colour depth, its background mode and,
// for monochrome art, the monitor tint it is shown with. Owns the rules that fit colours and
// cells to a depth and mode, and the tinted display colours; applying them to a document,
// the depth picker and the blink toggle belong to the editor.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "core/model/cell.hpp"
#include "core/model/color.hpp"
#include "core/model/layer.hpp"

namespace glyphloom {

// Declaration order matters: the depth picker lists the cases in this order.
enum class ColorDepth { mono, c16, c256, truecolor };

inline constexpr std::array<ColorDepth, 4> allColorDepths = {ColorDepth::mono, ColorDepth::c16, ColorDepth::c256,
                                                            ColorDepth::truecolor};
// "mono", "c16", "c256", "truecolor".
std::string_view rawValue(ColorDepth depth);
std::optional<ColorDepth> colorDepthFromRawValue(std::string_view raw);
// Files with an unknown depth open as 16-colour documents.
ColorDepth decodeColorDepth(std::string_view raw);
// The picker's short text: "1", "16", "256", "16M".
std::string_view label(ColorDepth depth);

// How mono art is shown on screen; never written to an .ans file.
enum class MonoTint { white, green, amber, inverse };

inline constexpr std::array<MonoTint, 4> allMonoTints = {MonoTint::white, MonoTint::green, MonoTint::amber,
                                                        MonoTint::inverse};
std::string_view rawValue(MonoTint tint);
std::optional<MonoTint> monoTintFromRawValue(std::string_view raw);
// An unknown tint falls back to white.
MonoTint decodeMonoTint(std::string_view raw);
// "White", "Green", "Amber", "Inverse".
std::string_view label(MonoTint tint);
// The 24-bit colour a mono cell of this colour's tone is drawn with.
ANSIColorValue displayColor(MonoTint tint, const ANSIColorValue& color);

// The background mode as stored in layered files: "blinkingText" or "brightBackgrounds".
std::string_view backgroundModeRawValue(bool blinkingText);
std::optional<bool> blinkingTextFromRawValue(std::string_view raw);

// The mono tone of an RGB colour by Rec. 709 luminance: 0 below 0.33·255, 7 below 0.75·255,
// else 15. Shared with the exporters and image import so every path snaps alike.
int toneOfRGB(RGB rgb);
// The tone (0, 7 or 15) of a colour.
int clampMono(const ANSIColorValue& color);
// Nearest 16-colour index; an ansi16 value keeps its own index (limited to 0…15).
int nearest16(const ANSIColorValue& color);
// A colour as it may appear at `depth`: a tone in mono, the nearest classic colour in 16.
ANSIColorValue clampToDepth(const ANSIColorValue& color, ColorDepth depth);
// The background a blinking-text document may hold: bright classic backgrounds (8–15) drop
// to their dim twins; everything else passes. Painting applies it as it goes.
ANSIColorValue backgroundForMode(const ANSIColorValue& background, bool blinkingText);
// A cell made to fit the document: colours clamped to the depth; in blinking-text mode bright
// 16-colour backgrounds are dimmed, otherwise the blink is cleared. The character is kept.
ANSICell conformCell(const ANSICell& cell, ColorDepth depth, bool blinkingText);
// How many cells of all layers conformCell would change.
int outOfSpecCount(const std::vector<Layer>& layers, ColorDepth depth, bool blinkingText);

}  // namespace glyphloom
