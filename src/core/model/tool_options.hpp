// The option enumerations shared by the editor state and the preset record (tools, line and
// box styles, gradients, symmetry, typing direction, fill channels), the small payload types
// (brush size, oval draw mode, shape fill style). Their JSON forms are in tool_options_json.hpp.
// What the options do to cells belongs to the tools; this file only names them.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/model/color.hpp"

namespace glyphloom {

enum class Tool {
    paint, draw, pen, eraser, fill, spray, line, box, oval,
    smudge, dodge, burn, prism, scatter, text, select, pans
};
enum class LineStyle { none, single, rounded, double_ };
enum class LineStitchMode { off, stitch, track, slash };
enum class BoxStyle { single, double_, mixedH, mixedV };
enum class GradientDirection { horizontal, vertical, radial };
enum class SymmetryMode { none, horizontal, vertical, both };
enum class TextDirection { right, left, down, up };
enum class FillChannelMode { null, solid, cycle, random };
enum class CharMode { null, cycle, random };

// Raw strings of each enumeration (their JSON form) and the case an unknown string falls back
// to, where one is defined. `double` is a keyword, so those cases carry a trailing underscore;
// their raw string is still "double".
template <class E>
struct EnumStrings;

#define GLYPHLOOM_ENUM_STRINGS(E, N, FALLBACK, ...)                              \
    template <>                                                                  \
    struct EnumStrings<E> {                                                      \
        static constexpr std::array<std::pair<E, std::string_view>, N> table{{__VA_ARGS__}}; \
        static constexpr std::optional<E> fallback = FALLBACK;                   \
    };

GLYPHLOOM_ENUM_STRINGS(Tool, 17, std::nullopt, {Tool::paint, "Paint"}, {Tool::draw, "Draw"}, {Tool::pen, "Pen"},
                       {Tool::eraser, "Eraser"}, {Tool::fill, "Fill"}, {Tool::spray, "Spray"}, {Tool::line, "Line"},
                       {Tool::box, "Box"}, {Tool::oval, "Oval"}, {Tool::smudge, "Smudge"}, {Tool::dodge, "Dodge"},
                       {Tool::burn, "Burn"}, {Tool::prism, "Prism"}, {Tool::scatter, "Scatter"},
                       {Tool::text, "Text"}, {Tool::select, "Select"}, {Tool::pans, "Panspect"})
GLYPHLOOM_ENUM_STRINGS(LineStyle, 4, LineStyle::single, {LineStyle::none, "none"}, {LineStyle::single, "single"},
                       {LineStyle::rounded, "rounded"}, {LineStyle::double_, "double"})
GLYPHLOOM_ENUM_STRINGS(LineStitchMode, 4, LineStitchMode::off, {LineStitchMode::off, "off"},
                       {LineStitchMode::stitch, "stitch"}, {LineStitchMode::track, "track"},
                       {LineStitchMode::slash, "slash"})
GLYPHLOOM_ENUM_STRINGS(BoxStyle, 4, BoxStyle::single, {BoxStyle::single, "single"}, {BoxStyle::double_, "double"},
                       {BoxStyle::mixedH, "mixedH"}, {BoxStyle::mixedV, "mixedV"})
GLYPHLOOM_ENUM_STRINGS(GradientDirection, 3, GradientDirection::horizontal,
                       {GradientDirection::horizontal, "horizontal"}, {GradientDirection::vertical, "vertical"},
                       {GradientDirection::radial, "radial"})
GLYPHLOOM_ENUM_STRINGS(SymmetryMode, 4, SymmetryMode::none, {SymmetryMode::none, "none"},
                       {SymmetryMode::horizontal, "horizontal"}, {SymmetryMode::vertical, "vertical"},
                       {SymmetryMode::both, "both"})
GLYPHLOOM_ENUM_STRINGS(TextDirection, 4, TextDirection::right, {TextDirection::right, "right"},
                       {TextDirection::left, "left"}, {TextDirection::down, "down"}, {TextDirection::up, "up"})
GLYPHLOOM_ENUM_STRINGS(FillChannelMode, 4, FillChannelMode::solid, {FillChannelMode::null, "null"},
                       {FillChannelMode::solid, "solid"}, {FillChannelMode::cycle, "cycle"},
                       {FillChannelMode::random, "random"})
GLYPHLOOM_ENUM_STRINGS(CharMode, 3, std::nullopt, {CharMode::null, "null"}, {CharMode::cycle, "cycle"},
                       {CharMode::random, "random"})

#undef GLYPHLOOM_ENUM_STRINGS

template <class E>
constexpr std::string_view rawValue(E value) {
    for (const auto& [e, text] : EnumStrings<E>::table)
        if (e == value) return text;
    return {};
}

// The case whose raw string is exactly `text` (case-sensitive).
template <class E>
constexpr std::optional<E> fromRawValue(std::string_view text) {
    for (const auto& [e, raw] : EnumStrings<E>::table)
        if (raw == text) return e;
    return std::nullopt;
}

// Brush size: a square of n cells, or a sub-cell quarter / half block.
struct BrushSize {
    enum class Kind { cells, quarter, half };
    Kind kind = Kind::cells;
    int n = 1;  // cells only

    static constexpr BrushSize cells(int n) { return {Kind::cells, n}; }
    static constexpr BrushSize quarter() { return {Kind::quarter, 0}; }
    static constexpr BrushSize half() { return {Kind::half, 0}; }

    friend constexpr bool operator==(const BrushSize&, const BrushSize&) = default;
};

// How an oval is drawn: box-drawing lines of a style, the current character, or blocks.
struct OvalDrawMode {
    enum class Kind { lines, character, blocks };
    Kind kind = Kind::character;
    BoxStyle style = BoxStyle::single;  // lines only

    static constexpr OvalDrawMode lines(BoxStyle style) { return {Kind::lines, style}; }
    static constexpr OvalDrawMode character() { return {Kind::character, BoxStyle::single}; }
    static constexpr OvalDrawMode blocks() { return {Kind::blocks, BoxStyle::single}; }

    friend constexpr bool operator==(const OvalDrawMode&, const OvalDrawMode&) = default;
};

// Fill tool mode: a gradient in one direction, or solid. Editor state only, never coded.
struct FillMode {
    enum class Kind { gradient, solid };
    Kind kind = Kind::solid;
    GradientDirection direction = GradientDirection::horizontal;  // gradient only

    static constexpr FillMode gradient(GradientDirection d) { return {Kind::gradient, d}; }
    static constexpr FillMode solid() { return {Kind::solid, GradientDirection::horizontal}; }

    friend constexpr bool operator==(const FillMode&, const FillMode&) = default;
};

// The interior fill of boxes and ovals, one mode per channel.
struct ShapeFillStyle {
    bool enabled = false;
    FillChannelMode charMode = FillChannelMode::solid;
    std::string character = "█";  // key "char"
    std::vector<std::string> charPool;
    FillChannelMode fgMode = FillChannelMode::solid;
    ANSIColorValue fg = ANSIColorValue::ansi16(15);
    std::vector<ANSIColorValue> fgPool;
    FillChannelMode bgMode = FillChannelMode::solid;
    ANSIColorValue bg = ANSIColorValue::ansi16(0);
    std::vector<ANSIColorValue> bgPool;

    friend bool operator==(const ShapeFillStyle&, const ShapeFillStyle&) = default;
};

}  // namespace glyphloom
