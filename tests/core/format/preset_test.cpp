#include "core/format/preset.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>
#include <nlohmann/json.hpp>

namespace glyphloom {
namespace preset_test {

using nlohmann::json;

std::optional<TUIPreset> decodeText(const std::string& text) { return presetFromJSON(json::parse(text)); }

// The key vocabulary other programs exchange presets in; a misspelt key would still round-trip
// through our own coder, so the names are checked against this list.
const std::vector<std::string> kPresetKeys = {
    "name", "character", "foreground", "background", "tool", "penLineStyle", "foregroundCycle", "fgCycleColors",
    "fgCycleStep", "foregroundRandom", "fgRandomColors", "backgroundCycle", "bgCycleColors", "bgCycleStep",
    "backgroundRandom", "bgRandomColors", "characterCycle", "charCycleSequence", "charCycleStep", "characterRandom",
    "charRandomGroups", "charCycleChars", "charRandomChars", "brushSize", "paintSimulatedPressureControlsSize",
    "colorCycleResetPerStroke", "charCycleForward", "charCycleWrap", "charCycleResetPerStroke", "lineDrawStyle",
    "lineStitchMode", "lineThickness", "lineThicknessCells", "boxFilled", "boxOutline", "boxPenLine", "boxThickness",
    "boxStyle", "ovalFilled", "ovalOutline", "ovalDrawMode", "ovalThickness", "sprayRadius", "sprayDensity",
    "sprayTargetBG", "simulatedPressureControlsSpray", "sprayVariance", "sprayVariancePct", "gradientFill",
    "gradientDirection", "shapeFillTUI", "symmetryMode", "brushRounded", "dodgeBurnStrength", "dodgeBurnTargetFG",
    "dodgeBurnTargetBG", "simulatedPressureControlsDodgeBurn", "prismAngle", "prismTargetFG", "prismTargetBG",
    "simulatedPressureControlsPrism", "scatterVariance", "scatterTargetFG", "scatterTargetBG",
    "simulatedPressureControlsScatter", "fontScale", "textTypeDirection"};

// A value of the right JSON type for each key, so that every key can be decoded on its own.
json sampleValueFor(const std::string& key) {
    static const json samples = json::parse(R"({
        "name": "n", "character": "x", "foreground": {"type":"ansi16","n":3}, "background": {"type":"ansi256","n":9},
        "tool": "eye", "penLineStyle": "rounded", "fgCycleColors": [{"type":"ansi16","n":1}], "fgCycleStep": 2,
        "bgCycleColors": [], "bgCycleStep": 3, "fgRandomColors": [], "bgRandomColors": [],
        "charCycleSequence": "ab", "charCycleStep": 4, "charRandomGroups": ["Blocks"], "charCycleChars": ["a"],
        "charRandomChars": ["b"], "brushSize": {"type":"cells","n":3}, "lineDrawStyle": "double",
        "lineStitchMode": "track", "lineThickness": {"type":"half"}, "lineThicknessCells": 2, "boxThickness": 2,
        "boxStyle": "mixedH", "ovalDrawMode": {"type":"blocks"}, "ovalThickness": 2, "sprayRadius": 5,
        "sprayDensity": 6, "sprayVariance": 0.5, "sprayVariancePct": 50, "gradientDirection": "radial",
        "shapeFillTUI": {"enabled": true}, "symmetryMode": "both", "dodgeBurnStrength": 0.25, "prismAngle": 15.5,
        "scatterVariance": 0.75, "fontScale": 3, "textTypeDirection": "down"})");
    return samples.contains(key) ? samples[key] : json(true);  // the remaining keys are all Booleans
}

TEST(TUIPreset, EveryKeyDecodesAloneAndEncodesBackUnderItsOwnName) {
    ASSERT_EQ(kPresetKeys.size(), 67u);
    for (const auto& key : kPresetKeys) {
        SCOPED_TRACE(key);
        const auto preset = presetFromJSON(json{{key, sampleValueFor(key)}});
        ASSERT_TRUE(preset.has_value());
        const json back = toJSON(*preset);
        ASSERT_EQ(back.size(), 1u);
        EXPECT_TRUE(back.contains(key));
        EXPECT_EQ(presetFromJSON(back), preset);
    }
}

TEST(TUIPreset, EncodesOnlyPresentFieldsAndNeverNull) {
    TUIPreset preset;
    preset.tool = presetIDForTool(Tool::box);
    preset.character = "░";
    EXPECT_EQ(toJSON(preset), json({{"tool", "rectangle"}, {"character", "░"}}));
    EXPECT_EQ(toJSON(TUIPreset{}), json::object());
}

// Decoding rules: what makes a preset fail and what is salvaged.
TEST(TUIPreset, DecodingRules) {
    struct Case {
        const char* json;
        bool decodes;
        std::function<bool(const TUIPreset&)> holds;  // checked when it decodes
    };
    const auto any = [](const TUIPreset&) { return true; };
    const std::vector<Case> cases = {
        // Wrong JSON types fail the whole preset.
        {R"({"fgCycleStep": "3"})", false, any},
        {R"({"fontScale": 1.5})", false, any},
        {R"({"boxFilled": 1})", false, any},
        {R"({"boxStyle": 3})", false, any},
        {R"({"name": {}})", false, any},
        {R"({"sprayVariance": "0.5"})", false, any},
        {R"({"fgCycleColors": "red"})", false, any},
        {R"({"charCycleChars": ["a", 1]})", false, any},
        {R"({"brushSize": "cells"})", false, any},
        {R"({"shapeFillTUI": []})", false, any},
        {R"({"ovalDrawMode": {"type": "lines", "style": 2}})", false, any},
        {R"({"name": "ok", "textTypeDirection": false})", false, any},
        // Unknown enumeration words take their fallbacks.
        {R"({"penLineStyle": "wavy", "lineStitchMode": "glue", "boxStyle": "zigzag"})", true,
         [](const TUIPreset& p) {
             return p.penLineStyle == LineStyle::single && p.lineStitchMode == LineStitchMode::off &&
                    p.boxStyle == BoxStyle::single;
         }},
        {R"({"gradientDirection": "spiral", "symmetryMode": "all", "textTypeDirection": "sideways"})", true,
         [](const TUIPreset& p) {
             return p.gradientDirection == GradientDirection::horizontal && p.symmetryMode == SymmetryMode::none &&
                    p.textTypeDirection == TextDirection::right;
         }},
        // Raw strings are case-sensitive.
        {R"({"lineDrawStyle": "Double"})", true,
         [](const TUIPreset& p) { return p.lineDrawStyle == LineStyle::single; }},
        {R"({"lineDrawStyle": "double"})", true,
         [](const TUIPreset& p) { return p.lineDrawStyle == LineStyle::double_; }},
        // Lenient but not wrong: null is absent, whole floats are integers, integers are reals.
        {R"({"name": null, "fgCycleStep": 3.0, "prismAngle": 30})", true,
         [](const TUIPreset& p) { return !p.name && p.fgCycleStep == 3 && p.prismAngle == 30.0; }},
        {R"({"fgCycleStep": 1e12})", true, [](const TUIPreset& p) { return p.fgCycleStep == 2147483647; }},
        // Colours never fail, so neither does a preset because of one.
        {R"({"foreground": "purple", "fgCycleColors": [7, "x"]})", true,
         [](const TUIPreset& p) {
             return p.foreground == ANSIColorValue::ansi16(15) &&
                    p.fgCycleColors ==
                        std::vector<ANSIColorValue>{ANSIColorValue::ansi16(7), ANSIColorValue::ansi16(15)};
         }},
        // Unknown keys are ignored; the tool text is kept verbatim.
        {R"({"tool": "Spray", "sparkle": 1})", true, [](const TUIPreset& p) { return p.tool == "Spray"; }},
        // Not an object at all.
        {R"([])", false, any},
        {R"("preset")", false, any},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        const auto preset = decodeText(c.json);
        ASSERT_EQ(preset.has_value(), c.decodes);
        if (preset) {
            EXPECT_TRUE(c.holds(*preset));
        }
    }
}

TEST(BrushSize, DecodingNeverDegradesBeyondItsRules) {
    const std::vector<std::pair<const char*, BrushSize>> cases = {
        {R"({"type":"cells","n":5})", BrushSize::cells(5)},
        {R"({"type":"cells","n":-2})", BrushSize::cells(-2)},
        {R"({"type":"cells"})", BrushSize::cells(1)},
        {R"({"type":"cells","n":"5"})", BrushSize::cells(1)},
        {R"({"type":"cells","n":2.5})", BrushSize::cells(1)},
        {R"({"type":"half"})", BrushSize::half()},
        {R"({"type":"quarter"})", BrushSize::quarter()},
        {R"({"type":"giant"})", BrushSize::quarter()},
        {R"({"type":7})", BrushSize::quarter()},
        {R"({})", BrushSize::quarter()},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(brushSizeFromJSON(json::parse(text)), expected);
    }
    for (const BrushSize size : {BrushSize::cells(3), BrushSize::half(), BrushSize::quarter()})
        EXPECT_EQ(brushSizeFromJSON(toJSON(size)), size);
}

TEST(OvalDrawMode, Decoding) {
    const std::vector<std::pair<const char*, OvalDrawMode>> cases = {
        {R"({"type":"lines","style":"double"})", OvalDrawMode::lines(BoxStyle::double_)},
        {R"({"type":"lines","style":"mixedV"})", OvalDrawMode::lines(BoxStyle::mixedV)},
        {R"({"type":"lines","style":"fancy"})", OvalDrawMode::lines(BoxStyle::single)},
        {R"({"type":"lines"})", OvalDrawMode::lines(BoxStyle::single)},
        {R"({"type":"blocks"})", OvalDrawMode::blocks()},
        {R"({"type":"character"})", OvalDrawMode::character()},
        {R"({"type":"dots"})", OvalDrawMode::character()},
        {R"({})", OvalDrawMode::character()},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(ovalDrawModeFromJSON(json::parse(text)), expected);
    }
    EXPECT_EQ(toJSON(OvalDrawMode::lines(BoxStyle::mixedH)), json({{"type", "lines"}, {"style", "mixedH"}}));
}

TEST(ShapeFillStyle, UnreadableKeysKeepTheirDefaultsAndTheRestIsRead) {
    const auto style = shapeFillStyleFromJSON(json::parse(R"({
        "enabled": "yes", "charMode": "random", "char": 5, "charPool": ["a", 2],
        "fgMode": "weird", "fg": {"type": "ansi256", "n": 3}, "bgPool": [{"type": "ansi16", "n": 4}]})"));
    ASSERT_TRUE(style.has_value());
    ShapeFillStyle expected;
    expected.charMode = FillChannelMode::random;
    expected.fg = ANSIColorValue::ansi256(3);
    expected.bgPool = {ANSIColorValue::ansi16(4)};
    EXPECT_EQ(*style, expected);

    ShapeFillStyle full;
    full.enabled = true;
    full.charMode = FillChannelMode::null;
    full.charPool = {"x", "y"};
    full.bgMode = FillChannelMode::cycle;
    full.bg = ANSIColorValue::truecolor(1, 2, 3);
    const json encoded = toJSON(full);
    EXPECT_EQ(encoded.size(), 10u);
    EXPECT_EQ(encoded["charMode"], "null");
    EXPECT_EQ(encoded["char"], "█");
    EXPECT_EQ(shapeFillStyleFromJSON(encoded), full);
}

TEST(OptionEnumerations, RawStringsRoundTripAndDoubleIsSpelledOut) {
    auto roundTrips = [](auto tag) {
        using E = decltype(tag);
        for (const auto& [value, raw] : EnumStrings<E>::table) {
            EXPECT_EQ(fromRawValue<E>(raw), value) << raw;
            EXPECT_EQ(enumFromJSON<E>(enumToJSON(value)), value) << raw;
        }
    };
    roundTrips(Tool{});
    roundTrips(LineStyle{});
    roundTrips(LineStitchMode{});
    roundTrips(BoxStyle{});
    roundTrips(GradientDirection{});
    roundTrips(SymmetryMode{});
    roundTrips(TextDirection{});
    roundTrips(FillChannelMode{});
    roundTrips(CharMode{});
    EXPECT_EQ(rawValue(LineStyle::double_), "double");
    EXPECT_EQ(rawValue(BoxStyle::double_), "double");
    EXPECT_EQ(rawValue(Tool::pans), "Panspect");
    // Without a fallback an unknown word is no value at all.
    EXPECT_EQ(enumFromJSON<CharMode>(json("solid")), std::nullopt);
    EXPECT_EQ(enumFromJSON<FillChannelMode>(json("sparkly")), FillChannelMode::solid);
}

TEST(ToolIdentifiers, WriteAndReadEveryTool) {
    const std::vector<std::pair<Tool, const char*>> ids = {
        {Tool::paint, "paintbrush.fill"}, {Tool::draw, "scribble"},       {Tool::pen, "pencil.tip"},
        {Tool::eraser, "eraser.fill"},    {Tool::fill, "drop.fill"},      {Tool::spray, "aqi.medium"},
        {Tool::line, "line.diagonal"},    {Tool::box, "rectangle"},       {Tool::oval, "oval"},
        {Tool::smudge, "hand.point.up.left.fill"}, {Tool::dodge, "sun.max"}, {Tool::burn, "moon.fill"},
        {Tool::prism, "camera.filters"},  {Tool::scatter, "sparkles"},    {Tool::text, "keyboard"},
        {Tool::select, "rectangle.dashed"}, {Tool::pans, "eye"},
    };
    for (const auto& [tool, id] : ids) {
        EXPECT_EQ(presetIDForTool(tool), id);
        EXPECT_EQ(toolForPresetID(id), tool) << id;
    }
    EXPECT_EQ(toolForPresetID("magnifyingglass"), Tool::pans);
    for (const char* other : {"Spray", "Eye", "", "rectangle ", "Paint"})
        EXPECT_EQ(toolForPresetID(other), Tool::paint) << other;
}

TEST(DecodeBankSalvaging, KeepsGoodSlotsInPlaceAndEmptiesBadOnes) {
    struct Case {
        const char* data;
        std::optional<std::vector<std::optional<std::string>>> names;  // slot names; nothing = bank fails
    };
    using Names = std::vector<std::optional<std::string>>;
    const std::vector<Case> cases = {
        {R"([null, 12345, {"name":"c"}])", Names{std::nullopt, std::nullopt, "c"}},
        {R"([{"name":"a"}, {"name":"b","fgCycleStep":"3"}, {"name":"c"}])", Names{"a", std::nullopt, "c"}},
        {R"([{"name":"a","boxStyle":"zigzag"}, "text", [], true])",
         Names{"a", std::nullopt, std::nullopt, std::nullopt}},
        {R"([])", Names{}},
        {R"({"name":"a"})", std::nullopt},
        {R"(null)", std::nullopt},
        {R"(42)", std::nullopt},
        {R"([{"name":"a"})", std::nullopt},
        {"", std::nullopt},
        {"\xff\xfe[]", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const auto bank = decodeBankSalvaging(std::string_view(c.data));
        ASSERT_EQ(bank.has_value(), c.names.has_value());
        if (!bank) continue;
        ASSERT_EQ(bank->size(), c.names->size());
        for (std::size_t i = 0; i < bank->size(); ++i) {
            ASSERT_EQ((*bank)[i].has_value(), (*c.names)[i].has_value()) << "slot " << i;
            if ((*bank)[i]) {
                EXPECT_EQ((*bank)[i]->name, (*c.names)[i]);
            }
        }
    }
}

TEST(DecodeBankSalvaging, BankRoundTripsThroughItsText) {
    PresetBank bank(16);
    TUIPreset first;
    first.tool = "sparkles";
    first.brushSize = BrushSize::cells(2);
    first.dodgeBurnStrength = 0.125;
    bank[0] = first;
    TUIPreset last;
    last.ovalDrawMode = OvalDrawMode::lines(BoxStyle::double_);
    last.charRandomGroups = std::vector<std::string>{"Shades"};
    bank[15] = last;
    const std::string text = toJSON(bank).dump();
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    EXPECT_EQ(decodeBankSalvaging(bytes), bank);
}

// A bank file of a million slots costs no more than the slots kept; what lies past them must
// still be JSON, and nothing may nest deeper than a tree can be copied.
TEST(DecodeBankSalvaging, SlotsPastTheKeptOnesAreCheckedOnly) {
    std::string slots;
    for (int i = 0; i < 40; ++i) slots += std::string(i ? "," : "") + R"({"name":"p)" + std::to_string(i) + "\"}";
    const auto kept = decodeBankSalvaging("[" + slots + "]", 16);
    ASSERT_TRUE(kept);
    ASSERT_EQ(kept->size(), 16u);
    EXPECT_EQ(kept->back()->name, "p15");
    EXPECT_EQ(decodeBankSalvaging("[" + slots + "]")->size(), 40u);
    const std::string deep = std::string(100'000, '[') + std::string(100'000, ']');
    for (const std::string& text : {"[" + slots + ",{]", "[" + slots + "," + deep + "]", "[" + deep + "]"})
        EXPECT_FALSE(decodeBankSalvaging(text, 16)) << text.substr(0, 60);
    EXPECT_FALSE(decodeBankStrictly("[" + deep + "]"));
}

TEST(DecodeBankStrictly, OneBadElementFailsTheWholeBank) {
    struct Case {
        const char* data;
        std::optional<std::size_t> slots;  // nothing: the bank fails
    };
    const std::vector<Case> cases = {
        {R"([null, {"name":"a"}, {"tool":"Paint"}])", 3},
        {R"([])", 0},
        {R"([{"name":"a"}, 5])", std::nullopt},
        {R"([{"fgCycleStep":"3"}])", std::nullopt},
        {R"({"name":"a"})", std::nullopt},
        {"[", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        const auto bank = decodeBankStrictly(c.data);
        ASSERT_EQ(bank.has_value(), c.slots.has_value());
        if (bank) {
            EXPECT_EQ(bank->size(), *c.slots);
        }
    }
}

TEST(EncodeBank, TextThatIsNotUTF8CannotBeWritten) {
    PresetBank bank(2);
    bank[1] = TUIPreset{};
    bank[1]->name = "ok";
    ASSERT_TRUE(encodeBank(bank));
    EXPECT_EQ(decodeBankSalvaging(*encodeBank(bank)), bank);
    bank[1]->name = std::string("bad \xff byte");
    EXPECT_FALSE(encodeBank(bank));
}

TEST(PresetReadout, NameWhenItHasOneElseASummaryOfWhatItPaints) {
    struct Case {
        const char* json;
        const char* readout;
    };
    const std::vector<Case> cases = {
        {R"({"tool":"oval","foregroundRandom":true,"brushSize":{"type":"cells","n":1}})", "oval fg random"},
        {R"({"name":"  Clouds \n"})", "Clouds"},
        {R"({"name":"   ","tool":"sparkles"})", "scatter"},
        {R"({})", "paint"},
        {R"({"tool":"Spray"})", "paint"},
        {R"({"tool":"eye","character":"A"})", "panspect A"},
        {R"({"character":" "})", "paint"},
        {R"({"character":"x","characterCycle":true})", "paint char cycle"},
        {R"({"character":"x","characterCycle":true,"characterRandom":true})", "paint char random"},
        {R"({"foregroundCycle":true,"foregroundRandom":true,"backgroundCycle":true})", "paint fg random bg cycle"},
        {R"({"backgroundRandom":true,"backgroundCycle":true,"foregroundCycle":true})", "paint fg cycle bg random"},
        {R"({"tool":"drop.fill","characterRandom":false,"character":"#","brushSize":{"type":"cells","n":4}})",
         "fill # size 4"},
        {R"({"brushSize":{"type":"half"}})", "paint"},
        {R"({"brushSize":{"type":"cells","n":2}})", "paint size 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.json);
        const auto preset = decodeText(c.json);
        ASSERT_TRUE(preset);
        EXPECT_EQ(presetReadout(*preset), c.readout);
    }
}

}  // namespace preset_test
}  // namespace glyphloom
