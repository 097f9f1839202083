#include "core/format/builtin_presets.hpp"

#include <string_view>

#include <nlohmann/json.hpp>

#include "core/text/cp437_characters.hpp"

namespace glyphloom {
namespace {

using nlohmann::json;

// Slot by slot. The first four slots also carry the settings of `sharedByFirstFour`; where a
// slot names one of those keys itself, its own value wins. The two empty "charRandomChars"
// lists are filled from the character groups below.
constexpr std::string_view slotsText = R"json(
[
  {"tool": "paintbrush.fill", "character": "█", "foreground": {"type": "ansi16", "n": 15},
   "background": {"type": "ansi16", "n": 0}, "foregroundCycle": true,
   "fgCycleColors": [{"type": "ansi16", "n": 1}, {"type": "ansi16", "n": 2}, {"type": "ansi16", "n": 3},
   {"type": "ansi16", "n": 4}, {"type": "ansi16", "n": 5}, {"type": "ansi16", "n": 6}, {"type": "ansi16", "n": 7},
   {"type": "ansi16", "n": 8}, {"type": "ansi16", "n": 9}, {"type": "ansi16", "n": 10},
   {"type": "ansi16", "n": 11}, {"type": "ansi16", "n": 12}, {"type": "ansi16", "n": 13},
   {"type": "ansi16", "n": 14}, {"type": "ansi16", "n": 15}], "fgCycleStep": 9,
   "brushSize": {"type": "cells", "n": 4}, "paintSimulatedPressureControlsSize": true},
  {"tool": "pencil.tip", "foreground": {"type": "ansi16", "n": 11}, "background": {"type": "ansi16", "n": 1},
   "brushSize": {"type": "cells", "n": 1}},
  {"tool": "oval", "character": "▄", "foreground": {"type": "ansi16", "n": 6},
   "background": {"type": "ansi16", "n": 0}, "foregroundRandom": true,
   "fgRandomColors": [{"type": "ansi16", "n": 0}, {"type": "ansi16", "n": 1}, {"type": "ansi16", "n": 2},
   {"type": "ansi16", "n": 3}, {"type": "ansi16", "n": 4}, {"type": "ansi16", "n": 5}, {"type": "ansi16", "n": 6},
   {"type": "ansi16", "n": 7}, {"type": "ansi16", "n": 8}, {"type": "ansi16", "n": 9}, {"type": "ansi16", "n": 10},
   {"type": "ansi16", "n": 11}, {"type": "ansi16", "n": 12}, {"type": "ansi16", "n": 13},
   {"type": "ansi16", "n": 14}, {"type": "ansi16", "n": 15}], "backgroundRandom": true,
   "bgRandomColors": [{"type": "ansi16", "n": 0}, {"type": "ansi16", "n": 1}, {"type": "ansi16", "n": 2},
   {"type": "ansi16", "n": 3}, {"type": "ansi16", "n": 4}, {"type": "ansi16", "n": 5}, {"type": "ansi16", "n": 6},
   {"type": "ansi16", "n": 7}, {"type": "ansi16", "n": 8}, {"type": "ansi16", "n": 9}, {"type": "ansi16", "n": 10},
   {"type": "ansi16", "n": 11}, {"type": "ansi16", "n": 12}, {"type": "ansi16", "n": 13},
   {"type": "ansi16", "n": 14}, {"type": "ansi16", "n": 15}], "brushSize": {"type": "cells", "n": 1}},
  {"tool": "line.diagonal", "character": "▄", "foreground": {"type": "ansi16", "n": 6},
   "background": {"type": "ansi16", "n": 0}, "foregroundRandom": true,
   "fgRandomColors": [{"type": "ansi16", "n": 2}, {"type": "ansi16", "n": 10}], "characterRandom": true,
   "charRandomChars": [], "brushSize": {"type": "cells", "n": 1}, "lineDrawStyle": "none",
   "lineStitchMode": "off"},
  {"tool": "rectangle", "foreground": {"type": "ansi16", "n": 15}, "background": {"type": "ansi16", "n": 8},
   "foregroundCycle": true, "fgCycleColors": [{"type": "ansi16", "n": 15}, {"type": "ansi16", "n": 7},
   {"type": "ansi16", "n": 6}, {"type": "ansi16", "n": 14}, {"type": "ansi16", "n": 8}],
   "fgCycleStep": 1, "foregroundRandom": false, "backgroundCycle": false, "backgroundRandom": false},
  {"tool": "drop.fill", "character": "▓", "foreground": {"type": "ansi16", "n": 7},
   "background": {"type": "ansi16", "n": 0}, "foregroundRandom": true,
   "fgRandomColors": [{"type": "ansi256", "n": 238}, {"type": "ansi256", "n": 234}, {"type": "ansi256", "n": 239},
   {"type": "ansi256", "n": 232}, {"type": "ansi256", "n": 233}, {"type": "ansi256", "n": 237},
   {"type": "ansi256", "n": 236}, {"type": "ansi256", "n": 235}], "foregroundCycle": false,
   "fgCycleColors": [{"type": "ansi256", "n": 0}, {"type": "ansi16", "n": 7}, {"type": "ansi16", "n": 15},
   {"type": "ansi16", "n": 14}, {"type": "ansi16", "n": 6}, {"type": "ansi16", "n": 8}],
   "fgCycleStep": 5, "backgroundCycle": false, "bgCycleColors": [], "bgCycleStep": 1,
   "backgroundRandom": false, "bgRandomColors": [], "characterCycle": false,
   "charCycleSequence": "GLYphloom", "charCycleStep": 1, "characterRandom": true,
   "charRandomGroups": ["ASCII Art"], "penLineStyle": "single"},
  {"tool": "scribble", "background": {"type": "ansi16", "n": 0}, "foregroundCycle": true,
   "fgCycleColors": [{"type": "ansi16", "n": 15}, {"type": "ansi16", "n": 6}, {"type": "ansi16", "n": 14},
   {"type": "ansi16", "n": 7}, {"type": "ansi16", "n": 8}], "fgCycleStep": 5, "foregroundRandom": false,
   "backgroundCycle": false, "backgroundRandom": false, "penLineStyle": "single"},
  {"tool": "aqi.medium", "background": {"type": "ansi16", "n": 0}, "foregroundCycle": true,
   "fgCycleColors": [{"type": "ansi16", "n": 1}, {"type": "ansi16", "n": 2}, {"type": "ansi16", "n": 3},
   {"type": "ansi16", "n": 4}, {"type": "ansi16", "n": 5}, {"type": "ansi16", "n": 6}, {"type": "ansi16", "n": 7},
   {"type": "ansi16", "n": 8}, {"type": "ansi16", "n": 9}, {"type": "ansi16", "n": 10},
   {"type": "ansi16", "n": 11}, {"type": "ansi16", "n": 12}, {"type": "ansi16", "n": 13},
   {"type": "ansi16", "n": 14}], "fgCycleStep": 1},
  {"tool": "moon.fill", "foreground": {"type": "ansi16", "n": 8}, "background": {"type": "ansi16", "n": 0},
   "brushSize": {"type": "cells", "n": 4}},
  {"tool": "camera.filters", "foreground": {"type": "ansi16", "n": 6}, "background": {"type": "ansi16", "n": 0},
   "foregroundCycle": true, "fgCycleColors": [{"type": "ansi16", "n": 14}, {"type": "ansi16", "n": 13},
   {"type": "ansi16", "n": 11}, {"type": "ansi16", "n": 9}, {"type": "ansi16", "n": 6}],
   "fgCycleStep": 1, "brushSize": {"type": "cells", "n": 4}},
  {"tool": "paintbrush.fill", "character": "█", "foreground": {"type": "ansi16", "n": 15},
   "background": {"type": "ansi16", "n": 0}, "foregroundRandom": true,
   "fgRandomColors": [{"type": "ansi16", "n": 8}, {"type": "ansi16", "n": 9}, {"type": "ansi16", "n": 10},
   {"type": "ansi16", "n": 11}, {"type": "ansi16", "n": 12}, {"type": "ansi16", "n": 13},
   {"type": "ansi16", "n": 14}, {"type": "ansi16", "n": 15}], "characterRandom": true,
   "charRandomChars": [], "brushSize": {"type": "cells", "n": 4},
   "paintSimulatedPressureControlsSize": true},
  {"tool": "drop.fill", "character": "█", "foreground": {"type": "ansi16", "n": 14},
   "background": {"type": "ansi16", "n": 4}, "gradientFill": true, "gradientDirection": "vertical"},
  null,
  null,
  null,
  null
])json";

constexpr std::string_view sharedByFirstFour = R"json({
  "charCycleForward": true, "charCycleWrap": true, "charCycleResetPerStroke": true,
  "colorCycleResetPerStroke": false, "ovalOutline": true, "ovalFilled": false,
  "ovalDrawMode": {"type": "character"}, "ovalThickness": 1, "boxOutline": true, "boxFilled": false,
  "boxPenLine": true, "boxStyle": "single", "boxThickness": 1, "lineDrawStyle": "single",
  "lineStitchMode": "stitch", "lineThicknessCells": 1, "sprayRadius": 4, "sprayDensity": 8,
  "sprayVariancePct": 0, "sprayTargetBG": false, "simulatedPressureControlsSpray": false,
  "gradientFill": false, "paintSimulatedPressureControlsSize": false
})json";

std::string buildText() {
    json bank = json::parse(slotsText);
    const json shared = json::parse(sharedByFirstFour);
    for (std::size_t slot = 0; slot < 4; ++slot) {
        json merged = shared;
        merged.update(bank[slot]);
        bank[slot] = std::move(merged);
    }
    // Every group except the two alphabets; the marks of "ASCII Art" come round again in
    // "Punctuation", and the repeats are kept.
    bank[3]["charRandomChars"] =
        CP437Characters::charactersOfGroups({"Blocks", "ASCII Art", "Box (Single)", "Box (Double)", "Shade / Geo",
                                             "Symbols", "Math", "Greek", "Extended Latin", "0 \u2013 9", "Punctuation"});
    bank[10]["charRandomChars"] = CP437Characters::charactersOfGroups({"Blocks", "ASCII Art", "Shade / Geo"});
    return bank.dump();
}

}  // namespace

const std::string& builtinPresetBankText() {
    static const std::string text = buildText();
    return text;
}

}  // namespace glyphloom
