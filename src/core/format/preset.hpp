// The preset record (a saved set of tool settings where every field is optional), the
// lenient decoding of a bank of presets, and the tool identifiers presets use.
// Loading, storing and applying a bank belong to the editor.
#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/color.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

// Field names are the JSON keys. A preset only says what it sets: absent fields are not
// written and leave the editor's settings alone.
struct TUIPreset {
    std::optional<std::string> name;
    std::optional<std::string> character;
    std::optional<ANSIColorValue> foreground;
    std::optional<ANSIColorValue> background;
    std::optional<std::string> tool;  // a tool identifier, see toolForPresetID
    std::optional<LineStyle> penLineStyle;
    std::optional<bool> foregroundCycle;
    std::optional<std::vector<ANSIColorValue>> fgCycleColors;
    std::optional<int> fgCycleStep;
    std::optional<bool> foregroundRandom;
    std::optional<std::vector<ANSIColorValue>> fgRandomColors;
    std::optional<bool> backgroundCycle;
    std::optional<std::vector<ANSIColorValue>> bgCycleColors;
    std::optional<int> bgCycleStep;
    std::optional<bool> backgroundRandom;
    std::optional<std::vector<ANSIColorValue>> bgRandomColors;
    std::optional<bool> characterCycle;
    std::optional<std::string> charCycleSequence;
    std::optional<int> charCycleStep;
    std::optional<bool> characterRandom;
    std::optional<std::vector<std::string>> charRandomGroups;
    std::optional<std::vector<std::string>> charCycleChars;
    std::optional<std::vector<std::string>> charRandomChars;
    std::optional<BrushSize> brushSize;
    std::optional<bool> paintSimulatedPressureControlsSize;
    std::optional<bool> colorCycleResetPerStroke;
    std::optional<bool> charCycleForward;
    std::optional<bool> charCycleWrap;
    std::optional<bool> charCycleResetPerStroke;
    std::optional<LineStyle> lineDrawStyle;
    std::optional<LineStitchMode> lineStitchMode;
    std::optional<BrushSize> lineThickness;
    std::optional<int> lineThicknessCells;
    std::optional<bool> boxFilled;
    std::optional<bool> boxOutline;
    std::optional<bool> boxPenLine;
    std::optional<int> boxThickness;
    std::optional<BoxStyle> boxStyle;
    std::optional<bool> ovalFilled;
    std::optional<bool> ovalOutline;
    std::optional<OvalDrawMode> ovalDrawMode;
    std::optional<int> ovalThickness;
    std::optional<int> sprayRadius;
    std::optional<int> sprayDensity;
    std::optional<bool> sprayTargetBG;
    std::optional<bool> simulatedPressureControlsSpray;
    std::optional<double> sprayVariance;  // fraction 0–1
    std::optional<int> sprayVariancePct;  // percent, used when sprayVariance is absent
    std::optional<bool> gradientFill;
    std::optional<GradientDirection> gradientDirection;
    std::optional<ShapeFillStyle> shapeFillTUI;
    std::optional<SymmetryMode> symmetryMode;
    std::optional<bool> brushRounded;
    std::optional<double> dodgeBurnStrength;  // fraction 0–1
    std::optional<bool> dodgeBurnTargetFG;
    std::optional<bool> dodgeBurnTargetBG;
    std::optional<bool> simulatedPressureControlsDodgeBurn;
    std::optional<double> prismAngle;  // degrees
    std::optional<bool> prismTargetFG;
    std::optional<bool> prismTargetBG;
    std::optional<bool> simulatedPressureControlsPrism;
    std::optional<double> scatterVariance;  // fraction 0–1
    std::optional<bool> scatterTargetFG;
    std::optional<bool> scatterTargetBG;
    std::optional<bool> simulatedPressureControlsScatter;
    std::optional<int> fontScale;
    std::optional<TextDirection> textTypeDirection;

    friend bool operator==(const TUIPreset&, const TUIPreset&) = default;
};

using PresetBank = std::vector<std::optional<TUIPreset>>;

// A JSON array of presets and nulls, slot by slot, without padding; data that is not JSON or
// not an array gives nothing. Salvaging, a bad element becomes an empty slot and keeps its
// place, and slots past `keptSlots` are checked as JSON only and dropped; strictly, one bad
// element fails the whole bank.
std::optional<PresetBank> decodeBankSalvaging(std::string_view data,
                                              std::size_t keptSlots = std::numeric_limits<std::size_t>::max());
std::optional<PresetBank> decodeBankStrictly(std::string_view data);
inline std::optional<PresetBank> decodeBankSalvaging(const std::vector<std::uint8_t>& data,
                                                     std::size_t keptSlots = std::numeric_limits<std::size_t>::max()) {
    return decodeBankSalvaging(std::string_view(reinterpret_cast<const char*>(data.data()), data.size()), keptSlots);
}
// The bank as compact JSON text; nothing when it cannot be written as JSON (text that is not
// valid UTF-8).
std::optional<std::string> encodeBank(const PresetBank& bank);

// The identifier a preset stores for a tool ("paintbrush.fill", …).
std::string presetIDForTool(Tool tool);
// Exact, case-sensitive match of an identifier; anything unknown (including the tools'
// display names such as "Spray") is the paint tool. "magnifyingglass" is read as `pans` too.
Tool toolForPresetID(std::string_view id);

// The one-line description of a preset: its name without surrounding white space, or
// presetSummary when it has none.
std::string presetReadout(const TUIPreset& preset);
// The tool in lower case, then what paints: "char random" / "char cycle" / the character,
// "fg random" / "fg cycle", "bg random" / "bg cycle", "size n" for brushes of 2 cells or more.
std::string presetSummary(const TUIPreset& preset);

}  // namespace glyphloom
