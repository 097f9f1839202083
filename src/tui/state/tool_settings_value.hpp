// Every tool setting as one value: the current tool, its options, the pen's colours and
// character and the fades that vary them. Each is declared once here with its default; which
// panel shows it, how presets store it and which tools read it is the table's
// (tui/state/tool_settings). What a stroke in progress knows is the stroke's (tui/state/stroke).
#pragma once

#include <set>
#include <string>
#include <vector>

#include "core/draw/shapes.hpp"
#include "core/model/color.hpp"
#include "core/model/tool_options.hpp"

namespace glyphloom {

struct ToolSettings {
    // --- Tool and tool options ---
    Tool tool = Tool::paint;
    BrushSize brush = BrushSize::cells(1);
    bool velocityControlsSize = false;
    FillMode fillMode = FillMode::solid();
    int lineThickness = 1;
    SymmetryMode symmetryMode = SymmetryMode::none;
    bool dodgeBurnFG = true;
    bool dodgeBurnBG = true;
    bool prismFG = true;
    bool prismBG = false;
    int prismSteps = 1;
    bool brushRounded = false;
    int sprayRadius = 4;
    int sprayDensity = 8;
    int sprayVariance = 0;  // percent
    bool sprayTargetBG = false;
    bool velSprayDensity = false;
    int dodgeBurnStrength = 18;
    int scatterVariance = 25;
    bool scatterFG = true;
    bool scatterBG = false;
    bool velScatter = false;
    bool velDodgeBurn = false;
    bool velPrism = false;
    TextDirection textDirection = TextDirection::right;
    int textScale = 1;
    ShapeFillStyle shapeFill;
    LineStyle penLineStyle = LineStyle::single;
    LineStyle lineStyle = LineStyle::single;
    LineStitchMode lineStitchMode = LineStitchMode::stitch;
    BoxOptions boxOptions;
    OvalOptions ovalOptions;  // its thickness is the oval tool's width
    bool autoPan = true;      // the pan tool's "Auto pan" toggle

    // --- Colours and characters ---
    ANSIColorValue fg = ANSIColorValue::ansi16(15);
    ANSIColorValue penBg = ANSIColorValue::ansi16(0);
    std::string penChar = "█";
    bool fgCycle = false;
    std::vector<ANSIColorValue> fgCyclePool;
    int fgCycleStep = 1;
    bool bgCycle = false;
    std::vector<ANSIColorValue> bgCyclePool;
    int bgCycleStep = 1;
    bool charCycle = false;
    std::vector<std::string> charCyclePool;
    int charCycleStep = 1;
    bool colorCycleResetPerStroke = false;
    bool charCycleResetPerStroke = true;
    bool charCycleForward = true;
    bool charCycleWrap = true;
    std::set<std::string> charRandomGroups;
    bool fgRandom = false;
    std::vector<ANSIColorValue> fgRandomPool;
    bool bgRandom = false;
    std::vector<ANSIColorValue> bgRandomPool;
    bool charRandom = false;
    std::vector<std::string> charRandomPool;
    bool charNull = false;  // painting leaves characters alone
    bool fgNull = false;
    bool bgNull = false;

    friend bool operator==(const ToolSettings&, const ToolSettings&) = default;
};

}  // namespace glyphloom
