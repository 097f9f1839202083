#include "core/model/model_json.hpp"
#include "core/format/preset_json.hpp"
#include "core/model/tool_options_json.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

namespace glyphloom {
namespace model_json_test {

using nlohmann::json;
using C = ANSIColorValue;

TEST(ColorJSON, LenientDecoding) {
    const std::pair<const char*, C> cases[] = {
        {R"(7)", C::ansi16(7)},
        {R"(99)", C::ansi16(15)},
        {R"(-4)", C::ansi16(0)},
        {R"("red")", C::ansi16(15)},
        {R"(null)", C::ansi16(15)},
        {R"([1,2])", C::ansi16(15)},
        {R"({})", C::ansi16(15)},
        {R"({"type": 3})", C::ansi16(15)},
        {R"({"type": "ansi16", "n": 9})", C::ansi16(9)},
        {R"({"type": "ansi16", "n": 99})", C::ansi16(15)},
        {R"({"type": "ansi16"})", C::ansi16(15)},
        {R"({"type": "ansi16", "n": "3"})", C::ansi16(15)},
        {R"({"type": "ansi256", "n": 200})", C::ansi256(200)},
        {R"({"type": "ansi256", "n": -5})", C::ansi256(0)},
        {R"({"type": "ansi256", "n": 1000})", C::ansi256(255)},
        {R"({"type": "ansi256"})", C::ansi256(0)},
        {R"({"type": "ansi256", "n": 12.0})", C::ansi256(12)},
        {R"({"type": "ansi256", "n": 12.5})", C::ansi256(0)},
        {R"({"type": "truecolor", "r": 1, "g": 2, "b": 3})", C::truecolor(1, 2, 3)},
        {R"({"type": "truecolor", "r": 300, "g": 1})", C::truecolor(0, 1, 0)},
        {R"({"type": "truecolor", "r": -1, "g": "x", "b": 255})", C::truecolor(0, 0, 255)},
        {R"({"type": "hsl", "n": 3})", C::ansi16(15)},
        {R"({"type": "ansi16", "n": 99999999999999999999})", C::ansi16(15)},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(colorFromJSON(json::parse(text)), expected) << text;
}

TEST(ColorJSON, EncodesTypedObjectsThatRoundTrip) {
    EXPECT_EQ(toJSON(C::ansi16(4)), json::parse(R"({"type":"ansi16","n":4})"));
    EXPECT_EQ(toJSON(C::ansi256(42)), json::parse(R"({"type":"ansi256","n":42})"));
    EXPECT_EQ(toJSON(C::truecolor(1, 2, 3)), json::parse(R"({"type":"truecolor","r":1,"g":2,"b":3})"));
    for (C c : {C::ansi16(0), C::ansi16(15), C::ansi256(255), C::truecolor(255, 0, 128)})
        EXPECT_EQ(colorFromJSON(toJSON(c)), c);
}

TEST(CellJSON, BlinkWrittenOnlyWhenTrue) {
    ANSICell cell{CellChar("█"), C::ansi16(2), C::ansi256(17), false};
    const json plain = toJSON(cell);
    EXPECT_EQ(plain.size(), 3u);
    EXPECT_FALSE(plain.contains("blink"));
    cell.blink = true;
    EXPECT_EQ(toJSON(cell)["blink"], true);
    EXPECT_EQ(cellFromJSON(toJSON(cell)), cell);
}

TEST(CellJSON, MissingKeysTakeDefaultsAndWrongTypesFail) {
    EXPECT_EQ(cellFromJSON(json::parse("{}")), ANSICell::blank());
    EXPECT_EQ(cellFromJSON(json::parse(R"({"character": null})")), ANSICell::blank());
    const auto partial = cellFromJSON(json::parse(R"({"character": "x", "background": 3})"));
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->character, CellChar("x"));
    EXPECT_EQ(partial->foreground, C::ansi16(15));
    EXPECT_EQ(partial->background, C::ansi16(3));

    for (const char* bad : {R"({"character": 5})", R"({"blink": "yes"})", R"({"blink": 1})", R"([])", R"("x")"})
        EXPECT_FALSE(cellFromJSON(json::parse(bad))) << bad;
    // Colours themselves never fail a cell.
    EXPECT_TRUE(cellFromJSON(json::parse(R"({"foreground": "nonsense"})")));
}

TEST(CellJSON, EmptyAndMultiScalarCharactersRoundTrip) {
    for (const char* text : {"", "e\u0301", "ab"}) {
        ANSICell cell{CellChar(text), C::ansi16(1), C::ansi16(0), false};
        EXPECT_EQ(cellFromJSON(toJSON(cell)), cell) << text;
    }
}

TEST(LayerKindJSON, Decoding) {
    EXPECT_EQ(layerKindFromJSON(json::parse(R"({"type":"drawing"})")), LayerKind::drawing());
    EXPECT_EQ(layerKindFromJSON(json::parse(R"({"type":"terminal","shellPath":"/bin/zsh"})")),
              LayerKind::terminal("/bin/zsh"));
    EXPECT_EQ(layerKindFromJSON(json::parse(R"({"type":"terminal"})")), LayerKind::terminal("/bin/sh"));
    EXPECT_EQ(layerKindFromJSON(json::parse(R"({"type":"terminal","shellPath":7})")), LayerKind::terminal("/bin/sh"));
    EXPECT_EQ(layerKindFromJSON(json::parse(R"({})")), LayerKind::drawing());
    EXPECT_EQ(layerKindFromJSON(json::parse(R"({"type":"video"})")), LayerKind::drawing());
    EXPECT_EQ(layerKindFromJSON(json::parse(R"(3)")), LayerKind::drawing());
}

TEST(LayerJSON, RoundTripsEveryField) {
    Layer layer("Ink", CellGrid(2, 3));
    layer.cells.set(1, 2, {CellChar("▒"), C::truecolor(9, 8, 7), C::ansi256(3), true});
    layer.visible = false;
    layer.rowOffset = -2;
    layer.colOffset = 5;
    layer.kind = LayerKind::terminal("/bin/bash");
    layer.historyEnabled = true;
    const json encoded = toJSON(layer);
    for (const char* key : {"id", "name", "visible", "cells", "rowOffset", "colOffset", "kind", "historyEnabled"})
        EXPECT_TRUE(encoded.contains(key)) << key;
    EXPECT_EQ(encoded["id"].get<std::string>().size(), 36u);
    EXPECT_EQ(layerFromJSON(encoded), layer);
}

TEST(LayerJSON, CellsAreRequiredEverythingElseDefaults) {
    EXPECT_FALSE(layerFromJSON(json::parse(R"({"name": "x"})")));
    EXPECT_FALSE(layerFromJSON(json::parse(R"({"cells": 3})")));
    EXPECT_FALSE(layerFromJSON(json::parse(R"({"cells": [3]})")));
    EXPECT_FALSE(layerFromJSON(json::parse(R"({"cells": [[{"character": 1}]]})")));

    const auto a = layerFromJSON(json::parse(R"({"cells": [[{}], []]})"));
    const auto b = layerFromJSON(json::parse(R"({"cells": [], "id": "not-a-uuid", "name": 4, "visible": "no",
                                                   "rowOffset": 1e40, "colOffset": "2", "kind": 1,
                                                   "historyEnabled": 0})"));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->name, "Layer");
    EXPECT_TRUE(a->visible);
    EXPECT_EQ(a->rowOffset, 0);
    EXPECT_EQ(a->colOffset, 0);
    EXPECT_EQ(a->kind, LayerKind::drawing());
    EXPECT_FALSE(a->historyEnabled);
    EXPECT_EQ(a->cells.rowCount(), 2);
    EXPECT_EQ(a->cells.rowLength(1), 0);
    EXPECT_NE(a->id, b->id);  // each unreadable id becomes a fresh one
    EXPECT_EQ(b->name, "Layer");
    EXPECT_TRUE(b->visible);
    EXPECT_EQ(b->rowOffset, 0);
}

TEST(LayerJSON, OffsetsAreClampedWhereTheyAreRead) {
    const struct {
        const char* value;
        int expected;
    } cases[] = {{"-5", -5},         {"10000", 10000},           {"-10000", -10000}, {"10001", 10000},
                 {"2147483647", 10000}, {"-2147483648", -10000}, {"99999999999", 10000}, {"-99999999999", -10000}};
    for (const auto& c : cases) {
        const auto layer = layerFromJSON(json::parse(std::string(R"({"cells": [], "rowOffset": )") + c.value +
                                                     R"(, "colOffset": )" + c.value + "}"));
        ASSERT_TRUE(layer) << c.value;
        EXPECT_EQ(layer->rowOffset, c.expected) << c.value;
        EXPECT_EQ(layer->colOffset, c.expected) << c.value;
    }
}

TEST(LayerJSON, IdIsReadInEitherCase) {
    const auto layer = layerFromJSON(json::parse(R"({"cells": [], "id": "e621e1f8-c36c-495a-93fc-0c247a3e6e5f"})"));
    ASSERT_TRUE(layer);
    EXPECT_EQ(layer->id.str(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
}

TEST(Uuid, ParseRejectsMalformedText) {
    for (const char* bad : {"", "E621E1F8C36C495A93FC0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5G",
                            "E621E1F8-C36C-495A-93FC_0C247A3E6E5F", "E621E1F8-C36C-495A-93FC-0C247A3E6E5F0"})
        EXPECT_FALSE(Uuid::parse(bad)) << bad;
    const Uuid id = Uuid::random();
    EXPECT_EQ(Uuid::parse(id.str()), id);
    EXPECT_EQ(id.str()[14], '4');  // version 4
}

}  // namespace model_json_test
}  // namespace glyphloom
